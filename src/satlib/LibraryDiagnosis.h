#pragma once
// Why SAT.DLL would not load, in words the user can act on: read from the
// file's own headers and import table. A library for the other program (32
// or 64 bits), a file that is no Windows library, one that needs a DLL that
// is not there, or one the user cannot read. Nothing here touches the system:
// the caller reads the file, says whether a DLL can be found and hands over
// the error Windows gave.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LibraryInspection.h"
#include "satlib/FuncoesSAT.h"

namespace satlib {

enum class LibraryVerdict {
  FileMissing,        // gone between the program's check and the load
  AccessDenied,       // the permissions refuse reading it
  FileLocked,         // another program holds it
  NotALibrary,        // not a Windows library (see ImageDefect)
  ProgramNotLibrary,  // a Windows program (.exe), not a DLL
  OtherProcessor,     // a library for a processor other than x86 and x64
  OtherBitness,       // a 64-bit library beside the 32-bit program, or the reverse
  MissingDependency,  // it needs DLLs that are neither beside it nor the system's
  Refused,            // looks right for this program; Windows refused it all the same
};

// Where a file that is not a Windows library goes wrong.
enum class ImageDefect {
  None,
  NoExecutableMark,   // does not start with "MZ"
  Truncated,          // ends inside its headers
  NoPeSignature,      // "MZ" without "PE\0\0" where the header says
  BadOptionalHeader,  // the optional header does not match the processor
  BadSectionTable,    // the section table lies outside the file
  BadImportTable,     // the import table points outside the file
};

// How much of a library is read to look into it: the headers and import
// table of any library a maker ships lie well within.
inline constexpr std::size_t kLibraryReadLimit = 8u << 20;

// The Windows error a missing DLL gives (ERROR_MOD_NOT_FOUND).
inline constexpr std::uint32_t kModuleNotFound = 126;

struct LoadFailureFacts {
  std::u16string libraryName;    // "SAT.DLL", as the messages name it
  std::u16string programFolder;  // where the program and the library are
  int programBits = 32;          // of the running program: 32 or 64
  platform::OpenFailure openFailure = platform::OpenFailure::None;
  std::string_view head;  // the file's first bytes, at most kLibraryReadLimit
  bool whole = true;      // head is the whole file
  // Whether a DLL the library imports is beside the program or in the
  // system's folders; called once per name (API sets are never asked).
  std::function<bool(std::string_view name)> dependencyFound;
  platform::LoadError loadError;  // what the failed load left
};

struct LibraryDiagnosis {
  LibraryVerdict verdict = LibraryVerdict::Refused;
  ImageDefect defect = ImageDefect::None;
  int libraryBits = 0;                           // 32 or 64 once the headers say; 0 before
  std::u16string otherProgram;                   // OtherBitness: the program that loads it
  std::vector<std::string> missingDependencies;  // as the import table spells them
  std::u16string message;                        // what the user is shown
};

LibraryDiagnosis diagnoseLibrary(const LoadFailureFacts& facts);

// The program's executable of that bitness: Quorvel.exe or Quorvel64.exe.
std::u16string programFileName(int bits);

// The message for a library that loaded without some of the entry points;
// empty when it has every one.
std::u16string missingEntryPointsMessage(const std::u16string& libraryName,
                                         const FuncoesSAT& funcoes);

}  // namespace satlib
