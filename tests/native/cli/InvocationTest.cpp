#include <gtest/gtest.h>

#include "cli/Invocation.h"
#include "platform/Text.h"

namespace {

using cli::Command;
using cli::OutputForm;

std::vector<std::u16string> words(std::initializer_list<const char*> arguments) {
  std::vector<std::u16string> out;
  for (const char* argument : arguments) out.push_back(platform::fromUtf8(argument));
  return out;
}

TEST(CommandLine, CommandsAndOptionsInAnyOrder) {
  struct Case {
    std::vector<std::u16string> arguments;
    Command command;
    OutputForm form;
    bool superLog;
    int session;
    std::u16string output;
    std::u16string codeFile;
    int seconds;
  };
  const std::vector<Case> cases{
      {words({"consultar"}), Command::Consultar, OutputForm::Text, false, 0, u"", u"", 60},
      {words({"--json", "status"}), Command::Status, OutputForm::Json, false, 0, u"", u"", 60},
      {words({"saude", "--prometheus", "--saida", "C:\\agente\\sat.prom", "--tempo-limite=15"}),
       Command::Saude, OutputForm::Prometheus, false, 0, u"C:\\agente\\sat.prom", u"", 15},
      {words({"logs", "--superlog", "--saida=log.txt", "--codigo-arquivo", "codigo.txt"}),
       Command::Logs, OutputForm::Text, true, 0, u"log.txt", u"codigo.txt", 60},
      {words({"--nagios", "sessao", "000042"}), Command::Sessao, OutputForm::Nagios, false, 42, u"",
       u"", 60},
      {words({"ultima-sessao", "--saida", "cupom.xml", "--tempo-limite", "86400"}),
       Command::UltimaSessao, OutputForm::Text, false, 0, u"cupom.xml", u"", 86400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::toUtf8(c.arguments[0]));
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(c.arguments);
    ASSERT_TRUE(parsed.invocation) << platform::toUtf8(parsed.error);
    const cli::Invocation& invocation = *parsed.invocation;
    EXPECT_EQ(invocation.command, c.command);
    EXPECT_EQ(invocation.form, c.form);
    EXPECT_EQ(invocation.superLog, c.superLog);
    EXPECT_EQ(invocation.consultedSession, c.session);
    EXPECT_EQ(invocation.output.value_or(platform::Path()).text(), c.output);
    EXPECT_EQ(invocation.codeFile.value_or(platform::Path()).text(), c.codeFile);
    EXPECT_EQ(invocation.timeLimitSeconds, c.seconds);
  }
}

TEST(CommandLine, HelpInEveryUsualSpelling) {
  for (const char* help : {"--ajuda", "--help", "-h", "/?"}) {
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(words({"status", help}));
    EXPECT_TRUE(parsed.helpAsked) << help;
    EXPECT_FALSE(parsed.invocation);
  }
}

// Whatever could be an activation code is refused without being repeated,
// and the refusal says how to give the code.
TEST(CommandLine, ACodeOnTheCommandLineIsRefusedAndNeverRepeated) {
  for (const auto& arguments :
       {words({"status", "--codigo", "segredo1"}), words({"status", "--codigo=segredo1"}),
        words({"--codigo-ativacao", "segredo1", "saude"}), words({"status", "segredo1"}),
        words({"segredo1"}), words({"saude", "-c", "segredo1"})}) {
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(arguments);
    const std::string error = platform::toUtf8(parsed.error);
    EXPECT_FALSE(parsed.invocation) << error;
    EXPECT_EQ(error.find("segredo1"), std::string::npos) << error;
    EXPECT_NE(error.find("QUORVEL_CODIGO"), std::string::npos) << error;
    EXPECT_NE(error.find("--codigo-arquivo"), std::string::npos) << error;
  }
}

TEST(CommandLine, RefusalsSayWhatIsWrong) {
  const struct {
    std::vector<std::u16string> arguments;
    const char* error;
  } cases[] = {
      {{}, "Falta o comando. Use --ajuda para ver os comandos."},
      {words({"--json"}), "Falta o comando. Use --ajuda para ver os comandos."},
      {words({"status", "--json", "--nagios"}), "Use só uma de --json, --prometheus e --nagios."},
      {words({"logs"}), "logs precisa de --saida ARQUIVO para gravar o log."},
      {words({"status", "--superlog"}), "--superlog vale só para o comando logs."},
      {words({"sessao"}), "sessao precisa do número da sessão consultada, de 1 a 999999."},
      {words({"sessao", "1000000"}),
       "sessao precisa do número da sessão consultada, de 1 a 999999."},
      {words({"sessao", "0"}), "sessao precisa do número da sessão consultada, de 1 a 999999."},
      {words({"status", "--saida"}), "--saida precisa de um arquivo."},
      {words({"status", "--codigo-arquivo="}), "--codigo-arquivo precisa de um arquivo."},
      {words({"status", "--tempo-limite", "0"}),
       "--tempo-limite precisa de um número de segundos de 1 a 86400."},
      {words({"status", "--tempo-limite", "86401"}),
       "--tempo-limite precisa de um número de segundos de 1 a 86400."},
      {words({"status", "--tempo-limite=5s"}),
       "--tempo-limite precisa de um número de segundos de 1 a 86400."},
  };
  for (const auto& c : cases) {
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(c.arguments);
    EXPECT_FALSE(parsed.invocation) << c.error;
    EXPECT_EQ(platform::toUtf8(parsed.error), c.error);
  }
}

}  // namespace
