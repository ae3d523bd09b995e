// Putting the device into service: activation, certificate, association,
// locks, code changes and software update.
#include <array>
#include <cstdio>

#include "Answer.h"
#include "Device.h"
#include "DeviceCertificates.h"
#include "Messages.h"

namespace satemu {
namespace {

bool allDigits(std::string_view text) {
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

bool isValidCnpj(std::string_view cnpj) {
  if (cnpj.size() != 14 || !allDigits(cnpj)) return false;
  // Fourteen zeros pass the check digits, but no taxpayer has that number.
  if (cnpj.find_first_not_of('0') == std::string_view::npos) return false;
  const auto checkDigit = [&](std::size_t length) {
    int sum = 0;
    int weight = static_cast<int>(length) - 7;
    for (std::size_t i = 0; i < length; ++i) {
      sum += (cnpj[i] - '0') * weight;
      weight = weight == 2 ? 9 : weight - 1;
    }
    const int rest = sum % 11;
    return rest < 2 ? 0 : 11 - rest;
  };
  return checkDigit(12) == cnpj[12] - '0' && checkDigit(13) == cnpj[13] - '0';
}

bool isStateCode(int cUF) {
  static constexpr std::array<int, 27> kStates{11, 12, 13, 14, 15, 16, 17, 21, 22,
                                               23, 24, 25, 26, 27, 28, 29, 31, 32,
                                               33, 35, 41, 42, 43, 50, 51, 52, 53};
  for (const int state : kStates)
    if (state == cUF) return true;
  return false;
}

bool isBase64Text(std::string_view text) {
  for (const char c : text) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!letter && c != '+' && c != '/' && c != '=') return false;
  }
  return !text.empty();
}

bool validCodeLength(const std::string& code) {
  return code.size() >= 8 && code.size() <= 32;
}

std::string nextVersion(const std::string& version) {
  int major = 1, minor = 0, patch = 0;
  if (std::sscanf(version.c_str(), "%d.%d.%d", &major, &minor, &patch) != 3) return "01.00.01";
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d", major % 100, minor % 100, (patch + 1) % 100);
  return text;
}

}  // namespace

std::string Device::activate(const Command& c) {
  if (state_.activated) return answerFor(c, 3);
  if (c.subComando < 1 || c.subComando > 3 || !validCodeLength(c.codigo) || !isStateCode(c.cUF))
    return answerFor(c, kUnknownError);
  const bool registered = state_.sefazCnpj.empty() || state_.sefazCnpj == c.cnpj;
  const bool recognised = isValidCnpj(c.cnpj) && registered;
  exchangeWithAuthority(SuperLogForm::Mirel,
                        {"ativação: subcomando " + std::to_string(c.subComando) + ", CNPJ " +
                             c.cnpj + ", UF " + std::to_string(c.cUF),
                         "conexão com a SEFAZ estabelecida"},
                        recognised ? "equipamento vinculado ao contribuinte"
                                   : "CNPJ não reconhecido para este equipamento",
                        recognised ? LogLevel::Info : LogLevel::Error);
  if (!recognised) return answerFor(c, 2);

  state_.activated = true;
  state_.activationCode = c.codigo;
  state_.cnpj = c.cnpj;
  state_.cUF = c.cUF;
  state_.wrongCodes = 0;
  state_.codeLockedUntil.clear();
  state_.lockState = 0;
  state_.certificateIssued = date(now_);
  Moment expiry = now_;
  expiry.year += 5;
  state_.certificateExpires = date(expiry);
  std::vector<std::string> fields = headFor(c, c.subComando == 1 ? kSuccess : 6);
  fields.push_back(base64Field(kCertificateRequestPem));
  return joinFields(fields);
}

std::string Device::communicateCertificate(const Command& c) {
  if (c.dados.empty()) return answerFor(c, 3);
  exchangeWithAuthority(
      SuperLogForm::Plain,
      {"certificado ICP-Brasil recebido (" + std::to_string(c.dados.size()) + " bytes)",
       "certificado enviado à SEFAZ"},
      "certificado registrado");
  return answerFor(c, kSuccess);
}

std::string Device::associate(const Command& c) {
  if (c.cnpj.size() != 28 || !allDigits(c.cnpj)) return answerFor(c, 4);
  if (c.cnpj.substr(14) != state_.cnpj) return answerFor(c, 7);
  if (!isBase64Text(c.assinatura)) return answerFor(c, 3);
  exchangeWithAuthority(SuperLogForm::Mirel,
                        {"vinculação do AC: software house " + c.cnpj.substr(0, 14),
                         "assinatura do AC enviada à SEFAZ"},
                        "assinatura do AC registrada");
  state_.associated = true;
  state_.softwareHouseCnpj = c.cnpj.substr(0, 14);
  state_.signAC = c.assinatura;
  return answerFor(c, kSuccess);
}

std::string Device::lock(const Command& c) {
  if (state_.lockState != 0) return answerFor(c, 2);
  exchangeWithAuthority(SuperLogForm::Plain, {"bloqueio solicitado pelo contribuinte"},
                        "parametrização de bloqueio confirmada");
  state_.lockState = 2;
  return answerFor(c, kSuccess);
}

std::string Device::unlock(const Command& c) {
  // 1: only the authority lifts its lock; 3 clears by itself; 4 ends in deactivation.
  static constexpr std::array<int, 5> kAnswerByLockState{5, 3, kSuccess, 6, 7};
  const int lockState = state_.lockState;
  if (lockState < 0 || lockState > 4) return answerFor(c, kUnknownError);
  if (lockState == 2) {
    exchangeWithAuthority(SuperLogForm::Plain, {"desbloqueio solicitado pelo contribuinte"},
                          "desbloqueio confirmado");
    state_.lockState = 0;
  }
  return answerFor(c, kAnswerByLockState[static_cast<std::size_t>(lockState)]);
}

std::string Device::changeCode(const Command& c) {
  if (c.opcao == 2 && c.codigo != state_.emergencyCode) {
    log_.error("código de ativação de emergência incorreto");
    return answerFor(c, 2);
  }
  if ((c.opcao != 1 && c.opcao != 2) || c.novoCodigo != c.confirmacao ||
      !validCodeLength(c.novoCodigo))
    return answerFor(c, kUnknownError);
  state_.activationCode = c.novoCodigo;
  state_.wrongCodes = 0;
  state_.codeLockedUntil.clear();
  log_.info(c.opcao == 1 ? "código de ativação alterado"
                         : "código de ativação alterado com o código de emergência");
  return answerFor(c, kSuccess);
}

std::string Device::updateSoftware(const Command& c) {
  const std::string version = nextVersion(state_.softwareVersion);
  exchangeWithAuthority(
      SuperLogForm::Plain,
      {"atualização de software: versão " + state_.softwareVersion + " para " + version,
       "pacote verificado e instalado"},
      "atualização de software registrada");
  state_.softwareVersion = version;
  return answerFor(c, kSuccess);
}

}  // namespace satemu
