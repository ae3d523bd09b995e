// Loads the emulator's stdcall and cdecl builds through the program's own
// library access and calls entry points of every width through it: the stack
// must survive both conventions and the answers must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "satlib/LoadedSatLibrary.h"
#include "ui/DeviceCalls.h"
#include "ui/Messages.h"

namespace {

std::filesystem::path stdcallFolder;
std::filesystem::path cdeclFolder;

class SilentDialogs : public ui::Messages, public ui::DeviceCalls {
 public:
  std::u16string lastError;
  void showMessage(const std::u16string&) override {}
  bool confirm(const std::u16string&) override { return false; }
  void systemError(const std::u16string& text, const std::u16string&) override { lastError = text; }
  void showModal(ui::Form&) override {}
  void reportUnexpected(const std::u16string&) override {}
  void whileDeviceWorks(const std::function<void()>& call) override { call(); }
  void whileLibraryLoads(const std::function<void()>& load) override { load(); }
};

std::string fieldOne(const std::string& answer) {
  const auto first = answer.find('|');
  return first == std::string::npos ? std::string() : answer.substr(first + 1, 5);
}

TEST(SatLibraryLoad, StdcallAndCdeclBuildsAnswerAlike) {
  SilentDialogs dialogs;
  ASSERT_FALSE(stdcallFolder.empty());
  satlib::LoadedSatLibrary stdcallLibrary(stdcallFolder, dialogs, dialogs);
  satlib::LoadedSatLibrary cdeclLibrary(cdeclFolder, dialogs, dialogs);
  ASSERT_TRUE(stdcallLibrary.CarregaDLL(u"SAT.DLL")) << dialogs.lastError.size();
  ASSERT_TRUE(cdeclLibrary.CarregaDLL(u"SAT.DLL"));
  for (std::size_t i = 0; i < satlib::kEntryPointCount; ++i) {
    const auto entry = static_cast<satlib::EntryPoint>(i);
    EXPECT_TRUE(stdcallLibrary.has(entry)) << satlib::entryPointName(entry);
    EXPECT_TRUE(cdeclLibrary.has(entry)) << satlib::entryPointName(entry);
  }
  // Many calls in a row: a stack left unbalanced by one convention would crash.
  for (int round = 0; round < 50; ++round) {
    ASSERT_EQ(fieldOne(stdcallLibrary.ConsultarSAT(100 + round)), "08000");
    ASSERT_EQ(fieldOne(cdeclLibrary.ConsultarSAT(100 + round)), "08000");
  }
  // Two, three and five arguments, texts and integers mixed. Each device has
  // its own serial number, so only the codes and the layouts are compared.
  const std::string statuses[] = {stdcallLibrary.ConsultarStatusOperacional(11, "00000000"),
                                  cdeclLibrary.ConsultarStatusOperacional(11, "00000000")};
  EXPECT_EQ(fieldOne(statuses[0]), fieldOne(statuses[1]));
  EXPECT_EQ(std::count(statuses[0].begin(), statuses[0].end(), '|'),
            std::count(statuses[1].begin(), statuses[1].end(), '|'));
  EXPECT_EQ(stdcallLibrary.ConsultarNumeroSessao(12, "12345678", 999),
            cdeclLibrary.ConsultarNumeroSessao(12, "12345678", 999));
  EXPECT_EQ(fieldOne(stdcallLibrary.AtivarSAT(13, 1, "12345678", "11222333000181", 35)), "04000");
  EXPECT_EQ(fieldOne(cdeclLibrary.AtivarSAT(13, 1, "12345678", "11222333000181", 35)), "04000");
  EXPECT_EQ(stdcallLibrary.TrocarCodigoDeAtivacao(14, "12345678", 1, "87654321", "87654321"),
            cdeclLibrary.TrocarCodigoDeAtivacao(14, "12345678", 1, "87654321", "87654321"));
}

TEST(SatLibraryLoad, AFileThatIsNoLibraryNamesItsFullPath) {
  SilentDialogs dialogs;
  const auto folder = std::filesystem::temp_directory_path() / "quorvel-not-a-library";
  std::filesystem::create_directories(folder);
  { std::ofstream(folder / "SAT.DLL") << "this is text, not a library"; }
  satlib::LoadedSatLibrary library(folder, dialogs, dialogs);
  EXPECT_FALSE(library.CarregaDLL(u"SAT.DLL"));
  EXPECT_EQ(dialogs.lastError, u"Erro ao carregar a DLL: " + (folder / "SAT.DLL").u16string());
  EXPECT_FALSE(library.has(satlib::EntryPoint::ConsultarSAT));
  EXPECT_THROW(library.ConsultarSAT(1), satlib::MissingEntryPoint);
  std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <stdcall SAT.DLL> <cdecl SAT.DLL>\n", argv[0]);
    return 2;
  }
  // Each build runs from a fresh folder of its own, so each keeps a
  // factory-new device in the state file beside it.
  const auto base = std::filesystem::temp_directory_path() / "quorvel-satlib-test";
  std::filesystem::remove_all(base);
  stdcallFolder = base / "stdcall";
  cdeclFolder = base / "cdecl";
  for (const auto& [from, to] :
       {std::pair{argv[1], stdcallFolder}, std::pair{argv[2], cdeclFolder}}) {
    std::filesystem::create_directories(to);
    std::filesystem::copy_file(from, to / "SAT.DLL");
    // A fresh device that answers at once.
    std::ofstream(to / "satemu-state.ini") << "[knobs]\nlatencyMs = 0\nactivationLatencyMs = 0\n";
  }
  const int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove_all(base, ignored);
  return result;
}
