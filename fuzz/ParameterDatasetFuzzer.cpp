// The parameter dataset opening Parametros.xml holding any bytes: a packet it
// reads is taken as it is and left untouched; anything else is reported once,
// kept aside byte for byte and replaced by the first-start default. Either
// way a post saves a file that the next start reads back the same.
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "FuzzExpect.h"
#include "platform/Files.h"
#include "settings/DataPacket.h"
#include "settings/DefaultDocuments.h"
#include "settings/ParameterDataset.h"
#include "support/RecordingDialogs.h"

namespace {

using fuzzing::expect;
namespace fs = std::filesystem;

// The program's folder, emptied before every input and removed at the end.
class ProgramFolder {
 public:
  ProgramFolder()
      : path_(fs::temp_directory_path() / ("quorvel-fuzz-" + std::to_string(getpid()))) {}
  ~ProgramFolder() { fs::remove_all(path_); }

  const fs::path& emptied() const {
    fs::remove_all(path_);
    fs::create_directories(path_);
    return path_;
  }

 private:
  fs::path path_;
};

std::vector<std::u16string> valuesOf(const settings::ParameterDataset& cds) {
  std::vector<std::u16string> values;
  for (const settings::ParameterField& field : settings::kParameterFields) {
    values.push_back(cds.readText(field.name));
    try {
      (void)cds.readNumber(field.name);
    } catch (const settings::ConversionError&) {
      // Documented: the field's text is no whole number.
    }
  }
  return values;
}

std::vector<std::u16string> valuesOf(const std::optional<settings::ParameterRecord>& record) {
  std::vector<std::u16string> values;
  for (std::size_t index = 0; index < settings::kParameterFieldCount; ++index)
    values.push_back(record ? (*record)[index].value_or(u"") : u"");
  return values;
}

// What the program should find in the file: nullopt when it is damaged. (The
// inputs stay far below the size at which a file is refused unread.)
std::optional<std::optional<settings::ParameterRecord>> packetIn(std::string_view bytes) {
  try {
    return settings::readDataPacket(bytes);
  } catch (const settings::DataPacketError&) {
    return std::nullopt;
  }
}

void checkKeptAside(const fs::path& folder, std::string_view bytes) {
  int keptAside = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name == "Parametros.xml") continue;
    expect(name.starts_with("Parametros.xml.danificado-"), "an unexpected file in the folder");
    expect(platform::readFile(entry.path()) == bytes, "the damaged file was not kept as it was");
    ++keptAside;
  }
  expect(keptAside == 1, "the damaged file was not kept aside once");
  expect(platform::readFile(folder / "Parametros.xml") == settings::kDefaultParametros,
         "the damaged file was not replaced by the default");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  static const ProgramFolder programFolder;
  const fs::path& folder = programFolder.emptied();
  const std::string_view bytes = fuzzing::bytesOf(data, size);
  platform::writeFileAtomically(folder / "Parametros.xml", bytes);
  const auto packet = packetIn(bytes);

  testing_support::RecordingDialogs dialogs;
  settings::ParameterDataset cds(folder, dialogs.settingsNotices());
  cds.open();
  const std::vector<std::u16string> values = valuesOf(cds);
  expect(dialogs.calls.size() == dialogs.messages().size(), "a dialog other than a message");
  if (packet) {
    expect(dialogs.calls.empty(), "a readable file was reported");
    expect(platform::readFile(folder / "Parametros.xml") == bytes, "opening changed the file");
    expect(values == valuesOf(*packet), "the dataset holds another record than the file");
  } else {
    expect(dialogs.calls.size() == 1, "a damaged file was not reported once");
    checkKeptAside(folder, bytes);
    expect(values == valuesOf(settings::readDataPacket(settings::kDefaultParametros)),
           "a damaged file did not give the default record");
  }

  cds.first();
  cds.edit();
  cds.post();
  cds.close();
  testing_support::RecordingDialogs nextStart;
  settings::ParameterDataset reopened(folder, nextStart.settingsNotices());
  reopened.open();
  expect(nextStart.calls.empty(), "the saved file was reported damaged");
  expect(valuesOf(reopened) == values, "the saved file holds another record");
  return 0;
}
