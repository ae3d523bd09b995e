#include "platform/ZipWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/Files.h"
#include "support/TemporaryFolder.h"

namespace {

using testing_support::TemporaryFolder;
namespace fs = std::filesystem;

bool hasCommand(const char* name) {
  return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

std::string shellQuoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

struct Entry {
  std::string name;
  std::string bytes;
  const char* method;  // "stored" or "deflated", as the archive should say
};

std::size_t countFiles(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Reads the archive back with Python's zipfile: its entries in order, their
// bytes, how each was packed, the UTF-8 flag and the date. The expected
// contents go to files beside it, listed in a manifest.
void expectPythonReads(const fs::path& zip, const std::vector<Entry>& entries,
                       const std::string& dateTime) {
  const fs::path folder = zip.parent_path() / "expected";
  fs::create_directories(folder);
  std::string manifest;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    platform::writeFileAtomically(folder / std::to_string(i), entries[i].bytes);
    manifest += entries[i].name + "\t" + entries[i].method + "\n";
  }
  platform::writeFileAtomically(folder / "manifest", manifest);
  platform::writeFileAtomically(folder / "check.py", R"(import os, sys, zipfile
archive, folder, date = sys.argv[1], sys.argv[2], sys.argv[3]
lines = open(os.path.join(folder, "manifest"), encoding="utf-8").read().splitlines()
expected = [line.split("\t") for line in lines]
methods = {"stored": zipfile.ZIP_STORED, "deflated": zipfile.ZIP_DEFLATED}
with zipfile.ZipFile(archive) as z:
    assert z.testzip() is None, "bad CRC"
    infos = z.infolist()
    assert [i.filename for i in infos] == [e[0] for e in expected], [i.filename for i in infos]
    for index, (info, (name, method)) in enumerate(zip(infos, expected)):
        want = open(os.path.join(folder, str(index)), "rb").read()
        assert z.read(info) == want, name
        assert info.compress_type == methods[method], (name, info.compress_type)
        assert info.flag_bits & 0x800, name
        assert "%04d-%02d-%02d %02d:%02d:%02d" % info.date_time == date, info.date_time
)");
  const std::string command = "python3 " + shellQuoted(folder / "check.py") + " " +
                              shellQuoted(zip) + " " + shellQuoted(folder) + " '" + dateTime + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

void expectUnzipTests(const fs::path& zip) {
  const std::string command = "unzip -tqq " + shellQuoted(zip) + " >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

// Lines of a log: compress well, yet not to nothing.
std::string largeLog() {
  std::string log;
  for (int line = 0; log.size() < (3 << 20); ++line) {
    char text[96];
    std::snprintf(text, sizeof text, "%06d|08000|Emitido com sucesso|%d|%08x\r\n", line,
                  line * 7919 % 100000, static_cast<unsigned>(line) * 2654435761u);
    log += text;
  }
  return log;
}

// Bytes deflate cannot shrink: every value, in an order without repeats.
std::string noise() {
  std::string bytes;
  std::uint32_t state = 12345;
  for (int i = 0; i < 100000; ++i) {
    state = state * 1664525u + 1013904223u;
    bytes += static_cast<char>(state >> 24);
  }
  return bytes;
}

const platform::DateTime kStamp{2024, 5, 17, {13, 45, 59, 0}};

TEST(ZipWriter, ReadersGetBackEveryEntryWithItsNameAndDate) {
  if (!hasCommand("python3") || !hasCommand("unzip")) GTEST_SKIP() << "no python3 or unzip here";
  TemporaryFolder folder;
  const std::vector<Entry> entries = {
      {"vazio.txt", "", "stored"},
      {"leia-me.txt", "Quorvel\r\n", "stored"},
      {"logs/sat.log", largeLog(), "deflated"},
      {"binario.bin", noise(), "stored"},
      {"relatório/memória.txt", "Situação: ativação concluída\r\n" + std::string(2000, 'x'),
       "deflated"},
      {"zeros", std::string(1, '\0') + std::string(5, '\xff'), "stored"},
  };
  const fs::path zip = folder.path() / "suporte.zip";
  platform::ZipWriter writer(zip, kStamp);
  for (const Entry& entry : entries) writer.add(entry.name, entry.bytes);
  writer.commit();

  // Deflated where it pays: the log alone is 3 MB.
  EXPECT_LT(fs::file_size(zip), std::uintmax_t{1} << 20);
  expectUnzipTests(zip);
  // Seconds are kept in pairs: 59 reads back as 58.
  expectPythonReads(zip, entries, "2024-05-17 13:45:58");
}

TEST(ZipWriter, AnArchiveWithNoEntriesIsStillOne) {
  if (!hasCommand("python3")) GTEST_SKIP() << "no python3 here";
  TemporaryFolder folder;
  const fs::path zip = folder.path() / "vazio.zip";
  platform::ZipWriter writer(zip, kStamp);
  writer.commit();
  EXPECT_EQ(fs::file_size(zip), 22u);
  expectPythonReads(zip, {}, "");
}

TEST(ZipWriter, StampsEntriesWithTheLocalClock) {
  if (!hasCommand("python3")) GTEST_SKIP() << "no python3 here";
  TemporaryFolder folder;
  const fs::path zip = folder.path() / "agora.zip";
  const platform::DateTime before = platform::localDateTime();
  platform::ZipWriter writer(zip);
  writer.add("a.txt", "a");
  writer.commit();
  // The date of this moment; the test does not run across midnight.
  const std::string check =
      "python3 -c \"import sys, zipfile; d = zipfile.ZipFile(sys.argv[1]).infolist()[0].date_time; "
      "sys.exit(d[:3] != (" +
      std::to_string(before.year) + ", " + std::to_string(before.month) + ", " +
      std::to_string(before.day) + "))\" " + shellQuoted(zip);
  EXPECT_EQ(std::system(check.c_str()), 0) << check;
}

// A failure halfway leaves neither a half archive nor the temporary file, and
// an older file under the name stays as it was.
TEST(ZipWriter, DroppedWithoutCommitLeavesTheFolderAsItWas) {
  TemporaryFolder folder;
  const fs::path zip = folder.path() / "suporte.zip";
  {
    platform::ZipWriter writer(zip);
    writer.add("a.txt", largeLog());
  }
  EXPECT_EQ(countFiles(folder.path()), 0u);

  platform::writeFileAtomically(zip, "anterior");
  {
    platform::ZipWriter writer(zip);
    writer.add("a.txt", "novo");
  }
  EXPECT_EQ(platform::readFile(zip), "anterior");
  EXPECT_EQ(countFiles(folder.path()), 1u);
}

// A refused name leaves the archive as it was: the entries before it and
// after it are all there.
TEST(ZipWriter, RefusesNamesThatWouldNotUnpackAsGiven) {
  if (!hasCommand("python3")) GTEST_SKIP() << "no python3 here";
  TemporaryFolder folder;
  const fs::path zip = folder.path() / "nomes.zip";
  platform::ZipWriter writer(zip, kStamp);
  writer.add("a.txt", "primeiro");
  const std::vector<std::string> refused = {
      "a.txt",          // twice
      "",               // no name
      "/etc/passwd",    // absolute
      "../fora.txt",    // outside the folder it is unpacked in
      "pasta/./a.txt",  // the same file under another name
      "pasta//a.txt",   // an empty folder name
      "pasta/",         // a folder, not a file
      "pasta\\a.txt",   // a separator on Windows
      std::string("a\0b", 3),
      "relat\xf3rio.txt",  // Latin-1, not UTF-8
      "\xc3",              // a sequence cut short
  };
  for (const std::string& name : refused) {
    EXPECT_THROW(writer.add(name, "recusado"), platform::FileError) << name;
  }
  writer.add("b.txt", "segundo");
  writer.commit();
  expectPythonReads(zip, {{"a.txt", "primeiro", "stored"}, {"b.txt", "segundo", "stored"}},
                    "2024-05-17 13:45:58");
}

TEST(ZipWriter, DuplicateNamesAreRefusedInPortuguese) {
  TemporaryFolder folder;
  platform::ZipWriter writer(folder.path() / "d.zip");
  writer.add("relatório/memória.txt", "1");
  try {
    writer.add("relatório/memória.txt", "2");
    FAIL() << "a second entry of the same name was taken";
  } catch (const platform::FileError& error) {
    EXPECT_STREQ(error.what(),
                 ("O nome \"relatório/memória.txt\" aparece duas vezes no arquivo compactado: " +
                  (folder.path() / "d.zip").string())
                     .c_str());
  }
}

// 65535 entries fill the end record's count; one more would need zip64.
TEST(ZipWriter, HoldsAsManyEntriesAsTheFormatCounts) {
  if (!hasCommand("python3") || !hasCommand("unzip")) GTEST_SKIP() << "no python3 or unzip here";
  TemporaryFolder folder;
  const fs::path zip = folder.path() / "muitos.zip";
  platform::ZipWriter writer(zip, kStamp);
  for (int i = 0; i < 65535; ++i) writer.add("n/" + std::to_string(i), "");
  EXPECT_THROW(writer.add("n/65535", ""), platform::FileError);
  writer.commit();
  expectUnzipTests(zip);
  const std::string check =
      "python3 -c \"import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
      "sys.exit(len(z.namelist()) != 65535 or z.namelist()[-1] != 'n/65534')\" " +
      shellQuoted(zip);
  EXPECT_EQ(std::system(check.c_str()), 0) << check;
}

TEST(ZipWriter, TakesNothingAfterCommit) {
  TemporaryFolder folder;
  const fs::path zip = folder.path() / "fim.zip";
  platform::ZipWriter writer(zip);
  writer.add("a.txt", "a");
  writer.commit();
  const std::string committed = platform::readFile(zip);
  EXPECT_THROW(writer.add("b.txt", "b"), platform::FileError);
  EXPECT_THROW(writer.commit(), platform::FileError);
  EXPECT_EQ(platform::readFile(zip), committed);
}

}  // namespace
