#include <gtest/gtest.h>

#include "cli/ConsoleProgram.h"
#include "cli/DeviceCallLimits.h"
#include "codec/Base64.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "support/ProgramFixture.h"
#include "support/ScriptedSatLibrary.h"
#include "support/StatusAnswer.h"
#include "support/TemporaryFolder.h"

namespace {

using health::StatusField;
using satlib::EntryPoint;
using testing_support::statusAnswer;

constexpr char kCode[] = "segredo1";

class FakeCodeInputs : public cli::CodeInputs {
 public:
  std::optional<std::u16string> environmentCode() const override { return environment; }
  std::optional<std::string> standardInputLine() override {
    ++linesRead;
    return standardInput;
  }
  std::optional<std::u16string> environment;
  std::optional<std::string> standardInput;
  int linesRead = 0;
};

// Runs calls at once; or finds the device held by another program; or lets
// the time limit run out during the call, as the console's device calls do:
// the program says so and the process would end there.
class ScriptedDeviceCalls : public ui::DeviceCalls {
 public:
  enum class Outcome { Answers, Busy, TimeRunsOut, Faults };
  struct ProcessEnded {
    int exitCode;
  };

  void whileDeviceWorks(const std::function<void()>& call) override {
    switch (outcome) {
      case Outcome::Busy:
        throw cli::DeviceUnavailable(cli::busyFor(60));
      case Outcome::TimeRunsOut:
        throw ProcessEnded{program->giveUp(cli::noAnswerWithin(60))};
      case Outcome::Faults:
        throw ui::DeviceCallFaulted();
      case Outcome::Answers:
        break;
    }
    call();
  }
  void whileLibraryLoads(const std::function<void()>& load) override { load(); }

  Outcome outcome = Outcome::Answers;
  cli::ConsoleProgram* program = nullptr;
};

class ConsoleProgram : public ::testing::Test {
 protected:
  ConsoleProgram() {
    calls.program = &program;
    inputs.environment = platform::fromUtf8(kCode);
  }

  // The exit code of a run with these arguments.
  int run(const std::vector<const char*>& arguments) {
    std::vector<std::u16string> words;
    for (const char* argument : arguments) words.push_back(platform::fromUtf8(argument));
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(words);
    if (!parsed.invocation) return cli::answerCommandLine(parsed, streams());
    try {
      return program.run(*parsed.invocation);
    } catch (const ScriptedDeviceCalls::ProcessEnded& ended) {
      return ended.exitCode;
    }
  }

  cli::ConsoleStreams streams() {
    return {[this](std::string_view bytes) { out += bytes; },
            [this](std::u16string_view text) { err += platform::toUtf8(text); }};
  }

  std::string fileText(const char* name) const { return platform::readFile(folder.path() / name); }
  std::string file(const char* name) const { return (folder.path() / name).string(); }

  // The code may reach the library only.
  void expectCodeNeverShown() const {
    EXPECT_EQ(out.find(kCode), std::string::npos) << out;
    EXPECT_EQ(err.find(kCode), std::string::npos) << err;
  }

  testing_support::TemporaryFolder folder;
  testing_support::ScriptedSatLibrary library;
  ScriptedDeviceCalls calls;
  cli::CollectedMessages messages;
  FakeCodeInputs inputs;
  testing_support::SteppingClock clock;
  std::string out;
  std::string err;
  cli::ConsoleProgram program{{library, calls, messages, inputs, clock, streams()}};
};

// 11/12/2026 10:00, the stepping clock's time, on the device as well.
std::string statusNow(std::map<StatusField, std::string> changes = {}) {
  changes.emplace(StatusField::DH_ATUAL, "20261211100000");
  changes.emplace(StatusField::DH_ULTIMA, "20261211093000");
  return statusAnswer(changes);
}

TEST_F(ConsoleProgram, DeviceQueryNeedsNoCode) {
  library.answers = {"123456|08000|SAT em operação||"};
  EXPECT_EQ(run({"consultar"}), 0);
  EXPECT_EQ(out, "OK: SAT em operação (08000)\r\n");
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].entry, EntryPoint::ConsultarSAT);
  EXPECT_EQ(inputs.linesRead, 0);
}

TEST_F(ConsoleProgram, StatusListsTheFieldsAndTheChecksWorstFirst) {
  library.answers = {statusNow({{StatusField::CERT_VENCIMENTO, "20261220"}})};
  EXPECT_EQ(run({"status"}), 1);
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].entry, EntryPoint::ConsultarStatusOperacional);
  EXPECT_EQ(library.calls[0].arguments[1], kCode);
  EXPECT_TRUE(out.starts_with(" NSERIE ........... 900004019\r\n")) << out;
  EXPECT_NE(out.find("\r\n\r\n  ATENÇÃO       Certificado do SAT vence em 9 dias (20/12/2026)\r\n"
                     "  OK            Última comunicação com a SEFAZ há 30 minutos"),
            std::string::npos)
      << out;
  EXPECT_TRUE(out.ends_with("\r\nATENÇÃO: Certificado do SAT vence em 9 dias (20/12/2026)\r\n"))
      << out;
  expectCodeNeverShown();

  out.clear();
  library.answers = {statusNow()};
  EXPECT_EQ(run({"saude"}), 0);
  EXPECT_TRUE(out.starts_with("  OK            Certificado do SAT vence em 1825 dias")) << out;
}

// The exit code is the worst level in every form.
TEST_F(ConsoleProgram, ExitCodesFollowTheWorstCheckInEveryForm) {
  const struct {
    std::map<StatusField, std::string> changes;
    int exitCode;
  } cases[] = {
      {{}, 0},
      {{{StatusField::NIVEL_BATERIA, "BAIXO"}}, 1},
      {{{StatusField::NIVEL_BATERIA, "BAIXO"}, {StatusField::STATUS_LAN, "NAO_CONECTADO"}}, 2},
      {{{StatusField::NIVEL_BATERIA, "?"}}, 3},
      {{{StatusField::NIVEL_BATERIA, "?"}, {StatusField::MT_USADA, "1700 MB"}}, 1},
  };
  for (const auto& c : cases) {
    for (const std::vector<const char*>& arguments :
         {std::vector{"saude"}, std::vector{"saude", "--json"}, std::vector{"status", "--nagios"},
          std::vector{"saude", "--prometheus"}}) {
      library.answers = {statusNow(c.changes)};
      EXPECT_EQ(run(arguments), c.exitCode) << arguments.back() << " " << out;
      out.clear();
    }
  }
}

TEST_F(ConsoleProgram, CodeFromFileThenEnvironmentThenStandardInput) {
  const std::string codeFile = file("codigo.txt");
  platform::writeFileAtomically(folder.path() / "codigo.txt",
                                "\xEF\xBB\xBF  doarquivo \r\nsegunda linha\r\n");
  inputs.standardInput = "daentrada";
  library.fallback = statusNow();

  EXPECT_EQ(run({"saude", "--codigo-arquivo", codeFile.c_str()}), 0);
  inputs.environment.reset();
  EXPECT_EQ(run({"saude"}), 0);
  inputs.environment = u"";
  EXPECT_EQ(run({"saude"}), 0);
  inputs.environment = u" doambiente ";
  EXPECT_EQ(run({"saude"}), 0);
  ASSERT_EQ(library.calls.size(), 4u);
  EXPECT_EQ(library.calls[0].arguments[1], "doarquivo");
  EXPECT_EQ(library.calls[1].arguments[1], "daentrada");
  EXPECT_EQ(library.calls[2].arguments[1], "daentrada");
  EXPECT_EQ(library.calls[3].arguments[1], "doambiente");
  EXPECT_EQ(inputs.linesRead, 2);
}

// No code, or one the device would refuse anyway: the library is not even
// loaded.
TEST_F(ConsoleProgram, MissingShortOrUnreadableCodeStopsBeforeTheDevice) {
  inputs.environment.reset();
  const std::string big = file("grande.txt");
  platform::writeFileAtomically(folder.path() / "grande.txt", std::string(2000, 'x'));
  const struct {
    std::optional<std::string> standardInput;
    std::vector<const char*> extra;
    const char* said;
  } cases[] = {
      {std::nullopt, {}, "Falta o código de ativação."},
      {"  1234567 ", {}, "Código de Ativação deve ter no mínimo 8 caracteres."},
      {"segredo1", {"--codigo-arquivo", "nenhum.txt"}, "Não foi possível ler o código"},
      {"segredo1", {"--codigo-arquivo", big.c_str()}, "passa de 1 KB"},
  };
  for (const auto& c : cases) {
    inputs.standardInput = c.standardInput;
    out.clear();
    err.clear();
    std::vector<std::u16string> words{u"saude", u"--json"};
    for (const char* extra : c.extra) words.push_back(platform::fromUtf8(extra));
    const int exitCode = program.run(*cli::parseCommandLine(words).invocation);
    EXPECT_EQ(exitCode, 3) << c.said;
    EXPECT_NE(err.find(c.said), std::string::npos) << err;
    EXPECT_NE(out.find("\"respondeu\":false"), std::string::npos) << out;
  }
  EXPECT_TRUE(library.calls.empty());
}

TEST_F(ConsoleProgram, ACodeOnTheCommandLineIsRefused) {
  EXPECT_EQ(run({"status", "--codigo=segredo1"}), 3);
  EXPECT_NE(err.find("não é aceito na linha de comando"), std::string::npos) << err;
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(library.calls.empty());
  expectCodeNeverShown();
}

TEST_F(ConsoleProgram, BusyTimedOutFaultyOrMissingDeviceIsUnknown) {
  const struct {
    ScriptedDeviceCalls::Outcome outcome;
    bool loads;
    const char* said;
  } cases[] = {
      {ScriptedDeviceCalls::Outcome::Busy, true, "O SAT está ocupado: outro programa"},
      {ScriptedDeviceCalls::Outcome::TimeRunsOut, true, "O SAT não respondeu em 60 segundos"},
      {ScriptedDeviceCalls::Outcome::Faults, true,
       "O SAT.DLL falhou ao executar ConsultarStatusOperacional."},
      {ScriptedDeviceCalls::Outcome::Answers, false, "O SAT.DLL não foi carregado."},
  };
  for (const auto& c : cases) {
    calls.outcome = c.outcome;
    library.loads = c.loads;
    out.clear();
    err.clear();
    EXPECT_EQ(run({"saude", "--prometheus"}), 3) << c.said;
    EXPECT_EQ(out,
              "# HELP quorvel_sat_query_succeeded 1 quando o SAT respondeu ao comando com seu "
              "código de sucesso, 0 quando não.\n"
              "# TYPE quorvel_sat_query_succeeded gauge\n"
              "quorvel_sat_query_succeeded 0\n");
    EXPECT_TRUE(err.starts_with(c.said)) << err;
  }
}

// The message is read where the window program reads it: after a four-digit
// validation code when there is one, never from the authority's fields.
TEST_F(ConsoleProgram, DeviceRefusalIsUnknown) {
  const struct {
    const char* answer;
    const char* said;
  } cases[] = {
      {"123456|10001|Código de ativação inválido||",
       "SAT UNKNOWN - O SAT recusou: 10001 - Código de ativação inválido\n"},
      {"123456|10098|0000|SAT em processamento. Tente novamente.||",
       "SAT UNKNOWN - O SAT recusou: 10098 - SAT em processamento. Tente novamente.\n"},
      {"123456|10099||1999|Rejeição da SEFAZ", "SAT UNKNOWN - O SAT recusou: 10099 - \n"},
  };
  for (const auto& c : cases) {
    library.answers = {c.answer};
    out.clear();
    EXPECT_EQ(run({"status", "--nagios"}), 3) << c.answer;
    EXPECT_EQ(out, c.said) << c.answer;
  }
}

// A monitoring agent reads the file while it is rewritten: it is replaced
// whole, and nothing goes to standard output.
TEST_F(ConsoleProgram, ResultToAFile) {
  const std::string prom = file("sat.prom");
  platform::writeFileAtomically(folder.path() / "sat.prom", "anterior\n");
  library.answers = {statusNow()};
  EXPECT_EQ(run({"saude", "--prometheus", "--saida", prom.c_str()}), 0);
  EXPECT_TRUE(out.empty());
  const std::string written = fileText("sat.prom");
  EXPECT_NE(written.find("quorvel_sat_query_succeeded{serie=\"900004019\"} 1\n"), std::string::npos)
      << written;

  EXPECT_EQ(run({"saude", "--json", "--saida", file("nenhuma/pasta.json").c_str()}), 3);
  EXPECT_NE(err.find("Não foi possível gravar o arquivo"), std::string::npos);
}

std::string logAnswer(const std::string& log) {
  return "123456|15000|Transferência completa|||" + codec::encodeBase64(log);
}

TEST_F(ConsoleProgram, LogsAndTheSuperLogBlockToTheirFile) {
  const std::string log =
      "20261211100000|AC-SAT|info|Recebida mensagem\n"
      "20261211100000|SAT|info|==================== SuperLog =====================\n"
      "20261211100000|SAT-SEFAZ|info|CF-e-SAT processado\n"
      "20261211100000|SAT|info|===================================================\n";
  library.answers = {logAnswer(log), logAnswer(log), logAnswer("sem bloco\n")};
  EXPECT_EQ(run({"logs", "--saida", file("log.txt").c_str()}), 0);
  EXPECT_EQ(fileText("log.txt"),
            "20261211100000|AC-SAT|info|Recebida mensagem\r\n"
            "20261211100000|SAT|info|==================== SuperLog =====================\r\n"
            "20261211100000|SAT-SEFAZ|info|CF-e-SAT processado\r\n"
            "20261211100000|SAT|info|===================================================\r\n"
            "\r\n"
            "------------------------------------------------------\r\n");
  EXPECT_EQ(run({"logs", "--superlog", "--json", "--saida", file("super.txt").c_str()}), 0);
  EXPECT_EQ(fileText("super.txt"),
            "\r\n   ==================== SuperLog =====================\r\n"
            "   CF-e-SAT processado\r\n"
            "   ===================================================\r\n");
  EXPECT_NE(out.find("\"arquivo\":\""), std::string::npos);
  EXPECT_EQ(run({"logs", "--superlog", "--saida", file("nenhum.txt").c_str()}), 0);
  EXPECT_NE(fileText("nenhum.txt").find("foi encontrado SuperLog"), std::string::npos);
  EXPECT_EQ(library.calls.size(), 3u);
  for (const auto& call : library.calls) EXPECT_EQ(call.entry, EntryPoint::ExtrairLogs);
}

std::string saleAnswer(const std::string& session) {
  const std::string coupon = "<?xml version=\"1.0\"?>\n<CFe>\n  <infCFe/>\n</CFe>\n";
  return session + "|06000|0000|Emitido com sucesso + conteúdo notas|||" +
         codec::encodeBase64(coupon) + "|20261211095900|CFe" + std::string(44, '1') +
         "|10.00||QRCODE";
}

TEST_F(ConsoleProgram, SessionQueriesWriteTheCoupon) {
  library.answers = {saleAnswer("000042"), saleAnswer("000077")};
  EXPECT_EQ(run({"sessao", "42", "--saida", file("cupom.xml").c_str()}), 0);
  EXPECT_EQ(fileText("cupom.xml"), "<?xml version=\"1.0\"?>\r\n<CFe>\r\n  <infCFe/>\r\n</CFe>\r\n");
  EXPECT_NE(out.find("OK: Sessão 000042: 06000 - Emitido com sucesso + conteúdo notas; chave CFe"),
            std::string::npos)
      << out;
  EXPECT_EQ(run({"ultima-sessao", "--json", "--saida", file("ultimo.xml").c_str()}), 0);
  EXPECT_TRUE(platform::fileExists(folder.path() / "ultimo.xml"));
  ASSERT_EQ(library.calls.size(), 2u);
  EXPECT_EQ(library.calls[0].entry, EntryPoint::ConsultarNumeroSessao);
  EXPECT_EQ(library.calls[0].arguments[2], "42");
  EXPECT_EQ(library.calls[1].entry, EntryPoint::ConsultarUltimaSessaoFiscal);
}

// The query's own answer carries its own session number: the device refused
// the query.
TEST_F(ConsoleProgram, SessionQueryRefusedByTheDevice) {
  library.duringCall = [this] {
    library.answers = {library.calls.back().arguments[0] + "|11003|Sessão não existe||"};
  };
  EXPECT_EQ(run({"sessao", "42", "--saida", file("cupom.xml").c_str()}), 3);
  EXPECT_NE(out.find("O SAT recusou: 11003 - Sessão não existe"), std::string::npos) << out;
  EXPECT_FALSE(platform::fileExists(folder.path() / "cupom.xml"));
}

}  // namespace
