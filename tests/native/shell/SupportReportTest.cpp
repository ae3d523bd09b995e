#include <gtest/gtest.h>

#include <cstdlib>

#include "codec/Base64.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "settings/DataPacket.h"
#include "shell/SupportReport.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

constexpr const char* kSecrets[] = {"CodigoAtiv01", "SenhaDoProxy1", "ChaveWifi9", "SenhaPPPoE7"};

class SupportReport : public ProgramFixture {
 protected:
  SupportReport() {
    program.start();
    // Every secret the settings hold, and a configuration sent with the
    // activation code: the proxy's password travels in its argument.
    storeSettings({{"tipoInter", u"WIFI"},
                   {"seg", u"WPA"},
                   {"codigo", u"ChaveWifi9"},
                   {"tipoLan", u"PPPoE"},
                   {"usuario", u"loja"},
                   {"senha", u"SenhaPPPoE7"},
                   {"proxy", u"1"},
                   {"proxy_ip", u"10.0.0.9"},
                   {"proxy_senha", u"SenhaDoProxy1"}});
    user([&] { main.BtnConfRede.click(); });
    main.TabConfRede.LblEdtCodRede.setTextFromUser(u"CodigoAtiv01");
    library.answers = {"123456|12000|Rede Configurada||"};
    user([&] { main.TabConfRede.BitBtn4.click(); });
  }

  std::string entry(const std::string& name) const {
    for (const auto& [entryName, bytes] : program.support.entries())
      if (entryName == name) return bytes;
    ADD_FAILURE() << name << " is not in the report";
    return {};
  }
};

TEST_F(SupportReport, HoldsTheSettingsAndTheAnswersButNoSecret) {
  ASSERT_EQ(library.calls.size(), 1u) << "the configuration was not sent";
  ASSERT_NE(platform::readFile(folder.path() / "ConfRede.xml").find("SenhaDoProxy1"),
            std::string::npos)
      << "the network document should hold the password the report hides";
  for (const auto& [name, bytes] : program.support.entries()) {
    for (const char* secret : kSecrets)
      EXPECT_EQ(bytes.find(secret), std::string::npos) << secret << " in " << name;
  }
  EXPECT_NE(entry("Parametros.xml").find("proxy_senha=\"***\""), std::string::npos);
  EXPECT_NE(entry("ConfRede.xml").find("<proxy_senha>***</proxy_senha>"), std::string::npos);
  const std::string answers = entry("respostas.txt");
  EXPECT_NE(answers.find("ConfigurarInterfaceDeRede\r\n123456|12000|Rede Configurada||"),
            std::string::npos)
      << answers;
  EXPECT_NE(entry("sobre.txt").find("Quorvel 3.0.0.3"), std::string::npos);
}

TEST_F(SupportReport, CarriesTheLastLogWholeWhateverTheViewShowedUpToItsSizeLimit) {
  const std::string line = "20261211101010|SAT|info|Recebida mensagem do AC\r\n";
  std::string small;
  for (int i = 0; i < 100; ++i) small += line;
  std::string large;
  while (large.size() <= shell::kLongestReportLog) large += line;
  large += "20261211235959|SAT|info|a última linha\r\n";
  for (const std::string* log : {&small, &large}) {
    answerCodePrompt(u"segredo1");
    library.answers = {"1|15000|Transferência completa|||" + codec::encodeBase64(*log)};
    user([&] { main.BitSuperLog.click(); });  // a view that shows only a part
    const std::string carried = entry("log-sat.txt");
    if (log == &small) {
      EXPECT_EQ(carried, small);
      continue;
    }
    EXPECT_EQ(carried.size(), shell::kLongestReportLog);
    EXPECT_TRUE(large.ends_with(carried)) << "the end of the log is kept";
    EXPECT_NE(entry("observacoes.txt").find("log-sat.txt: o log tinha"), std::string::npos);
  }
}

TEST_F(SupportReport, ADamagedSettingsFileIsLeftOutRatherThanShownWithItsSecrets) {
  platform::writeFileAtomically(folder.path() / "ConfRede.xml",
                                "<config><proxy_senha>SenhaDoProxy1</proxy_senha>");
  for (const auto& [name, bytes] : program.support.entries()) {
    EXPECT_NE(name, "ConfRede.xml");
    EXPECT_EQ(bytes.find("SenhaDoProxy1"), std::string::npos) << name;
  }
  EXPECT_NE(entry("observacoes.txt").find("ConfRede.xml: danificado"), std::string::npos);
}

// The settings reader takes field names without regard to case, so a
// password is hidden however its name is spelt, in either file.
TEST_F(SupportReport, HidesPasswordsHoweverTheirNamesAreSpelt) {
  const struct {
    const char* field;
    const char* spelling;
  } cases[] = {
      {"proxy_senha", "PROXY_SENHA"},
      {"proxy_senha", "Proxy_Senha"},
      {"senha", "SENHA"},
      {"senha", "sEnHa"},
      {"codigo", "CODIGO"},
      {"codigo", "Codigo"},
  };
  for (const auto& [field, spelling] : cases) {
    SCOPED_TRACE(spelling);
    settings::ParameterRecord record{};
    const std::size_t index = *settings::findParameterField(field);
    record[index] = u"Segredo42";
    std::string parameters = settings::writeDataPacket(record);
    const std::string stored = std::string(" ") + field + "=\"Segredo42\"";
    ASSERT_NE(parameters.find(stored), std::string::npos) << parameters;
    parameters.replace(parameters.find(stored), stored.size(),
                       std::string(" ") + spelling + "=\"Segredo42\"");
    ASSERT_EQ(settings::readDataPacket(parameters)->at(index), u"Segredo42")
        << "the reader should take this spelling";
    platform::writeFileAtomically(folder.path() / "Parametros.xml", parameters);
    platform::writeFileAtomically(
        folder.path() / "ConfRede.xml",
        std::string("<config><") + spelling + ">Segredo42</" + spelling + "></config>");
    for (const auto& [name, bytes] : program.support.entries())
      EXPECT_EQ(bytes.find("Segredo42"), std::string::npos) << name;
    EXPECT_NE(entry("Parametros.xml").find(std::string(spelling) + "=\"***\""), std::string::npos);
  }
}

// What a password element holds is hidden whole, elements inside it too.
TEST_F(SupportReport, HidesEverythingInsideAPasswordElement) {
  platform::writeFileAtomically(
      folder.path() / "ConfRede.xml",
      "<config><proxy_senha>a<parte>Segredo42</parte>b</proxy_senha><ip>10.0.0.1</ip></config>");
  const std::string shown = entry("ConfRede.xml");
  EXPECT_EQ(shown.find("Segredo42"), std::string::npos) << shown;
  EXPECT_NE(shown.find("<ip>10.0.0.1</ip>"), std::string::npos) << shown;
}

// The save dialog asks before it replaces a file, and a file of the
// program's own is refused with a word on why: the dialog opens again and
// the file keeps its bytes.
TEST_F(SupportReport, IsNeverWrittenOverAFileOfTheProgram) {
  const std::string parameters = parametersFile();
  dialogs.calls.clear();
  dialogs.fileAnswers = {platform::fromUtf8((folder.path() / "PARAMETROS.XML").string()),
                         std::nullopt};
  program.support.writeReport();
  EXPECT_EQ(parametersFile(), parameters);
  ASSERT_EQ(dialogs.texts(DialogKind::SaveFile).size(), 2u) << dialogs.describe();
  EXPECT_TRUE(dialogs.calls.front().fileOptions.askBeforeReplacing);
  ASSERT_EQ(dialogs.messages().size(), 1u) << dialogs.describe();
  EXPECT_NE(dialogs.messages()[0].find(u"guarda as configurações do programa"),
            std::u16string::npos)
      << dialogs.describe();
  EXPECT_NE(dialogs.messages()[0].find(u"Escolha outro nome ou outra pasta"), std::u16string::npos);

  // Chosen again elsewhere, the report is written.
  dialogs.calls.clear();
  const std::filesystem::path zip = folder.path() / "Parametros.xml.zip";
  dialogs.fileAnswers = {platform::fromUtf8((folder.path() / "SAT.DLL").string()),
                         platform::fromUtf8(zip.string())};
  program.support.writeReport();
  EXPECT_EQ(platform::readFile(folder.path() / "SAT.DLL"),
            "not used: the scripted library answers");
  EXPECT_TRUE(platform::readFile(zip).starts_with("PK"));
  EXPECT_EQ(dialogs.messages().back(),
            u"Relatório para suporte gravado em " + platform::fromUtf8(zip.string()));
}

// The zip is written where the user chose and reads back whole with Python's
// zipfile, the secrets absent from every file in it.
TEST_F(SupportReport, IsWrittenAsAZipThatReadsBack) {
  if (std::system("python3 -c 'import zipfile' >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "no python3 here";
  const std::filesystem::path zip = folder.path() / "suporte.zip";
  dialogs.fileAnswers = {platform::fromUtf8(zip.string())};
  program.support.writeReport();
  ASSERT_TRUE(std::filesystem::exists(zip)) << "no zip written";
  EXPECT_EQ(dialogs.calls.back().kind, DialogKind::Message);
  std::string check =
      "python3 -c \"import sys, zipfile\n"
      "z = zipfile.ZipFile(sys.argv[1])\n"
      "assert z.testzip() is None\n"
      "names = z.namelist()\n"
      "assert 'sobre.txt' in names and 'respostas.txt' in names, names\n"
      "for n in names:\n"
      "  for s in sys.argv[2:]:\n"
      "    assert s.encode() not in z.read(n), (s, n)\n\" ";
  check += "'" + zip.string() + "'";
  for (const char* secret : kSecrets) check += std::string(" ") + secret;
  EXPECT_EQ(std::system(check.c_str()), 0);
}

}  // namespace
