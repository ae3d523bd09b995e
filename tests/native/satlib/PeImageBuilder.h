#pragma once
// Small PE images made in the test: a DOS stub's pointer, the COFF and
// optional headers, one section holding the import table. Enough for the
// diagnosis of a library, and laid out at known offsets so a test can damage
// any field.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

inline constexpr std::uint16_t kMachineI386 = 0x014c;
inline constexpr std::uint16_t kMachineAmd64 = 0x8664;
inline constexpr std::uint16_t kMachineArm64 = 0xaa64;

struct PeImageContents {
  std::uint16_t machine = kMachineI386;
  bool dll = true;
  std::vector<std::string> imports;  // the DLLs the import table names, in order
};

struct PeImage {
  // Offsets in the file of what tests damage.
  static constexpr std::size_t kPeOffsetField = 0x3c;
  static constexpr std::size_t kPeHeader = 0x40;
  static constexpr std::size_t kCoffHeader = 0x44;
  static constexpr std::size_t kSectionCountField = kCoffHeader + 2;
  static constexpr std::size_t kOptionalHeaderSizeField = kCoffHeader + 16;
  static constexpr std::size_t kOptionalHeader = 0x58;
  static constexpr std::size_t kSectionData = 0x200;  // the descriptors, then the names
  static constexpr std::uint32_t kSectionRva = 0x1000;

  std::string bytes;
  std::size_t directoryCountField = 0;   // NumberOfRvaAndSizes
  std::size_t importDirectoryField = 0;  // the import table's RVA
  std::size_t sectionTable = 0;
  std::vector<std::size_t> nameOffsets;  // of each imported name
  std::size_t rawSize = 0;               // of the section in the file; its virtual size is 0x1000
};

PeImage buildPeImage(const PeImageContents& contents);

void put16(std::string& bytes, std::size_t offset, std::uint16_t value);
void put32(std::string& bytes, std::size_t offset, std::uint32_t value);

}  // namespace testing_support
