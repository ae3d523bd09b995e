#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/LibraryInspection.h"
#include "support/TemporaryFolder.h"

namespace {

// The head of a file is read up to the limit, and says whether the file
// ended within it.
TEST(LibraryInspection, ReadsAtMostTheLimitAndTellsWhetherTheFileEnded) {
  constexpr std::size_t kLimit = 100000;  // more than one piece of the reading
  struct Case {
    std::size_t size;
    bool whole;
  };
  for (const Case& c : {Case{0, true}, Case{10, true}, Case{kLimit - 1, true}, Case{kLimit, true},
                        Case{kLimit + 1, false}, Case{3 * kLimit, false}}) {
    SCOPED_TRACE(c.size);
    testing_support::TemporaryFolder folder;
    std::string content(c.size, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
    platform::writeFileAtomically(folder.path() / "SAT.DLL", content);
    const platform::FileHead head = platform::readFileHead(folder.path() / "SAT.DLL", kLimit);
    EXPECT_EQ(head.failure, platform::OpenFailure::None);
    EXPECT_EQ(head.whole, c.whole);
    EXPECT_EQ(head.bytes, content.substr(0, kLimit));
  }
}

TEST(LibraryInspection, AMissingFileIsNotFound) {
  testing_support::TemporaryFolder folder;
  for (const auto& path : {folder.path() / "SAT.DLL", folder.path() / "no-folder" / "SAT.DLL"}) {
    const platform::FileHead head = platform::readFileHead(path, 1000);
    EXPECT_EQ(head.failure, platform::OpenFailure::NotFound);
    EXPECT_TRUE(head.bytes.empty());
  }
}

}  // namespace
