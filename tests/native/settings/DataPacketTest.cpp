// Parametros.xml as a data packet: change logs, the writer's form, and what a
// damaged file does to the start of the program.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "settings/DataPacket.h"
#include "settings/DefaultDocuments.h"
#include "settings/ParameterDataset.h"
#include "support/RecordingDialogs.h"
#include "support/TemporaryFolder.h"

namespace settings {
namespace {

// The default packet with its PARAMS and ROWDATA replaced.
std::string packetWith(std::string_view params, std::string_view rows) {
  std::string packet(kDefaultParametros);
  const size_t paramsStart = packet.find("<PARAMS");
  packet.replace(paramsStart, packet.find("</METADATA>") - paramsStart, params);
  const size_t rowsStart = packet.find("<ROWDATA>") + 9;
  packet.replace(rowsStart, packet.find("</ROWDATA>") - rowsStart, rows);
  return packet;
}

std::u16string valueOf(const std::optional<ParameterRecord>& record, std::string_view field) {
  if (!record) return u"<no record>";
  return (*record)[*findParameterField(field)].value_or(u"<absent>");
}

TEST(DataPacket, TheCurrentRowIsFoundThroughTheChangeLog) {
  struct Case {
    std::string params;
    std::string rows;
    std::u16string tipoInter;
    std::u16string cnpj;
  };
  const Case cases[] = {
      {"<PARAMS/>", "<ROW tipoInter=\"ETHE\" CNPJContribuinte=\"1\"/>", u"ETHE", u"1"},
      {"<PARAMS CHANGE_LOG=\"1 0 4\"/>", "<ROW RowState=\"4\" tipoInter=\"WIFI\"/>", u"WIFI",
       u"<absent>"},
      // An original row and the change that replaces it: the change holds only
      // what changed.
      {"<PARAMS CHANGE_LOG=\"2 1 8\"/>",
       "<ROW RowState=\"1\" tipoInter=\"ETHE\" CNPJContribuinte=\"1\"/>"
       "<ROW RowState=\"8\" CNPJContribuinte=\"2\"/>",
       u"ETHE", u"2"},
      {"<PARAMS CHANGE_LOG=\"1 0 4 2 1 8 3 2 8\"/>",
       "<ROW RowState=\"4\" tipoInter=\"ETHE\" CNPJContribuinte=\"1\"/>"
       "<ROW RowState=\"8\" CNPJContribuinte=\"2\"/><ROW RowState=\"8\" tipoInter=\"WIFI\"/>",
       u"WIFI", u"2"},
      {"<PARAMS CHANGE_LOG=\"1 0 2\"/>",
       "<ROW RowState=\"2\" tipoInter=\"WIFI\"/><ROW tipoInter=\"ETHE\"/>", u"ETHE", u"<absent>"},
      // References that lead nowhere or in a circle are not followed forever.
      {"<PARAMS CHANGE_LOG=\"1 9 8 9 1 4 3 2 8 2 1 8 1 2 8\"/>",
       "<ROW tipoInter=\"ETHE\"/><ROW CNPJContribuinte=\"3\"/><ROW tipoInter=\"WIFI\"/>", u"WIFI",
       u"3"},
  };
  for (const Case& c : cases) {
    const auto record = readDataPacket(packetWith(c.params, c.rows));
    EXPECT_EQ(valueOf(record, "tipoInter"), c.tipoInter) << c.params << c.rows;
    EXPECT_EQ(valueOf(record, "CNPJContribuinte"), c.cnpj) << c.params << c.rows;
  }
  EXPECT_FALSE(readDataPacket(packetWith("<PARAMS/>", "")).has_value());
}

TEST(DataPacket, TheWriterGivesTheDefaultRecordTheFirstStartBytes) {
  EXPECT_EQ(writeDataPacket(readDataPacket(kDefaultParametros)), kDefaultParametros);
  EXPECT_FALSE(readDataPacket(writeDataPacket(std::nullopt)).has_value());
}

class DamagedParametros : public ::testing::Test {
 protected:
  std::filesystem::path file() const { return folder.path() / "Parametros.xml"; }

  std::vector<std::filesystem::path> keptAside() const {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
      if (entry.path().filename().string().starts_with("Parametros.xml.danificado-")) {
        found.push_back(entry.path());
      }
    }
    return found;
  }

  testing_support::TemporaryFolder folder;
  testing_support::RecordingDialogs dialogs;
};

TEST_F(DamagedParametros, IsReportedKeptAsideAndReplacedByTheDefault) {
  const std::string field = "<FIELD attrname=\"uf\" fieldtype=\"string\" WIDTH=\"2\"/>";
  std::string fieldMissing(kDefaultParametros), fieldRenamed(kDefaultParametros),
      widthChanged(kDefaultParametros), typeChanged(kDefaultParametros);
  fieldMissing.erase(fieldMissing.find(field), field.size());
  fieldRenamed.replace(fieldRenamed.find("attrname=\"uf\""), 13, "attrname=\"estado\"");
  widthChanged.replace(widthChanged.find("WIDTH=\"688\""), 11, "WIDTH=\"10\"");
  typeChanged.replace(typeChanged.find("fieldtype=\"i4\""), 14, "fieldtype=\"string\"");
  // Well formed, but far larger than any real settings file.
  std::string huge(kDefaultParametros);
  huge.insert(huge.find("<DATAPACKET"), "<!-- " + std::string(1024 * 1024, 'x') + " -->");
  const std::string damaged[] = {
      "",
      "lixo",
      std::string(kDefaultParametros.substr(0, 38)),
      "<?xml",
      std::string(kDefaultParametros.substr(0, 300)),
      huge,
      "<?xml version=\"1.0\"?><outro/>",
      "<DATAPACKET Version=\"2.0\"><ROWDATA/></DATAPACKET>",
      fieldMissing,
      fieldRenamed,
      widthChanged,
      typeChanged,
      packetWith("<PARAMS CHANGE_LOG=\"1 0\"/>", "<ROW/>"),
      packetWith("<PARAMS/>", "<ROW RowState=\"x\"/>"),
  };
  for (const std::string& bytes : damaged) {
    for (const auto& aside : keptAside()) std::filesystem::remove(aside);
    dialogs.calls.clear();
    platform::writeFileAtomically(file(), bytes);

    ParameterDataset cds(folder.path(), dialogs.settingsNotices());
    cds.open();

    ASSERT_EQ(dialogs.messages().size(), 1u) << bytes;
    const std::u16string message = dialogs.messages()[0];
    EXPECT_NE(message.find(u"Parametros.xml\" está danificado"), std::u16string::npos);
    const auto aside = keptAside();
    ASSERT_EQ(aside.size(), 1u) << bytes;
    EXPECT_NE(message.find(aside[0].filename().u16string()), std::u16string::npos)
        << "the message names where the damaged copy is";
    EXPECT_EQ(platform::readFile(aside[0]), bytes);
    EXPECT_EQ(platform::readFile(file()), kDefaultParametros);
    EXPECT_EQ(cds.readText("tipoInter"), u"ETHE");
    EXPECT_EQ(cds.readText("uf"), u"35");
  }
}

TEST_F(DamagedParametros, AnEarlierDamagedCopyIsNeverOverwritten) {
  for (const std::string bytes : {"primeiro", "segundo", "terceiro"}) {
    platform::writeFileAtomically(file(), bytes);
    ParameterDataset(folder.path(), dialogs.settingsNotices()).open();
  }
  std::vector<std::string> kept;
  for (const auto& aside : keptAside()) kept.push_back(platform::readFile(aside));
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, (std::vector<std::string>{"primeiro", "segundo", "terceiro"}));
}

}  // namespace
}  // namespace settings
