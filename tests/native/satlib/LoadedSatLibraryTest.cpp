// The program's own library loading, headless: a file the system cannot load
// is named by its full path and then explained in plain words.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Text.h"
#include "satlib/LibraryDiagnosis.h"
#include "satlib/LoadedSatLibrary.h"
#include "satlib/PeImageBuilder.h"
#include "support/RecordingDialogs.h"
#include "support/TemporaryFolder.h"

namespace {

using testing_support::DialogKind;

constexpr int kProgramBits = sizeof(void*) == 8 ? 64 : 32;
constexpr std::uint16_t kOwnMachine =
    kProgramBits == 64 ? testing_support::kMachineAmd64 : testing_support::kMachineI386;
constexpr std::uint16_t kOtherMachine =
    kProgramBits == 64 ? testing_support::kMachineI386 : testing_support::kMachineAmd64;

TEST(LoadedSatLibrary, AFailedLoadNamesThePathThenSaysWhy) {
  struct Case {
    const char* name;
    std::string satDll;  // empty: no file
    std::vector<std::string> besideIt;
    std::u16string said;
    std::u16string notSaid;
  };
  const Case cases[] = {
      {"library of the other program",
       testing_support::buildPeImage({kOtherMachine, true, {}}).bytes,
       {},
       u"Use o " + satlib::programFileName(kProgramBits == 64 ? 32 : 64),
       u"ausente.dll"},
      {"missing dependency",
       testing_support::buildPeImage({kOwnMachine, true, {"presente.dll", "ausente.dll"}}).bytes,
       {"presente.dll"},
       u"precisa da biblioteca ausente.dll",
       u"presente.dll"},
      {"no file at all", "", {}, u"não estava mais na pasta do programa", u"ausente.dll"},
      {"text", "not a library", {}, u"não é uma biblioteca (DLL) do Windows", u"ausente.dll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::TemporaryFolder folder;
    if (!c.satDll.empty()) platform::writeFileAtomically(folder.path() / "SAT.DLL", c.satDll);
    for (const std::string& name : c.besideIt)
      platform::writeFileAtomically(folder.path() / name, "present");
    testing_support::RecordingDialogs dialogs;
    satlib::LoadedSatLibrary library(folder.path(), dialogs, dialogs);

    EXPECT_FALSE(library.CarregaDLL(u"SAT.DLL"));

    ASSERT_EQ(dialogs.calls.size(), 2u) << dialogs.describe();
    EXPECT_EQ(dialogs.calls[0].kind, DialogKind::SystemError);
    EXPECT_EQ(dialogs.calls[0].text,
              u"Erro ao carregar a DLL: " + (folder.path() / "SAT.DLL").u16string());
    EXPECT_EQ(dialogs.calls[0].caption, u"Erro!");
    EXPECT_EQ(dialogs.calls[1].kind, DialogKind::Message);
    EXPECT_NE(dialogs.calls[1].text.find(c.said), std::u16string::npos) << dialogs.describe();
    EXPECT_EQ(dialogs.calls[1].text.find(c.notSaid), std::u16string::npos) << dialogs.describe();
    EXPECT_FALSE(library.has(satlib::EntryPoint::ConsultarSAT));
  }
}

}  // namespace
