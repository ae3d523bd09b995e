#include "SatemuCommands.h"

#include <algorithm>

#include "Answer.h"
#include "Device.h"
#include "Emulator.h"
#include "ShopDocuments.h"
#include "StateFile.h"
#include "platform/Files.h"

namespace satemu {

const char* const kToolUsage =
    "usage: satemu [--state FILE] COMMAND\n"
    "  show               print the whole state file\n"
    "  status             one-line summary of the device\n"
    "  emergency          print the emergency activation code\n"
    "  reset              factory-new device (new serial and emergency code), knobs kept\n"
    "  reset-all          factory-new device with default knobs\n"
    "  keys               list the fields that set accepts\n"
    "  get SECTION.KEY    print one field\n"
    "  set SECTION.KEY VALUE [SECTION.KEY VALUE ...]\n"
    "                     e.g. set knobs.latencyMs 0   set device.lockState 1\n"
    "                     set knobs.layout legacy (answers without CCCC where older\n"
    "                     devices lack it)\n"
    "  force CODE [CALLS] the next CALLS calls (default 1, -1 for all) answer CODE:\n"
    "                     3 digits in the called family (098) or 5 digits as given\n"
    "  force-answer TEXT [CALLS]\n"
    "                     the next CALLS calls answer TEXT verbatim ({sessao} is replaced)\n"
    "  force-answer-file FILE [CALLS]\n"
    "                     the same with the file's bytes, for answers no command line holds\n"
    "  slow MS [CALLS]    the next CALLS calls (default 1) wait MS milliseconds instead of\n"
    "                     the usual latency\n"
    "  quiet              latency 0, no forced answers, no slow calls, no distortions,\n"
    "                     current layout, default log and coupon forms\n"
    "  sale               a three-item sale on the device, from the associated application\n"
    "                     to the activated CNPJ, as EnviarDadosVenda makes it\n"
    "  cancel             cancels the last sale, as CancelarUltimaVenda does\n"
    "                     (both print the session number and the return code; the exit\n"
    "                     code is 1 when the device refuses)\n"
    "The state file is --state FILE, else $QUORVEL_SATEMU_STATE, else satemu-state.ini\n"
    "beside satemu (the library next to it uses the same file).\n";

namespace {

std::string summary(const DeviceState& s) {
  std::string text = "serial " + s.serial + ", " + (s.activated ? "activated" : "not activated");
  if (s.activated) text += " (CNPJ " + s.cnpj + ", code " + s.activationCode + ")";
  text += s.associated ? ", associated to " + s.softwareHouseCnpj : ", not associated";
  text += ", ESTADO_OPERACAO " + std::to_string(s.lockState);
  if (!s.codeLockedUntil.empty()) text += ", wrong-code lock-out until " + s.codeLockedUntil;
  text += ", coupons issued " + std::to_string(s.lastCouponNumber);
  return text + "\n";
}

int setFields(DeviceState& state, const std::vector<std::string>& pairs, std::ostream& err) {
  if (pairs.empty() || pairs.size() % 2 != 0) {
    err << "set needs SECTION.KEY VALUE pairs\n";
    return 2;
  }
  for (std::size_t i = 0; i < pairs.size(); i += 2) {
    if (!setField(state, pairs[i], pairs[i + 1])) {
      err << "not a field or not a valid value: " << pairs[i] << " = " << pairs[i + 1] << "\n";
      return 2;
    }
  }
  return 0;
}

int unusedSession(const DeviceState& state, std::mt19937& random) {
  std::uniform_int_distribution<int> number(1, 999999);
  for (;;) {
    const int sessao = number(random);
    if (std::none_of(state.sessions.begin(), state.sessions.end(),
                     [&](const StoredSession& s) { return s.number == sessao; }))
      return sessao;
  }
}

// A sale or the cancellation of the last sale, run by the device model as if
// the library had received it (without the latency and the knobs that change
// answers on their way out), with the code the device was activated with.
int issueOnDevice(Function function, DeviceState& state, const Moment& now, std::mt19937& random,
                  std::ostream& out, std::ostream& err) {
  Command c;
  c.function = function;
  c.sessao = unusedSession(state, random);
  c.codigo = state.activationCode;
  if (function == Function::EnviarDadosVenda) {
    c.dados = shopSale(state);
  } else {
    c.chave = "CFe" + state.lastSale.key;
    c.dados = shopCancellation(state, c.chave);
  }
  const std::string answer = Device(state, now, random).execute(c);
  const std::string code = returnCodeOf(answer);
  out << "session " << sessionText(c.sessao) << ": " << code << "\n";
  if (isSuccessCode(code)) return 0;
  err << answer << "\n";
  return 1;
}

}  // namespace

std::filesystem::path toolStateFile(std::vector<std::string>& arguments,
                                    const std::filesystem::path& toolFolder) {
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == "--state") {
      std::filesystem::path named = arguments[i + 1];
      arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                      arguments.begin() + static_cast<std::ptrdiff_t>(i + 2));
      return named;
    }
  }
  return stateFilePath(toolFolder);
}

int runTool(const std::vector<std::string>& arguments, const std::filesystem::path& stateFile,
            std::ostream& out, std::ostream& err) {
  if (arguments.empty()) {
    err << kToolUsage;
    return 2;
  }
  const std::string& command = arguments[0];
  const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  std::mt19937 random = seededRandom();
  const Moment now = currentMoment();
  DeviceState state = loadDeviceState(stateFile, now, random);
  int exitCode = 0;

  if (command == "reset" || command == "reset-all") {
    const Knobs knobs = state.knobs;
    state = factoryNewDevice(now, random);
    if (command == "reset") state.knobs = knobs;
    out << "factory-new device: " << summary(state);
  } else if (command == "show") {
    out << writeState(state);
  } else if (command == "status") {
    out << summary(state);
  } else if (command == "emergency") {
    out << state.emergencyCode << "\n";
  } else if (command == "keys") {
    for (const std::string& name : settableFields()) out << name << "\n";
    return 0;
  } else if (command == "get" && rest.size() == 1) {
    out << fieldValue(state, rest[0]) << "\n";
  } else if (command == "set") {
    if (const int failed = setFields(state, rest, err)) return failed;
  } else if ((command == "force" || command == "force-answer" || command == "force-answer-file") &&
             !rest.empty() && rest.size() <= 2) {
    const bool verbatim = command != "force";
    std::string forced = rest[0];
    if (command == "force-answer-file") {
      try {
        forced = platform::readFile(platform::Path(std::filesystem::path(rest[0])));
      } catch (const platform::FileError&) {
        err << "cannot read " << rest[0] << "\n";
        return 2;
      }
    }
    if (const int failed = setFields(state,
                                     {verbatim ? "knobs.forcedAnswer" : "knobs.forcedCode", forced,
                                      "knobs.forcedCalls", rest.size() == 2 ? rest[1] : "1"},
                                     err))
      return failed;
  } else if (command == "slow" && !rest.empty() && rest.size() <= 2) {
    if (const int failed = setFields(
            state, {"knobs.slowMs", rest[0], "knobs.slowCalls", rest.size() == 2 ? rest[1] : "1"},
            err))
      return failed;
    if (state.knobs.slowMs < 0 || state.knobs.slowCalls < 0) {
      err << "slow needs a wait and a number of calls of 0 or more\n";
      return 2;
    }
  } else if (command == "quiet") {
    state.knobs = Knobs{};
    state.knobs.latencyMs = 0;
    state.knobs.activationLatencyMs = 0;
  } else if ((command == "sale" || command == "cancel") && rest.empty()) {
    exitCode = issueOnDevice(
        command == "sale" ? Function::EnviarDadosVenda : Function::CancelarUltimaVenda, state,
        deviceNow(state.knobs), random, out, err);
  } else {
    err << kToolUsage;
    return 2;
  }
  saveDeviceState(stateFile, state);
  return exitCode;
}

}  // namespace satemu
