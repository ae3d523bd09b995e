// The parameter dataset: loading, reading, edit/set/post, saving at once on
// post and never otherwise.
#include <gtest/gtest.h>

#include <map>

#include "platform/Files.h"
#include "settings/DefaultDocuments.h"
#include "settings/ParameterDataset.h"
#include "support/RecordingDialogs.h"
#include "support/TemporaryFolder.h"

namespace settings {
namespace {

class ParameterDatasetTest : public ::testing::Test {
 protected:
  std::filesystem::path file() const { return folder.path() / "Parametros.xml"; }
  void writeParametros(std::string_view bytes) const {
    platform::writeFileAtomically(file(), bytes);
  }
  std::string parametros() const { return platform::readFile(file()); }

  // A dataset as a fresh start of the program sees the file.
  std::unique_ptr<ParameterDataset> reopened() {
    auto dataset = std::make_unique<ParameterDataset>(folder.path(), dialogs.settingsNotices());
    dataset->open();
    return dataset;
  }

  testing_support::TemporaryFolder folder;
  testing_support::RecordingDialogs dialogs;
};

TEST_F(ParameterDatasetTest, TheDefaultFileGivesTheDefaultRecord) {
  writeParametros(kDefaultParametros);
  const auto cds = reopened();
  const std::map<std::string, std::u16string> expected = {
      {"tipoInter", u"ETHE"}, {"tipoLan", u"DHCP"}, {"proxy", u"0"}, {"uf", u"35"}};
  for (const ParameterField& field : kParameterFields) {
    const auto value = expected.find(std::string(field.name));
    EXPECT_EQ(cds->readText(field.name), value == expected.end() ? u"" : value->second)
        << field.name;
  }
  EXPECT_EQ(cds->readNumber("UF"), 35);
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ParameterDatasetTest, WithoutAFileTheFirstEditAddsARecordThatPostSaves) {
  ParameterDataset cds(folder.path(), dialogs.settingsNotices());
  cds.open();
  EXPECT_EQ(cds.readText("tipoInter"), u"");
  EXPECT_FALSE(std::filesystem::exists(file())) << "opening writes nothing";
  cds.first();
  cds.edit();
  cds.setText("CNPJContribuinte", u"11222333000181");
  cds.setNumber("uf", 25);
  cds.post();
  EXPECT_EQ(reopened()->readText("cnpjcontribuinte"), u"11222333000181");
  EXPECT_EQ(reopened()->readNumber("uf"), 25);
}

TEST_F(ParameterDatasetTest, ReadingAWholeNumber) {
  const std::pair<std::u16string, std::optional<int>> cases[] = {
      {u"35", 35},
      {u"0", 0},
      {u"-12", -12},
      {u"+7", 7},
      {u"2147483647", 2147483647},
      {u"-2147483648", -2147483647 - 1},
      {u"2147483648", {}},
      {u"", {}},
      {u"-", {}},
      {u"1a", {}},
      {u" 1", {}},
      {u"1.0", {}},
      {u"\u0661", {}},
  };
  ParameterDataset cds(folder.path(), dialogs.settingsNotices());
  cds.open();
  cds.edit();
  for (const auto& [text, number] : cases) {
    cds.setText("CSR", text);  // the memo keeps any text as it is
    if (number) {
      EXPECT_EQ(cds.readNumber("CSR"), *number);
    } else {
      EXPECT_THROW(cds.readNumber("CSR"), ConversionError);
    }
  }
  cds.setText("uf", u"");
  try {
    cds.readNumber("uf");
    ADD_FAILURE() << "an empty uf is not a number";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(),
                 "O campo \"uf\" de Parametros.xml deveria conter um número inteiro, mas contém "
                 "''.");
  }
}

TEST_F(ParameterDatasetTest, ValuesAreCutToTheirFieldsWhenStored) {
  struct Case {
    const char* field;
    std::u16string value;
    std::u16string stored;
  };
  const Case cases[] = {
      {"lanIP", u"192.168.100.1000", u"192.168.100.100"},
      {"tipoInter", u"ETHERNET", u"ETHE"},
      {"proxy", u"12", u"1"},
      {"CNPJSH", u"123456789012345", u"12345678901234"},
      {"SSID", u"Café ação €", u"Café ação €"},  // all in the code page
      {"SSID", u"Ωmega 日本", u"?mega ??"},      // not in it
      {"Assinatura", std::u16string(400, u'A'), std::u16string(344, u'A')},
      {"Assinatura", u"日本 Ω", u"日本 Ω"},  // UTF-16 field: kept
      {"Assinatura", std::u16string(343, u'A') + u"\U0001F600", std::u16string(343, u'A')},
  };
  ParameterDataset cds(folder.path(), dialogs.settingsNotices());
  cds.open();
  cds.edit();
  for (const Case& c : cases) {
    cds.setText(c.field, c.value);
    EXPECT_EQ(cds.readText(c.field), c.stored) << c.field;
  }
}

TEST_F(ParameterDatasetTest, EveryValueSurvivesTheFileIncludingWhatNoPageWrites) {
  std::string packet(kDefaultParametros);
  packet.replace(packet.find("uf=\"35\""), 7,
                 "uf=\"35\" TipoCert=\"-3\" CSR=\"-----BEGIN&#13;&#10;QUJD&amp;&lt;x&gt;\"");
  writeParametros(packet);
  const std::map<std::string, std::u16string> values = {
      {"SSID", u"Rede \"Café\" & <Lá>"},       {"senha", u"a\tb'c"},
      {"CNPJContribuinte", u"11222333000181"}, {"Assinatura", u"Ω日本\U0001F600 \r\n fim"},
      {"CNPJSH", u"99888777000166"},
  };
  {
    auto cds = reopened();
    cds->edit();
    for (const auto& [field, value] : values) cds->setText(field, value);
    cds->post();
  }
  const std::string saved = parametros();
  EXPECT_TRUE(std::all_of(saved.begin(), saved.end(), [](char c) { return (c & 0x80) == 0; }))
      << "the file is pure ASCII";
  const auto cds = reopened();
  for (const auto& [field, value] : values) EXPECT_EQ(cds->readText(field), value) << field;
  EXPECT_EQ(cds->readText("TipoCert"), u"-3");
  EXPECT_EQ(cds->readText("CSR"), u"-----BEGIN\r\nQUJD&<x>");
  EXPECT_EQ(cds->readText("tipoInter"), u"ETHE");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ParameterDatasetTest, FieldNamesMatchWithoutRegardToCase) {
  ParameterDataset cds(folder.path(), dialogs.settingsNotices());
  cds.open();
  cds.edit();
  cds.setText("UF", u"7");
  cds.setText("TIPOINTER", u"WIFI");
  EXPECT_EQ(cds.readText("uf"), u"7");
  EXPECT_EQ(cds.readText("tipoInter"), u"WIFI");
  EXPECT_THROW(cds.readText("ufs"), DatasetError);
  EXPECT_THROW(cds.setText("", u"x"), DatasetError);
}

TEST_F(ParameterDatasetTest, PostSavesAtOnceSoAProcessThatDiesAfterwardsKeepsIt) {
  writeParametros(kDefaultParametros);
  auto cds = reopened();
  cds->edit();
  cds->setText("CNPJContribuinte", u"11222333000181");
  EXPECT_EQ(parametros(), kDefaultParametros) << "nothing is saved before the post";
  cds->post();
  // No close: the process is gone.
  EXPECT_EQ(reopened()->readText("CNPJContribuinte"), u"11222333000181");
}

TEST_F(ParameterDatasetTest, WithoutAPostTheFileKeepsItsBytes) {
  // A packet as another writer may lay it out: line breaks, other quoting.
  std::string packet(kDefaultParametros);
  packet.replace(packet.find("<ROWDATA>"), 9, "\n<ROWDATA>\n");
  packet.replace(packet.find("tipoInter=\"ETHE\""), 16, "tipoInter='ETHE'");
  writeParametros(packet);
  auto cds = reopened();
  cds->first();
  cds->edit();
  cds->setText("tipoInter", u"WIFI");
  EXPECT_EQ(cds->readText("tipoInter"), u"WIFI") << "the edit is visible before the post";
  cds->close();
  EXPECT_EQ(parametros(), packet);
  EXPECT_EQ(reopened()->readText("tipoInter"), u"ETHE");
}

TEST_F(ParameterDatasetTest, CloseWritesAFileThatIsMissing) {
  ParameterDataset cds(folder.path(), dialogs.settingsNotices());
  cds.open();
  cds.close();
  EXPECT_TRUE(std::filesystem::exists(file()));
  EXPECT_EQ(reopened()->readText("tipoInter"), u"");
  EXPECT_FALSE(cds.isOpen());
  EXPECT_THROW(cds.readText("uf"), DatasetError);
}

TEST_F(ParameterDatasetTest, SettingAFieldOutsideEditIsRefused) {
  writeParametros(kDefaultParametros);
  auto cds = reopened();
  EXPECT_THROW(cds->setText("uf", u"1"), DatasetError);
  cds->edit();
  cds->setText("uf", u"1");
  cds->post();
  EXPECT_THROW(cds->setNumber("uf", 2), DatasetError) << "post ends the edit";
  EXPECT_EQ(cds->readText("uf"), u"1");
}

// A folder under the file's name makes every save fail until it is removed.
class BlockedSaveTest : public ParameterDatasetTest {
 protected:
  void SetUp() override {
    writeParametros(kDefaultParametros);
    std::filesystem::remove(file());
    std::filesystem::create_directory(file());
  }
  void unblock() const { std::filesystem::remove(file()); }
  std::unique_ptr<ParameterDataset> opened() {
    auto dataset =
        std::make_unique<ParameterDataset>(folder.path(), dialogs.settingsNotices(), [this] {
          ++pauses;
          if (pauses == releaseAtPause) unblock();
        });
    dataset->open();
    return dataset;
  }
  static void store(ParameterDataset& cds, std::string_view field, std::u16string_view value) {
    cds.edit();
    cds.setText(field, value);
    cds.post();
  }

  int pauses = 0;
  int releaseAtPause = 0;  // 0: never
};

TEST_F(BlockedSaveTest, AFileHeldForAMomentIsSavedByARetryWithoutAWord) {
  releaseAtPause = 2;
  auto cds = opened();
  store(*cds, "CNPJSH", u"99888777000166");
  EXPECT_EQ(pauses, 2);
  EXPECT_TRUE(dialogs.calls.empty()) << dialogs.describe();
  EXPECT_EQ(reopened()->readText("CNPJSH"), u"99888777000166");
}

TEST_F(BlockedSaveTest, AFailedSaveKeepsTheValuesTellsOnceAndTheNextPostSavesThemAll) {
  auto cds = opened();
  ASSERT_NO_THROW(store(*cds, "CNPJSH", u"99888777000166")) << "the command goes on";
  EXPECT_EQ(pauses, ParameterDataset::kSaveAttempts - 1);
  store(*cds, "proxy_ip", u"10.0.0.1");
  ASSERT_EQ(dialogs.messages().size(), 1u) << dialogs.describe();
  const std::u16string told = dialogs.messages()[0];
  EXPECT_NE(told.find(u"não puderam ser gravadas"), std::u16string::npos) << "what";
  EXPECT_NE(told.find(file().u16string()), std::u16string::npos) << "where";
  EXPECT_NE(told.find(u"Detalhe: "), std::u16string::npos) << "the system's reason";
  EXPECT_EQ(cds->readText("CNPJSH"), u"99888777000166") << "kept in memory";

  unblock();
  store(*cds, "proxy_porta", u"3128");
  const auto saved = reopened();
  EXPECT_EQ(saved->readText("CNPJSH"), u"99888777000166");
  EXPECT_EQ(saved->readText("proxy_ip"), u"10.0.0.1");
  EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(BlockedSaveTest, CloseSavesWhatAnEarlierPostCouldNot) {
  auto cds = opened();
  store(*cds, "CNPJSH", u"99888777000166");
  unblock();
  cds->close();
  EXPECT_EQ(reopened()->readText("CNPJSH"), u"99888777000166");
}

TEST_F(BlockedSaveTest, ALastFailureAtCloseOffersAnotherFileAndCancelDropsTheValues) {
  const std::filesystem::path elsewhere = folder.path() / "copia.xml";
  for (const bool accepted : {true, false}) {
    SCOPED_TRACE(accepted ? "saved elsewhere" : "cancelled");
    dialogs.calls.clear();
    dialogs.confirmAnswers = {accepted};
    dialogs.fileAnswers = {elsewhere.u16string()};
    std::filesystem::remove(elsewhere);
    auto cds = opened();
    store(*cds, "CNPJSH", u"99888777000166");
    cds->close();
    ASSERT_EQ(dialogs.texts(testing_support::DialogKind::Confirm).size(), 1u) << dialogs.describe();
    EXPECT_EQ(std::filesystem::exists(elsewhere), accepted);
    if (accepted) {
      EXPECT_NE(platform::readFile(elsewhere).find("99888777000166"), std::string::npos);
      EXPECT_NE(dialogs.messages().back().find(elsewhere.u16string()), std::u16string::npos)
          << "says where they went";
    }
    EXPECT_TRUE(std::filesystem::is_directory(file())) << "the blocked file is left alone";
  }
}

TEST_F(ParameterDatasetTest, ANumberReadWithoutAFileSaysTheFolderIsTheProblem) {
  ParameterDataset cds(folder.path(), dialogs.settingsNotices());
  cds.open();
  try {
    cds.readNumber("uf");
    FAIL() << "an empty field is no number";
  } catch (const ConversionError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("não pôde ser criado"), std::string::npos) << message;
    EXPECT_NE(message.find(folder.path().string()), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace settings
