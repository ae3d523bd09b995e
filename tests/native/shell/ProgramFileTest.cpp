// The support report's refusal of the program's own files, through the
// spellings a save dialog may hand back for them.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/Files.h"
#include "platform/Text.h"
#include "shell/SupportReport.h"
#include "support/TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr char16_t kSettings[] = u"guarda as configurações do programa";
constexpr char16_t kLibrary[] = u"é a biblioteca do SAT";
constexpr char16_t kProgram[] = u"é o próprio programa";

struct Case {
  std::string label;
  fs::path chosen;
  std::optional<std::u16string> expected;  // nothing: the report may go there
};

TEST(ProgramFile, IsRecognisedHoweverItsPathIsSpelt) {
  testing_support::TemporaryFolder temporary;
  const fs::path program = temporary.path() / "Quorvel";
  const fs::path other = temporary.path() / "outra";
  fs::create_directories(program / "sub");
  fs::create_directories(other);
  platform::writeFileAtomically(program / "Parametros.xml", "<DATAPACKET/>");
  platform::writeFileAtomically(program / "SAT.DLL", "MZ");
  fs::create_hard_link(program / "Parametros.xml", other / "copia.xml");

  std::vector<Case> cases = {
      {"as the program names it", program / "Parametros.xml", kSettings},
      {"in capitals", program / "PARAMETROS.XML", kSettings},
      {"in small letters", program / "sat.dll", kLibrary},
      {"another settings file", program / "ConfRede.xml",
       u"guarda a configuração de rede enviada ao SAT"},
      {"the coupon", program / "cfe.XML", u"guarda o último cupom de teste"},
      {"the 32-bit program, not there", program / "Quorvel.exe", kProgram},
      {"the 64-bit program, not there", program / "QUORVEL64.EXE", kProgram},
      {"through dots", program / "sub" / ".." / "." / "Parametros.xml", kSettings},
      {"with trailing dots and blanks", program / "Parametros.xml. .", kSettings},
      {"as one of its streams", program / "Parametros.xml:dados", kSettings},
      {"through a hard link", other / "copia.xml", kSettings},
      {"this running program", fs::path(platform::executablePath().text()), kProgram},
      {"another name in the folder", program / "suporte.zip", std::nullopt},
      {"the name and more", program / "Parametros.xml.zip", std::nullopt},
      {"the name in another folder", other / "Parametros.xml", std::nullopt},
      {"a folder named like it", program / "sub" / "SAT.DLL", std::nullopt},
  };
  std::error_code noLink;
  fs::create_directory_symlink(program, temporary.path() / "atalho", noLink);
  if (!noLink) {
    cases.push_back(
        {"through a linked folder", temporary.path() / "atalho" / "Quorvel.exe", kProgram});
  }
#ifdef _WIN32
  wchar_t shortName[MAX_PATH];
  const std::wstring longName = (program / "Parametros.xml").wstring();
  if (GetShortPathNameW(longName.c_str(), shortName, MAX_PATH) != 0 && longName != shortName)
    cases.push_back({"by its short name", fs::path(shortName), kSettings});
  cases.push_back({"with forward slashes", fs::path(program.generic_wstring() + L"/Parametros.xml"),
                   kSettings});
  cases.push_back({"as a long path", fs::path(L"\\\\?\\" + longName), kSettings});
#endif
  for (const Case& item : cases) {
    SCOPED_TRACE(item.label + ": " + item.chosen.string());
    EXPECT_EQ(shell::programFileAt(platform::Path(item.chosen), platform::Path(program)),
              item.expected);
  }
}

}  // namespace
