#pragma once
// What the program learnt about the loaded device library, for the
// technician: where it came from, which entry points it has and how they
// take their arguments.
#include <array>

#include "platform/Path.h"
#include "satlib/FuncoesSAT.h"

namespace satlib {

enum class CallingConvention {
  NotSeenYet,  // no entry point called yet
  Stdcall,     // the entry point removed its arguments from the stack
  Cdecl,       // it left them for the caller
  Only64Bit,   // 64-bit code has a single convention
};

struct LibraryFacts {
  platform::Path path{};
  bool loaded = false;
  std::array<bool, kEntryPointCount> present{};
  CallingConvention convention = CallingConvention::NotSeenYet;
};

}  // namespace satlib
