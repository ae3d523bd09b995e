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

TEST(Path, JoinsNamesAndFindsTheFolderWithTheSystemsSeparator) {
  using platform::Path;
  const char16_t separator = Path::kSeparators.front();
  const Path folder(u"pasta");
  EXPECT_EQ((folder / u"SAT.DLL").text(), u"pasta" + std::u16string(1, separator) + u"SAT.DLL");
  EXPECT_EQ((folder / u"SAT.DLL").parent(), folder);
  EXPECT_EQ((Path(u"pasta") + u".tmp1").text(), u"pasta.tmp1");
  // A folder that already ends in a separator gets no second one.
  EXPECT_EQ((Path(u"/") / u"x").text(), u"/x");
  EXPECT_EQ(Path(u"/x").parent().text(), u"/");
  EXPECT_TRUE(Path(u"x").parent().empty());
  EXPECT_EQ((Path() / u"x").text(), u"x");
}

// A damaged settings file is moved to a free name: an earlier copy under the
// name is never replaced.
TEST(RenameToFreeName, NeverReplacesAFile) {
  TemporaryFolder folder;
  const platform::Path from = folder.path() / "a";
  const platform::Path taken = folder.path() / "b";
  platform::writeFileAtomically(from, "new");
  platform::writeFileAtomically(taken, "old");
  EXPECT_FALSE(platform::renameToFreeName(from, taken));
  EXPECT_EQ(platform::readFile(taken), "old");
  EXPECT_TRUE(platform::renameToFreeName(from, folder.path() / "c"));
  EXPECT_FALSE(platform::fileExists(from));
  EXPECT_TRUE(platform::removeFile(folder.path() / "c"));
  EXPECT_FALSE(platform::removeFile(folder.path() / "c"));
}

}  // namespace
