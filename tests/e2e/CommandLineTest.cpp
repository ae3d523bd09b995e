// The console program, quorvel-cli.exe or quorvel-cli64.exe, beside the
// emulated device in a fresh folder: every command and output form with its
// exit code, every health check at its levels through the emulator's knobs,
// where the activation code may and may not come from, the time limit, and
// the lock it shares with the window program during a slow activation.
// What it writes for monitoring systems is kept under the screenshots'
// folder, in cli-outputs/, for the promtool and JSON checks of
// scripts/check-cli-outputs.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "ConsoleRun.h"
#include "DriverOptions.h"
#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

// The console program of the width of the program under test, beside it.
std::filesystem::path consoleProgram() {
  const std::filesystem::path& quorvel = driverOptions().quorvel;
  const bool wide = quorvel.filename().wstring().find(L"64") != std::wstring::npos;
  return quorvel.parent_path() / (wide ? L"quorvel-cli64.exe" : L"quorvel-cli.exe");
}

class CommandLine : public QuorvelTest {
 protected:
  void SetUp() override {
    layOut(DeviceLibrary::Emulator);
    folder_->copyIn(consoleProgram(), consoleProgram().filename().wstring());
  }

  // An activated device whose certificate has years left, associated with
  // the application that sells on it.
  void activateDevice() {
    ASSERT_EQ(knobs_->set({"device.activated", "1", "device.activationCode",
                           toUtf8(kActivationCode), "device.cnpj", "11222333000181", "device.cUF",
                           "35", "knobs.certificateDaysLeft", "400"}),
              "");
    associate();
  }

  ConsoleOutcome cli(const std::wstring& arguments,
                     std::optional<std::wstring> code = kActivationCode,
                     std::optional<std::string> input = std::nullopt) {
    const ConsoleOutcome outcome =
        runConsole(folder_->file(consoleProgram().filename().wstring()),
                   {arguments, std::move(code), std::move(input)}, folder_->path());
    EXPECT_TRUE(outcome.finished) << toUtf8(arguments) << " did not end";
    EXPECT_EQ(outcome.output.find(toUtf8(kActivationCode)), std::string::npos) << outcome.output;
    EXPECT_EQ(outcome.error.find(toUtf8(kActivationCode)), std::string::npos) << outcome.error;
    return outcome;
  }

  // Keeps what a machine reads for the checks of scripts/check-cli-outputs.
  void keep(const std::wstring& name, const std::string& bytes) {
    const std::filesystem::path folder = driverOptions().screenshots / L"cli-outputs";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }

  std::string file(const wchar_t* name) const { return folder_->read(name).value_or(""); }
};

TEST_F(CommandLine, EveryCommandAndFormWithItsExitCode) {
  activateDevice();
  ConsoleOutcome run = cli(L"consultar", std::nullopt);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, "OK: SAT em operação (08000)\r\n");
  run = cli(L"consultar --nagios", std::nullopt);
  EXPECT_EQ(run.output, "SAT OK - SAT em operação (08000)\n");
  run = cli(L"status");
  EXPECT_NE(run.output.find(" NSERIE ........... "), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("\r\nOK: Todas as 8 verificações em ordem\r\n"), std::string::npos);

  // A monitoring agent's textfile folder gets the file whole.
  run = cli(L"saude --prometheus --saida sat.prom");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, "");
  EXPECT_NE(file(L"sat.prom").find("quorvel_sat_query_succeeded{serie=\""), std::string::npos);

  run = cli(L"logs --saida log.txt");
  EXPECT_EQ(run.exitCode, 0u) << run.output << run.error;
  EXPECT_NE(file(L"log.txt").find("|AC-SAT|info|Recebida mensagem"), std::string::npos);
  ASSERT_EQ(knobs_->sale(), "");
  run = cli(L"logs --superlog --saida superlog.txt");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_NE(file(L"superlog.txt").find("   ==================== SuperLog"), std::string::npos)
      << file(L"superlog.txt");

  run = cli(L"ultima-sessao --saida cupom.xml");
  EXPECT_EQ(run.exitCode, 0u) << run.output << run.error;
  std::smatch session;
  ASSERT_TRUE(std::regex_search(run.output, session, std::regex("Sessão ([0-9]{6}): 06000")))
      << run.output;
  EXPECT_TRUE(file(L"cupom.xml").starts_with("<?xml")) << file(L"cupom.xml");
  const std::string number = session[1].str();
  const std::wstring sessao = L"sessao " + widened(number);
  run = cli(sessao + L" --saida sessao.xml");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(file(L"sessao.xml"), file(L"cupom.xml"));

  // Every command in every form, kept for promtool and the JSON parser.
  const struct {
    std::wstring arguments;
    const wchar_t* name;
  } commands[] = {{L"consultar", L"consultar"},
                  {L"status", L"status"},
                  {L"saude", L"saude"},
                  {L"logs --saida log.txt", L"logs"},
                  {L"logs --superlog --saida superlog.txt", L"superlog"},
                  {sessao + L" --saida sessao.xml", L"sessao"},
                  {L"ultima-sessao --saida cupom.xml", L"ultima-sessao"}};
  const struct {
    const wchar_t* option;
    const wchar_t* extension;
  } forms[] = {{L"", L".txt"},
               {L" --json", L".json"},
               {L" --prometheus", L".prom"},
               {L" --nagios", L".nagios"}};
  for (const auto& command : commands) {
    for (const auto& form : forms) {
      run = cli(command.arguments + form.option);
      EXPECT_EQ(run.exitCode, 0u) << toUtf8(command.arguments + form.option) << "\n"
                                  << run.output << run.error;
      keep(std::wstring(command.name) + form.extension, run.output);
    }
  }

  run = cli(L"--ajuda", std::nullopt);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_NE(run.output.find("Uso: quorvel-cli COMANDO"), std::string::npos);
}

// Each row sets the knobs for one condition, reads the health as a
// monitoring plugin and puts the knobs back.
TEST_F(CommandLine, EveryCheckAtItsLevelsThroughTheEmulator) {
  activateDevice();
  const struct {
    std::vector<std::string> knobs, healthy;
    DWORD exitCode;
    const char* said;
  } rows[] = {
      {{"knobs.certificateDaysLeft", "10"},
       {"knobs.certificateDaysLeft", "400"},
       1,
       "Certificado do SAT vence em 10 dias"},
      {{"knobs.certificateDaysLeft", "-2"},
       {"knobs.certificateDaysLeft", "400"},
       2,
       "Certificado do SAT venceu há 2 dias"},
      {{"knobs.lastCommunicationMinutesAgo", "1500"},
       {"knobs.lastCommunicationMinutesAgo", ""},
       1,
       "Última comunicação com a SEFAZ há 1 dia e 1 hora"},
      {{"knobs.lastCommunicationMinutesAgo", "7300"},
       {"knobs.lastCommunicationMinutesAgo", ""},
       2,
       "Última comunicação com a SEFAZ há 5 dias e 1 hora"},
      {{"knobs.pendingCoupons", "3"},
       {"knobs.pendingCoupons", "0"},
       1,
       "3 CF-e aguardando envio à SEFAZ"},
      {{"knobs.memoryUsedPercent", "85"}, {"knobs.memoryUsedPercent", ""}, 1, "(85 %)"},
      {{"knobs.memoryUsedPercent", "97", "knobs.memoryForm", "bytes"},
       {"knobs.memoryUsedPercent", "", "knobs.memoryForm", "units"},
       2,
       "usados de 2147483648 (97 %)"},
      {{"knobs.clockOffsetSeconds", "900"},
       {"knobs.clockOffsetSeconds", "0"},
       1,
       "Relógio do SAT 15 minutos adiantado em relação a este computador"},
      {{"knobs.clockOffsetSeconds", "-900"},
       {"knobs.clockOffsetSeconds", "0"},
       1,
       "Relógio do SAT 15 minutos atrasado em relação a este computador"},
      {{"device.lockState", "1"}, {"device.lockState", "0"}, 2, "SAT bloqueado: BLOQUEIO SEFAZ"},
      {{"device.lockState", "3", "knobs.estadoOperacao", "text"},
       {"device.lockState", "0", "knobs.estadoOperacao", "number"},
       2,
       "SAT bloqueado: BLOQUEIO AUTONOMO"},
      {{"knobs.networkStatus", "NAO_CONECTADO"},
       {"knobs.networkStatus", "CONECTADO"},
       2,
       "Rede do SAT não conectada (NAO_CONECTADO)"},
      {{"knobs.batteryLevel", "BAIXO"},
       {"knobs.batteryLevel", "ALTO"},
       1,
       "Bateria do SAT baixa (BAIXO)"},
      {{"knobs.batteryLevel", "CHEIA"},
       {"knobs.batteryLevel", "ALTO"},
       3,
       "Campo NIVEL_BATERIA (nível da bateria) ilegível: \"CHEIA\""},
      {{"knobs.missingListaFinal", "1"},
       {"knobs.missingListaFinal", "0"},
       0,
       "Todas as 8 verificações em ordem"},
  };
  for (const auto& row : rows) {
    ASSERT_EQ(knobs_->set(row.knobs), "");
    const ConsoleOutcome run = cli(L"saude --nagios");
    EXPECT_EQ(run.exitCode, row.exitCode) << row.said << "\n" << run.output;
    EXPECT_NE(run.output.find(row.said), std::string::npos) << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    ASSERT_EQ(knobs_->set(row.healthy), "");
  }
  // A file for each level, for promtool.
  const struct {
    std::vector<std::string> knobs;
    const wchar_t* name;
  } levels[] = {{{"knobs.batteryLevel", "BAIXO"}, L"aviso"},
                {{"device.lockState", "2"}, L"critico"},
                {{"knobs.networkStatus", "?", "knobs.memoryUsedPercent", "99"}, L"varios"},
                {{"knobs.batteryLevel", "", "knobs.networkStatus", ""}, L"desconhecido"}};
  for (const auto& level : levels) {
    ASSERT_EQ(knobs_->set(level.knobs), "");
    const ConsoleOutcome run = cli(L"saude --prometheus");
    EXPECT_NE(run.exitCode, 0u);
    keep(std::wstring(level.name) + L".prom", run.output);
    keep(std::wstring(level.name) + L"-status.json", cli(L"status --json").output);
  }
}

TEST_F(CommandLine, WhereTheActivationCodeMayComeFrom) {
  activateDevice();
  for (const wchar_t* arguments :
       {L"status --codigo segredo1", L"status --codigo=segredo1", L"saude segredo1"}) {
    const ConsoleOutcome run = cli(arguments, std::nullopt);
    EXPECT_EQ(run.exitCode, 3u) << toUtf8(arguments);
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.error.find("QUORVEL_CODIGO"), std::string::npos) << run.error;
  }
  EXPECT_EQ(knobs_->linesContaining("ConsultarStatusOperacional"), 0);

  folder_->write(L"codigo.txt", "segredo1\r\n");
  EXPECT_EQ(cli(L"saude --codigo-arquivo codigo.txt", std::nullopt).exitCode, 0u);
  EXPECT_EQ(cli(L"saude", std::nullopt, "segredo1\r\n").exitCode, 0u);
  const ConsoleOutcome none = cli(L"saude", std::nullopt);
  EXPECT_EQ(none.exitCode, 3u);
  EXPECT_NE(none.output.find("Falta o código de ativação."), std::string::npos) << none.output;
  const ConsoleOutcome wrong = cli(L"saude --nagios", L"errado99");
  EXPECT_EQ(wrong.exitCode, 3u);
  EXPECT_EQ(wrong.output, "SAT UNKNOWN - O SAT recusou: 10001 - Código de ativação inválido\n");
}

// The device holds the call: the console program gives up at its time limit,
// says so in the form asked for and leaves the file whole.
TEST_F(CommandLine, NoAnswerWithinTheTimeLimitIsUnknown) {
  activateDevice();
  ASSERT_EQ(knobs_->slowNextCall(10 * 60 * 1000), "");
  const ConsoleOutcome run = cli(L"saude --prometheus --tempo-limite 2 --saida sat.prom");
  ASSERT_EQ(knobs_->set({"knobs.slowMs", "0"}), "");
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_NE(run.error.find("O SAT não respondeu em 2 segundos"), std::string::npos) << run.error;
  EXPECT_NE(file(L"sat.prom").find("quorvel_sat_query_succeeded 0\n"), std::string::npos);
  keep(L"sem-resposta.prom", file(L"sat.prom"));
}

TEST_F(CommandLine, NoLibraryIsUnknown) {
  std::filesystem::remove(folder_->file(L"SAT.DLL"));
  const ConsoleOutcome run = cli(L"saude --json");
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_NE(run.error.find("Erro ao carregar a DLL"), std::string::npos) << run.error;
  keep(L"sem-biblioteca.json", run.output);
}

// A scheduled check never runs in the middle of a technician's activation:
// started while the window program waits for the device, the console program
// waits for the device's lock, gives up at its time limit, and the
// activation ends as it would have.
TEST_F(CommandLine, WaitsForTheWindowProgramsCallThenSaysTheDeviceIsBusy) {
  launch();
  main_ = waitForMainWindow();
  ASSERT_TRUE(main_);
  ASSERT_EQ(knobs_->slowNextCall(10 * 60 * 1000), "");
  click(control(main_, "BtnAtivacao"));
  ASSERT_TRUE(waitForPage(main_, "TabAtivar"));
  typeInto(main_, "EdtCodAtiv2", L"segredo1");
  typeInto(main_, "EdtCodAtiv2Conf", L"segredo1");
  typeInto(main_, "EdtCNPJContrib", L"11222333000181");
  choose(control(main_, "cbo"), 25);
  click(control(main_, "BtnAtivar"));
  const MessageBoxSeen confirmation = waitForMessageBox();
  ASSERT_TRUE(confirmation.window);
  pressOk(confirmation.window);
  ASSERT_TRUE(pollFor([&] { return knobs_->stateValue("slowCalls") == "0"; })) << windowsOnScreen();

  const ConsoleOutcome run = cli(L"saude --nagios --tempo-limite 3", L"qualquer1");
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_EQ(run.output,
            "SAT UNKNOWN - O SAT está ocupado: outro programa (o Quorvel ou outra consulta) não o "
            "liberou em 3 segundos (--tempo-limite).\n");
  EXPECT_EQ(knobs_->linesContaining("ConsultarStatusOperacional"), 0);

  ASSERT_EQ(knobs_->set({"knobs.slowMs", "0"}), "");
  EXPECT_EQ(toUtf8(answerNextMessage()),
            "SAT Ativado corretamente, faltando associá-lo ao Aplic. Comercial.")
      << windowsOnScreen();
  EXPECT_EQ(knobs_->stateValue("activated"), "1");
  EXPECT_EQ(cli(L"saude").exitCode, 0u);
}

}  // namespace
}  // namespace e2e
