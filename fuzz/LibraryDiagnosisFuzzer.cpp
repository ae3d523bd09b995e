// The diagnosis of a library that would not load, over any file: it never
// reads outside the bytes (the sanitizers watch), always says something that
// names the library, calls a file without "MZ" no library, names as missing
// only names the file holds, and reading the file only in part changes no
// verdict but a damaged import table's, which then cannot be judged.
#include <algorithm>

#include "FuzzExpect.h"
#include "platform/Text.h"
#include "satlib/LibraryDiagnosis.h"

namespace {

using fuzzing::expect;
using satlib::ImageDefect;
using satlib::LibraryVerdict;

satlib::LibraryDiagnosis diagnose(std::string_view bytes, int programBits, bool whole) {
  satlib::LoadFailureFacts facts;
  facts.libraryName = u"SAT.DLL";
  facts.programFolder = u"C:\\Quorvel";
  facts.programBits = programBits;
  facts.head = bytes;
  facts.whole = whole;
  // Some DLLs are there and some are not, the same ones every time.
  facts.dependencyFound = [](std::string_view name) { return name.size() % 2 == 0; };
  facts.loadError = {satlib::kModuleNotFound, u"%1: module not found"};
  return satlib::diagnoseLibrary(facts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view bytes = fuzzing::bytesOf(data, size);
  for (int programBits : {32, 64}) {
    const auto whole = diagnose(bytes, programBits, true);
    const auto part = diagnose(bytes, programBits, false);
    for (const auto* diagnosis : {&whole, &part}) {
      expect(diagnosis->message.find(u"SAT.DLL") != std::u16string::npos,
             "the message does not name the library");
      expect((diagnosis->defect == ImageDefect::None) !=
                 (diagnosis->verdict == LibraryVerdict::NotALibrary),
             "a defect without the verdict, or the verdict without one");
    }
    const bool markedMz = size >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
    expect(markedMz == (whole.defect != ImageDefect::NoExecutableMark),
           "the \"MZ\" mark read wrong");
    if (whole.verdict == LibraryVerdict::OtherBitness) {
      expect(whole.libraryBits != programBits && !whole.otherProgram.empty(),
             "the other bitness is this program's");
    }
    for (const std::string& name : whole.missingDependencies) {
      expect(name.size() % 2 == 1, "a DLL that is there is called missing");
      expect(bytes.find(name + '\0') != std::string_view::npos,
             "a missing name the file does not hold");
      expect(whole.message.find(platform::fromAnsi(name)) != std::u16string::npos ||
                 whole.verdict != LibraryVerdict::MissingDependency,
             "a missing DLL the message does not name");
    }
    if (whole.defect == ImageDefect::BadImportTable) {
      expect(part.defect == ImageDefect::BadImportTable || part.verdict == LibraryVerdict::Refused,
             "a damaged import table read in part gives another verdict");
    } else {
      expect(part.verdict == whole.verdict && part.defect == whole.defect &&
                 part.missingDependencies == whole.missingDependencies,
             "reading in part changes the verdict");
    }
  }
  return 0;
}
