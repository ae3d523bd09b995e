// SAT.DLL's own dependencies are found beside it and in the system's folders,
// never in the current folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/DynamicLibrary.h"
#include "platform/win32/LibrarySearch.h"
#include "support/TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;

// The probe libraries, built into a folder of their own so that the test
// program's folder (which Windows always searches) does not hold them.
fs::path probeFolder() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return fs::path(self).parent_path() / "probe";
}

using ProbeFunction = int (*)();

// Run first: once the dependency is loaded, every later load finds it by name.
TEST(LibrarySearch, ADependencyInTheCurrentFolderIsNotLoaded) {
  platform::restrictLibrarySearch();
  testing_support::TemporaryFolder library;
  testing_support::TemporaryFolder current;
  fs::copy_file(probeFolder() / "probelib.dll", library.path() / "probelib.dll");
  fs::copy_file(probeFolder() / "probedep.dll", current.path() / "probedep.dll");
  const fs::path before = fs::current_path();
  fs::current_path(current.path());
  platform::DynamicLibrary probe;
  const bool loaded = probe.load(library.path() / "probelib.dll");
  fs::current_path(before);
  EXPECT_FALSE(loaded) << "the dependency came from the current folder";
}

TEST(LibrarySearch, ADependencyBesideTheLibraryIsLoaded) {
  platform::restrictLibrarySearch();
  testing_support::TemporaryFolder library;
  fs::copy_file(probeFolder() / "probelib.dll", library.path() / "probelib.dll");
  fs::copy_file(probeFolder() / "probedep.dll", library.path() / "probedep.dll");
  platform::DynamicLibrary probe;
  ASSERT_TRUE(probe.load(library.path() / "probelib.dll"));
  const auto function = reinterpret_cast<ProbeFunction>(probe.symbol("probe"));
  ASSERT_NE(function, nullptr);
  EXPECT_EQ(function(), 42);
}

}  // namespace
