#include "satlib/PeImageBuilder.h"

namespace testing_support {

void put16(std::string& bytes, std::size_t offset, std::uint16_t value) {
  if (bytes.size() < offset + 2) bytes.resize(offset + 2, '\0');
  bytes[offset] = static_cast<char>(value & 0xff);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

void put32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  put16(bytes, offset, static_cast<std::uint16_t>(value & 0xffff));
  put16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

PeImage buildPeImage(const PeImageContents& contents) {
  PeImage image;
  std::string& b = image.bytes;
  const bool pe32Plus = contents.machine == kMachineAmd64 || contents.machine == kMachineArm64;
  const std::uint16_t optionalSize = pe32Plus ? 240 : 224;
  const std::size_t directories = PeImage::kOptionalHeader + (pe32Plus ? 112 : 96);

  b.assign(PeImage::kSectionData, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  put32(b, PeImage::kPeOffsetField, PeImage::kPeHeader);
  b.replace(PeImage::kPeHeader, 4, std::string("PE\0\0", 4));

  put16(b, PeImage::kCoffHeader, contents.machine);
  put16(b, PeImage::kSectionCountField, 1);
  put16(b, PeImage::kOptionalHeaderSizeField, optionalSize);
  std::uint16_t characteristics = 0x0002;  // executable image
  characteristics |= pe32Plus ? 0x0020 : 0x0100;
  if (contents.dll) characteristics |= 0x2000;
  put16(b, PeImage::kCoffHeader + 18, characteristics);

  put16(b, PeImage::kOptionalHeader, pe32Plus ? 0x020b : 0x010b);
  put32(b, PeImage::kOptionalHeader + 32, 0x1000);                 // SectionAlignment
  put32(b, PeImage::kOptionalHeader + 36, 0x200);                  // FileAlignment
  put32(b, PeImage::kOptionalHeader + 56, 0x2000);                 // SizeOfImage
  put32(b, PeImage::kOptionalHeader + 60, PeImage::kSectionData);  // SizeOfHeaders
  image.directoryCountField = directories - 4;
  put32(b, image.directoryCountField, 16);

  // The section: descriptors (and the empty one that ends them), one shared
  // empty address table, then the names.
  const std::size_t descriptors = (contents.imports.size() + 1) * 20;
  const std::uint32_t thunks = static_cast<std::uint32_t>(descriptors);
  std::string section(descriptors + 16, '\0');
  for (std::size_t i = 0; i < contents.imports.size(); ++i) {
    const std::uint32_t name = static_cast<std::uint32_t>(section.size());
    image.nameOffsets.push_back(PeImage::kSectionData + name);
    section += contents.imports[i];
    section += '\0';
    put32(section, i * 20, PeImage::kSectionRva + thunks);       // OriginalFirstThunk
    put32(section, i * 20 + 12, PeImage::kSectionRva + name);    // Name
    put32(section, i * 20 + 16, PeImage::kSectionRva + thunks);  // FirstThunk
  }
  image.rawSize = (section.size() + 0x1ff) & ~std::size_t{0x1ff};
  section.resize(image.rawSize, '\0');

  image.importDirectoryField = directories + 8;
  if (!contents.imports.empty()) {
    put32(b, image.importDirectoryField, PeImage::kSectionRva);
    put32(b, image.importDirectoryField + 4, static_cast<std::uint32_t>(descriptors));
  }

  image.sectionTable = PeImage::kOptionalHeader + optionalSize;
  b.replace(image.sectionTable, 8, std::string(".idata\0\0", 8));
  put32(b, image.sectionTable + 8, 0x1000);  // VirtualSize
  put32(b, image.sectionTable + 12, PeImage::kSectionRva);
  put32(b, image.sectionTable + 16, static_cast<std::uint32_t>(image.rawSize));
  put32(b, image.sectionTable + 20, PeImage::kSectionData);
  put32(b, image.sectionTable + 36, 0xc0000040);  // initialised data, read, write

  b += section;
  return image;
}

}  // namespace testing_support
