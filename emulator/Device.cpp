#include "Device.h"

#include <algorithm>
#include <cstdio>

#include "Answer.h"
#include "Messages.h"
#include "codec/Base64.h"

namespace satemu {
namespace {

constexpr int kWrongCodesBeforeLockOut = 3;

bool hasNotActivatedCode(Function function) {
  const int fam = family(function);
  return fam == 6 || fam == 9 || fam == 11 || fam == 19;
}

bool worksOnNewDevice(Function function) {
  return function == Function::ConsultarStatusOperacional ||
         function == Function::ConfigurarInterfaceDeRede || function == Function::ExtrairLogs;
}

std::string withDigits(std::string text, std::mt19937& random, int count) {
  std::uniform_int_distribution<int> digit(0, 9);
  for (int i = 0; i < count; ++i) text += static_cast<char>('0' + digit(random));
  return text;
}

}  // namespace

DeviceState factoryNewDevice(const Moment& now, std::mt19937& random) {
  DeviceState state;
  state.serial = withDigits("9", random, 8);
  state.emergencyCode = withDigits("EMG", random, 9);
  char mac[24];
  std::uniform_int_distribution<int> byte(0, 255);
  std::snprintf(mac, sizeof mac, "30:40:%02x:%02x:%02x:%02x", byte(random), byte(random),
                byte(random), byte(random));
  state.mac = mac;
  state.manufactured = stamp(now);
  state.lastCommunication = stamp(now);
  return state;
}

bool Device::sessionStored(int sessao) const {
  return std::any_of(state_.sessions.begin(), state_.sessions.end(),
                     [&](const StoredSession& s) { return s.number == sessao; });
}

std::string Device::execute(const Command& c) {
  const std::string name = functionName(c.function);
  log_.write(LogSource::AcSat, LogLevel::Info, "Recebida mensagem referente função " + name);
  const bool reused = state_.knobs.rejectReusedSessions && sessionStored(c.sessao);
  if (reused) log_.error("sessão " + sessionText(c.sessao) + " já usada");
  std::string answer = reused ? answerFor(c, kSessionReused) : dispatch(c);
  const std::string code = returnCodeOf(answer);
  log_.write(
      LogSource::AcSat, isSuccessCode(code) ? LogLevel::Info : LogLevel::Error,
      "Enviada resposta da função " + name + ", sessão " + sessionText(c.sessao) + ": " + code);
  // A refused reuse is not stored: it would replace the answer it protects.
  if (!reused && c.function != Function::ConsultarNumeroSessao) storeSession(c, answer);
  return answer;
}

void Device::storeSession(const Command& c, const std::string& answer) {
  auto& sessions = state_.sessions;
  sessions.erase(std::remove_if(sessions.begin(), sessions.end(),
                                [&](const StoredSession& s) { return s.number == c.sessao; }),
                 sessions.end());
  sessions.push_back({c.sessao, answer});
  while (sessions.size() > kStoredSessions) sessions.pop_front();
}

std::string Device::dispatch(const Command& c) {
  switch (c.function) {
    case Function::ConsultarSAT:
    case Function::SetDriver:
      return answerFor(c, kSuccess);
    case Function::AtivarSAT:
      return activate(c);
    default:
      break;
  }
  if (std::optional<std::string> refusal = refuseCode(c)) return *refusal;
  switch (c.function) {
    case Function::ComunicarCertificadoICPBRASIL:
      return communicateCertificate(c);
    case Function::EnviarDadosVenda:
      return sale(c);
    case Function::CancelarUltimaVenda:
      return cancel(c);
    case Function::TesteFimAFim:
      return endToEndTest(c);
    case Function::ConsultarStatusOperacional:
      return operationalStatus(c);
    case Function::ConsultarNumeroSessao:
      return sessionQuery(c);
    case Function::ConfigurarInterfaceDeRede:
      return configureNetwork(c);
    case Function::AssociarAssinatura:
      return associate(c);
    case Function::AtualizarSoftwareSAT:
      return updateSoftware(c);
    case Function::ExtrairLogs:
      return extractLogs(c);
    case Function::BloquearSAT:
      return lock(c);
    case Function::DesbloquearSAT:
      return unlock(c);
    case Function::TrocarCodigoDeAtivacao:
      return changeCode(c);
    case Function::ConsultarUltimaSessaoFiscal:
      return lastFiscalSession(c);
    default:
      return answerFor(c, kUnknownError);
  }
}

bool Device::lockedOut() const {
  return !state_.codeLockedUntil.empty() && state_.codeLockedUntil > stamp(now_);
}

std::string Device::lockedOutAnswer(const Command& c) const {
  const int fam = family(c.function);
  const int detail = fam == 6 ? 9 : fam == 7 ? 6 : kWrongCode;
  std::vector<std::string> fields = headFor(c, detail);
  fields[carriesValidationCode(c.function, detail, state_.knobs.layout) ? 3 : 2] =
      "SAT bloqueado, código de ativação incorreto";
  return joinFields(fields);
}

std::optional<std::string> Device::refuseCode(const Command& c) {
  const bool emergency = c.function == Function::TrocarCodigoDeAtivacao && c.opcao == 2;
  if (!state_.activated) {
    if (hasNotActivatedCode(c.function)) return answerFor(c, kNotActivated);
    if (worksOnNewDevice(c.function)) return std::nullopt;
    return answerFor(c, kWrongCode);
  }
  // The emergency code is the way out of a forgotten code, lock-out included.
  if (emergency) return std::nullopt;
  if (lockedOut()) return lockedOutAnswer(c);
  if (c.codigo == state_.activationCode) {
    state_.wrongCodes = 0;
    return std::nullopt;
  }
  if (++state_.wrongCodes >= kWrongCodesBeforeLockOut) {
    state_.wrongCodes = 0;
    state_.codeLockedUntil = stamp(momentAt(now_.epoch + state_.knobs.lockoutMinutes * 60LL));
    log_.error("código de ativação incorreto pela terceira vez: comandos bloqueados até " +
               state_.codeLockedUntil);
    return lockedOutAnswer(c);
  }
  log_.error("código de ativação incorreto");
  return answerFor(c, kWrongCode);
}

std::string Device::answerFor(const Command& c, int detail, std::string_view sefazCode,
                              std::string_view sefazMessage,
                              std::string_view validationCode) const {
  return plainAnswer(c.function, c.sessao, detail, state_.knobs.layout, sefazCode, sefazMessage,
                     validationCode);
}

std::vector<std::string> Device::headFor(const Command& c, int detail) const {
  return answerHead(c.function, c.sessao, detail, state_.knobs.layout);
}

std::string Device::base64Field(std::string_view bytes) const {
  std::string encoded = codec::encodeBase64(bytes);
  if (!state_.knobs.crlfInBase64) return encoded;
  std::string broken;
  broken.reserve(encoded.size() + encoded.size() / 38);
  for (std::size_t i = 0; i < encoded.size(); i += 76) {
    if (i > 0) broken += "\r\n";
    broken.append(encoded, i, 76);
  }
  return broken;
}

void Device::exchangeWithAuthority(SuperLogForm form, const std::vector<std::string>& exchange,
                                   std::string_view reply, LogLevel level) {
  log_.superLog(form, exchange, reply, level);
  state_.lastCommunication = stamp(now_);
}

}  // namespace satemu
