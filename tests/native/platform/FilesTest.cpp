#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Files.h"
#include "support/TemporaryFolder.h"

namespace {

using testing_support::TemporaryFolder;

TEST(AtomicWrite, ReplacesTheWholeFileAndLeavesNoTemporary) {
  TemporaryFolder folder;
  const auto file = folder.path() / "Parametros.xml";
  platform::writeFileAtomically(file, std::string(10000, 'a'));
  platform::writeFileAtomically(file, "short");
  EXPECT_EQ(platform::readFile(file), "short");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(AtomicWrite, FailureNamesTheFile) {
  TemporaryFolder folder;
  const auto missingFolder = folder.path() / "missing" / "file.txt";
  try {
    platform::writeFileAtomically(missingFolder, "x");
    FAIL() << "writing into a missing folder succeeded";
  } catch (const platform::FileError& error) {
    EXPECT_NE(std::string(error.what()).find("file.txt"), std::string::npos) << error.what();
  }
  EXPECT_THROW(platform::readFile(folder.path() / "absent"), platform::FileError);
}

TEST(Lines, ReadAnyLineEndingAndWriteCrLf) {
  TemporaryFolder folder;
  const auto file = folder.path() / "lines.txt";
  platform::writeFileAtomically(file, "a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_EQ(platform::readLines(file), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  platform::writeLines(file, {"x", "", "\xe7"});
  EXPECT_EQ(platform::readFile(file), "x\r\n\r\n\xe7\r\n");
  EXPECT_EQ(platform::readLines(file), (std::vector<std::string>{"x", "", "\xe7"}));
}

}  // namespace
