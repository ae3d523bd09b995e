#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <set>

#include "platform/Text.h"
#include "satlib/LibraryDiagnosis.h"
#include "satlib/PeImageBuilder.h"

namespace {

using satlib::ImageDefect;
using satlib::LibraryVerdict;
using testing_support::buildPeImage;
using testing_support::kMachineAmd64;
using testing_support::kMachineArm64;
using testing_support::kMachineI386;
using testing_support::PeImage;
using testing_support::PeImageContents;
using testing_support::put16;
using testing_support::put32;

std::string lowered(std::string_view name) {
  std::string text(name);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return text;
}

// The DLLs the test's computer has: "presente.dll" beside the program and
// kernel32.dll in the system folder, whatever their spelling.
struct Computer {
  std::vector<std::string> asked;
  bool found(std::string_view name) {
    asked.emplace_back(name);
    const std::string key = lowered(name);
    return key == "presente.dll" || key == "kernel32.dll";
  }
};

const platform::LoadError kModuleNotFound{126, u"The specified module could not be found.\r\n"};
const platform::LoadError kBadFormat{193, u"%1 is not a valid Win32 application.\r\n"};

satlib::LibraryDiagnosis diagnose(const std::string& bytes, int programBits, Computer& computer,
                                  platform::LoadError loadError = kModuleNotFound,
                                  bool whole = true) {
  satlib::LoadFailureFacts facts;
  facts.libraryName = u"SAT.DLL";
  facts.programFolder = u"C:\\Quorvel";
  facts.programBits = programBits;
  facts.head = bytes;
  facts.whole = whole;
  facts.dependencyFound = [&](std::string_view name) { return computer.found(name); };
  facts.loadError = std::move(loadError);
  return diagnoseLibrary(facts);
}

std::string shown(const std::u16string& text) {
  return platform::toUtf8(text);
}

bool mentions(const std::u16string& text, std::u16string_view part) {
  return text.find(part) != std::u16string::npos;
}

struct ImageCase {
  const char* name;
  PeImageContents contents;
  std::function<void(PeImage&)> damage;
  int programBits;
  LibraryVerdict verdict;
  ImageDefect defect;
  std::vector<std::string> missing = {};
  std::vector<std::u16string> said = {};     // the message holds each
  std::vector<std::u16string> notSaid = {};  // and none of these
  platform::LoadError loadError = kModuleNotFound;
};

PeImageContents i386Dll(std::vector<std::string> imports = {"KERNEL32.dll"}) {
  return {kMachineI386, true, std::move(imports)};
}

PeImageContents amd64Dll(std::vector<std::string> imports = {"KERNEL32.dll"}) {
  return {kMachineAmd64, true, std::move(imports)};
}

void cutTo(PeImage& image, std::size_t size) {
  image.bytes.resize(size);
}

// Descriptors from the start of the section, to the end of the file or as
// many as asked, all naming a DLL kept in the headers' padding.
void fillWithDescriptors(PeImage& image, std::size_t count = SIZE_MAX) {
  constexpr std::size_t kName = 0x1a0;
  image.bytes.replace(kName, 6, std::string("x.dll", 6));
  for (std::size_t at = PeImage::kSectionData; at + 20 <= image.bytes.size() && count > 0;
       at += 20, --count) {
    put32(image.bytes, at + 12, kName);
    put32(image.bytes, at + 16, PeImage::kSectionRva);
  }
}

const std::vector<ImageCase>& imageCases() {
  static const std::vector<ImageCase> cases = {
      // The other program's library.
      {"64-bit library beside the 32-bit program",
       amd64Dll(),
       nullptr,
       32,
       LibraryVerdict::OtherBitness,
       ImageDefect::None,
       {},
       {u"64 bits", u"Use o Quorvel64.exe", u"(Quorvel.exe) é de 32 bits"},
       {},
       kBadFormat},
      {"32-bit library beside the 64-bit program",
       i386Dll(),
       nullptr,
       64,
       LibraryVerdict::OtherBitness,
       ImageDefect::None,
       {},
       {u"32 bits", u"Use o Quorvel.exe", u"(Quorvel64.exe) é de 64 bits"},
       {},
       kBadFormat},
      {"other bitness wins over a missing dependency",
       amd64Dll({"ausente.dll"}),
       nullptr,
       32,
       LibraryVerdict::OtherBitness,
       ImageDefect::None,
       {},
       {u"Quorvel64.exe"},
       {u"ausente.dll"}},
      {"ARM64 library",
       {kMachineArm64, true, {}},
       nullptr,
       64,
       LibraryVerdict::OtherProcessor,
       ImageDefect::None,
       {},
       {u"ARM64", u"64 bits"},
       {u"Quorvel.exe"}},
      {"unknown processor",
       i386Dll(),
       [](PeImage& image) { put16(image.bytes, PeImage::kCoffHeader, 0x1234); },
       32,
       LibraryVerdict::OtherProcessor,
       ImageDefect::None,
       {},
       {u"0x1234"}},

      // Programs are no libraries, whatever their bitness.
      {"32-bit program",
       {kMachineI386, false, {}},
       nullptr,
       32,
       LibraryVerdict::ProgramNotLibrary,
       ImageDefect::None,
       {},
       {u"programa (.exe)"}},
      {"64-bit program beside the 32-bit program",
       {kMachineAmd64, false, {}},
       nullptr,
       32,
       LibraryVerdict::ProgramNotLibrary,
       ImageDefect::None,
       {},
       {u"programa (.exe)"},
       {u"Quorvel64.exe"}},

      // Not a PE file.
      {"empty file",
       i386Dll(),
       [](PeImage& image) { cutTo(image, 0); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::NoExecutableMark,
       {},
       {u"\"MZ\""}},
      {"text file",
       i386Dll(),
       [](PeImage& image) { image.bytes = "this is text, not a DLL"; },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::NoExecutableMark,
       {},
       {u"não é uma biblioteca (DLL) do Windows"}},
      {"only MZ",
       i386Dll(),
       [](PeImage& image) { cutTo(image, 2); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::Truncated,
       {},
       {}},
      {"MZ cut before the PE pointer",
       i386Dll(),
       [](PeImage& image) { cutTo(image, 0x3e); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::Truncated,
       {},
       {}},
      {"MZ without PE (a DOS program)",
       i386Dll(),
       [](PeImage& image) { image.bytes.replace(PeImage::kPeHeader, 4, std::string("NE\0\0", 4)); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::NoPeSignature,
       {},
       {u"\"PE\""}},
      {"PE pointer past the end",
       i386Dll(),
       [](PeImage& image) { put32(image.bytes, PeImage::kPeOffsetField, 0x7fff0000); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::Truncated,
       {},
       {}},
      {"PE pointer at the last bytes",
       i386Dll(),
       [](PeImage& image) {
         put32(image.bytes, PeImage::kPeOffsetField,
               static_cast<std::uint32_t>(image.bytes.size() - 2));
       },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::Truncated,
       {},
       {}},
      {"PE pointer that wraps around",
       i386Dll(),
       [](PeImage& image) { put32(image.bytes, PeImage::kPeOffsetField, 0xfffffffe); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::Truncated,
       {},
       {}},
      {"cut inside the COFF header",
       i386Dll(),
       [](PeImage& image) { cutTo(image, PeImage::kCoffHeader + 10); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::Truncated,
       {},
       {}},
      {"cut inside the optional header",
       i386Dll(),
       [](PeImage& image) { cutTo(image, PeImage::kOptionalHeader + 50); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::Truncated,
       {},
       {}},
      {"PE32+ header on an i386 library",
       i386Dll(),
       [](PeImage& image) { put16(image.bytes, PeImage::kOptionalHeader, 0x020b); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadOptionalHeader,
       {},
       {}},
      {"optional header too small for its fields",
       i386Dll(),
       [](PeImage& image) { put16(image.bytes, PeImage::kOptionalHeaderSizeField, 16); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadOptionalHeader,
       {},
       {}},
      {"optional header larger than the file",
       i386Dll(),
       [](PeImage& image) { put16(image.bytes, PeImage::kOptionalHeaderSizeField, 0xffff); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::Truncated,
       {},
       {}},
      {"65535 sections",
       i386Dll(),
       [](PeImage& image) { put16(image.bytes, PeImage::kSectionCountField, 0xffff); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadSectionTable,
       {},
       {}},

      // Hostile import tables.
      {"import table outside every section",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) {
         // Past the headers and before the section: in the file, but nothing
         // the loader maps from it.
         put32(image.bytes, image.importDirectoryField, 0x300);
       },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {u"importações"}},
      {"import table at the end of the address space",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) { put32(image.bytes, image.importDirectoryField, 0xfffffff8); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {}},
      {"section data past the end of the file",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) { put32(image.bytes, image.sectionTable + 20, 0x7fffff00); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {}},
      {"section raw size larger than the file",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) {
         put32(image.bytes, image.sectionTable + 16, 0xfffff000);
         put32(image.bytes, image.sectionTable + 8, 0xfffff000);
         fillWithDescriptors(image);
       },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {}},
      {"more descriptors than any library has",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) {
         // 5000 of them and then the end: a walk without a bound would
         // find x.dll missing.
         image.bytes.resize(PeImage::kSectionData + 0x20000, '\0');
         put32(image.bytes, image.sectionTable + 16, 0x20000);
         put32(image.bytes, image.sectionTable + 8, 0x20000);
         fillWithDescriptors(image, 5000);
       },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {}},
      {"name in the zero-filled part of the section",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) {
         // The file goes on there, but the loader maps zeros past the
         // section's raw size.
         put32(image.bytes, PeImage::kSectionData + 12, PeImage::kSectionRva + 0x800);
         image.bytes.resize(PeImage::kSectionData + 0x800, '\0');
         image.bytes += std::string("fora.dll", 9);
       },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {}},
      {"descriptors without an end",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) { fillWithDescriptors(image); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {}},
      {"name cut by the end of the file",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) { cutTo(image, image.nameOffsets[0] + 4); },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {}},
      {"name of control characters",
       i386Dll({std::string("aus\x01nte.dll")}),
       nullptr,
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {}},
      {"empty name",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) { image.bytes[image.nameOffsets[0]] = '\0'; },
       32,
       LibraryVerdict::NotALibrary,
       ImageDefect::BadImportTable,
       {},
       {}},
      {"descriptors end at an entry without an address table",
       i386Dll({"presente.dll", "ausente.dll"}),
       [](PeImage& image) { put32(image.bytes, PeImage::kSectionData + 20 + 16, 0); },
       32,
       LibraryVerdict::Refused,
       ImageDefect::None,
       {},
       {u"Erro do Windows 126"}},
      {"no import directory in the header",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) { put32(image.bytes, image.directoryCountField, 1); },
       32,
       LibraryVerdict::Refused,
       ImageDefect::None,
       {},
       {}},
      {"directory count far beyond the header",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) { put32(image.bytes, image.directoryCountField, 0xffffffff); },
       32,
       LibraryVerdict::MissingDependency,
       ImageDefect::None,
       {"ausente.dll"},
       {}},
      {"import table in the headers",
       i386Dll({"ausente.dll"}),
       [](PeImage& image) {
         // The descriptor and its name copied into the padding after the
         // section table, which the loader maps with the headers.
         const std::size_t at = image.sectionTable + 48;
         put32(image.bytes, image.importDirectoryField, static_cast<std::uint32_t>(at));
         put32(image.bytes, at + 12, static_cast<std::uint32_t>(at + 40));
         put32(image.bytes, at + 16, PeImage::kSectionRva);
         image.bytes.replace(at + 40, 12, std::string("headers.dll", 12));
       },
       32,
       LibraryVerdict::MissingDependency,
       ImageDefect::None,
       {"headers.dll"},
       {}},

      // Dependencies.
      {"missing dependency named",
       i386Dll({"KERNEL32.dll", "presente.dll", "ausente.dll"}),
       nullptr,
       32,
       LibraryVerdict::MissingDependency,
       ImageDefect::None,
       {"ausente.dll"},
       {u"precisa da biblioteca ausente.dll, que não foi encontrada", u"C:\\Quorvel"},
       {u"presente.dll", u"KERNEL32"}},
      {"64-bit library missing two",
       amd64Dll({"ausente.dll", "outra.dll"}),
       nullptr,
       64,
       LibraryVerdict::MissingDependency,
       ImageDefect::None,
       {"ausente.dll", "outra.dll"},
       {u"bibliotecas ausente.dll e outra.dll, que não foram encontradas"}},
      {"one DLL named twice in two spellings",
       i386Dll({"AUSENTE.DLL", "ausente.dll"}),
       nullptr,
       32,
       LibraryVerdict::MissingDependency,
       ImageDefect::None,
       {"AUSENTE.DLL"},
       {}},
      {"API sets count as present",
       i386Dll({"api-ms-win-crt-runtime-l1-1-0.dll", "EXT-MS-x.dll"}),
       nullptr,
       32,
       LibraryVerdict::Refused,
       ImageDefect::None,
       {},
       {}},
      {"C++ runtime",
       i386Dll({"MSVCR90.dll", "msvcrt.dll"}),
       nullptr,
       32,
       LibraryVerdict::MissingDependency,
       ImageDefect::None,
       {"MSVCR90.dll", "msvcrt.dll"},
       {u"MSVCR90.dll faz parte do Microsoft Visual C++ Redistributable", u"versão x86"},
       {u"msvcrt.dll faz"}},
      {"every dependency present",
       i386Dll({"Kernel32.DLL", "PRESENTE.dll"}),
       nullptr,
       32,
       LibraryVerdict::Refused,
       ImageDefect::None,
       {},
       {u"parece ser uma biblioteca válida para este programa (Quorvel.exe, 32 bits)",
        u"Erro do Windows 126: The specified module could not be found."}},
      {"a missing DLL with another Windows error is not blamed",
       i386Dll({"ausente.dll"}),
       nullptr,
       32,
       LibraryVerdict::Refused,
       ImageDefect::None,
       {"ausente.dll"},
       {u"Erro do Windows 1114: A DLL initialization routine failed."},
       {u"ausente.dll"},
       {1114, u"A DLL initialization routine failed."}},
      {"the system's text names the library",
       i386Dll(),
       nullptr,
       32,
       LibraryVerdict::Refused,
       ImageDefect::None,
       {},
       {u"Erro do Windows 193: SAT.DLL is not a valid Win32 application."},
       {u"%1"},
       kBadFormat},
      {"no error code from the system",
       i386Dll(),
       nullptr,
       32,
       LibraryVerdict::Refused,
       ImageDefect::None,
       {},
       {u"Erro do sistema: invalid ELF header"},
       {u"Erro do Windows"},
       {0, u"invalid ELF header"}},
  };
  return cases;
}

TEST(LibraryDiagnosis, ImagesGiveTheirVerdictAndNameWhatTheUserNeeds) {
  for (const ImageCase& c : imageCases()) {
    SCOPED_TRACE(c.name);
    PeImage image = buildPeImage(c.contents);
    if (c.damage) c.damage(image);
    Computer computer;
    const auto diagnosis = diagnose(image.bytes, c.programBits, computer, c.loadError);
    EXPECT_EQ(diagnosis.verdict, c.verdict) << shown(diagnosis.message);
    EXPECT_EQ(diagnosis.defect, c.defect);
    EXPECT_EQ(diagnosis.missingDependencies, c.missing);
    for (const std::u16string& part : c.said)
      EXPECT_TRUE(mentions(diagnosis.message, part)) << shown(part) << "\n"
                                                     << shown(diagnosis.message);
    for (const std::u16string& part : c.notSaid)
      EXPECT_FALSE(mentions(diagnosis.message, part)) << shown(part) << "\n"
                                                      << shown(diagnosis.message);
    EXPECT_TRUE(mentions(diagnosis.message, u"SAT.DLL")) << shown(diagnosis.message);
    // The system is asked about a name once, never about an API set.
    std::set<std::string> asked;
    for (const std::string& name : computer.asked) {
      EXPECT_TRUE(asked.insert(lowered(name)).second) << name << " asked twice";
      EXPECT_NE(lowered(name).rfind("api-ms-", 0), 0u) << name;
      EXPECT_NE(lowered(name).rfind("ext-ms-", 0), 0u) << name;
    }
  }
}

TEST(LibraryDiagnosis, OtherBitnessNamesTheProgramThatLoadsIt) {
  struct Case {
    std::uint16_t machine;
    int programBits;
    std::u16string otherProgram;
  };
  for (const Case& c :
       {Case{kMachineAmd64, 32, u"Quorvel64.exe"}, Case{kMachineI386, 64, u"Quorvel.exe"}}) {
    Computer computer;
    const auto diagnosis =
        diagnose(buildPeImage({c.machine, true, {}}).bytes, c.programBits, computer, kBadFormat);
    EXPECT_EQ(diagnosis.verdict, LibraryVerdict::OtherBitness);
    EXPECT_EQ(diagnosis.libraryBits, c.programBits == 32 ? 64 : 32);
    EXPECT_EQ(diagnosis.otherProgram, c.otherProgram);
  }
}

TEST(LibraryDiagnosis, FilesThatCannotBeOpenedSayWhy) {
  struct Case {
    platform::OpenFailure failure;
    LibraryVerdict verdict;
    std::u16string said;
  };
  const Case cases[] = {
      {platform::OpenFailure::NotFound, LibraryVerdict::FileMissing, u"C:\\Quorvel"},
      {platform::OpenFailure::AccessDenied, LibraryVerdict::AccessDenied, u"acesso negado"},
      {platform::OpenFailure::Locked, LibraryVerdict::FileLocked, u"em uso por outro programa"},
      {platform::OpenFailure::Other, LibraryVerdict::Refused, u"Erro do Windows 126"},
  };
  for (const Case& c : cases) {
    satlib::LoadFailureFacts facts;
    facts.libraryName = u"SAT.DLL";
    facts.programFolder = u"C:\\Quorvel";
    facts.openFailure = c.failure;
    facts.loadError = kModuleNotFound;
    const auto diagnosis = diagnoseLibrary(facts);
    EXPECT_EQ(diagnosis.verdict, c.verdict) << shown(diagnosis.message);
    EXPECT_TRUE(mentions(diagnosis.message, c.said)) << shown(diagnosis.message);
    // The shell's own message for a missing SAT.DLL says it another way.
    EXPECT_FALSE(mentions(diagnosis.message, u"não foi encotrada"));
  }
}

// A large library is read only in part: an import table past that part is
// not judged, neither as damage nor as missing DLLs.
TEST(LibraryDiagnosis, ImportTablePastThePartReadIsNotJudged) {
  const PeImage image = buildPeImage(i386Dll({"ausente.dll"}));
  struct Case {
    std::size_t readUpTo;
    bool whole;
    LibraryVerdict verdict;
  };
  const Case cases[] = {
      {PeImage::kSectionData, false, LibraryVerdict::Refused},        // descriptors not read
      {image.nameOffsets[0] + 3, false, LibraryVerdict::Refused},     // name cut by the reading
      {image.nameOffsets[0] + 3, true, LibraryVerdict::NotALibrary},  // name cut by the file's end
      {image.bytes.size(), false, LibraryVerdict::MissingDependency},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.readUpTo);
    Computer computer;
    const auto diagnosis =
        diagnose(image.bytes.substr(0, c.readUpTo), 32, computer, kModuleNotFound, c.whole);
    EXPECT_EQ(diagnosis.verdict, c.verdict) << shown(diagnosis.message);
  }
}

// Every cut and many damaged copies of a library: the diagnosis never reads
// outside the bytes (the sanitizers watch) and always has something to say.
TEST(LibraryDiagnosis, CutAndDamagedImagesAlwaysGiveAMessage) {
  std::vector<std::string> originals;
  for (const PeImageContents& contents :
       {i386Dll({"presente.dll", "ausente.dll", "KERNEL32.dll"}), amd64Dll({"ausente.dll"}),
        PeImageContents{kMachineI386, false, {}}})
    originals.push_back(buildPeImage(contents).bytes);
  std::mt19937 random(20240613);
  for (const std::string& original : originals) {
    for (std::size_t size = 0; size <= original.size(); ++size) {
      Computer computer;
      for (bool whole : {true, false}) {
        const auto diagnosis =
            diagnose(original.substr(0, size), 32, computer, kModuleNotFound, whole);
        ASSERT_FALSE(diagnosis.message.empty()) << size;
      }
    }
    for (int round = 0; round < 3000; ++round) {
      std::string damaged = original;
      const int flips = 1 + static_cast<int>(random() % 8);
      for (int i = 0; i < flips; ++i) {
        // Mostly the headers, where a flipped byte moves an offset.
        const std::size_t span = random() % 4 == 0 ? damaged.size() : 0x200;
        damaged[random() % span] = static_cast<char>(random());
      }
      Computer computer;
      const auto diagnosis = diagnose(damaged, 32, computer);
      ASSERT_FALSE(diagnosis.message.empty()) << round;
    }
  }
}

TEST(LibraryDiagnosis, MissingEntryPointsAreListed) {
  static int somewhere;
  satlib::FuncoesSAT all;
  all.slots.fill(&somewhere);
  EXPECT_EQ(satlib::missingEntryPointsMessage(u"SAT.DLL", all), u"");

  satlib::FuncoesSAT twoMissing = all;
  twoMissing.slots[static_cast<std::size_t>(satlib::EntryPoint::ExtrairLogs)] = nullptr;
  twoMissing.slots[static_cast<std::size_t>(satlib::EntryPoint::SetDriver)] = nullptr;
  const std::u16string text = satlib::missingEntryPointsMessage(u"SAT.DLL", twoMissing);
  EXPECT_TRUE(mentions(text, u"estas funções:\n\nExtrairLogs\nSetDriver\n\n")) << shown(text);
  EXPECT_TRUE(mentions(text, u"Os comandos que as usam não vão funcionar")) << shown(text);
  EXPECT_FALSE(mentions(text, u"ConsultarSAT")) << shown(text);

  satlib::FuncoesSAT oneMissing = all;
  oneMissing.slots[0] = nullptr;
  const std::u16string one = satlib::missingEntryPointsMessage(u"SAT.DLL", oneMissing);
  EXPECT_TRUE(mentions(one, u"esta função:\n\nConsultarSAT\n\n")) << shown(one);
  EXPECT_TRUE(mentions(one, u"que a usam")) << shown(one);

  const std::u16string none = satlib::missingEntryPointsMessage(u"SAT.DLL", satlib::FuncoesSAT{});
  for (std::size_t i = 0; i < satlib::kEntryPointCount; ++i) {
    const auto name = satlib::entryPointName(static_cast<satlib::EntryPoint>(i));
    EXPECT_TRUE(mentions(none, u"\n" + platform::fromUtf8(name) + u"\n")) << name;
  }
}

}  // namespace
