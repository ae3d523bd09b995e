#pragma once
// Functions of Windows' own libraries, looked up at run time: those a
// supported Windows may lack (newer Windows only, Wine's own), and those of
// the libraries the program seldom needs (the common dialogs, the shell, the
// version resources), so that its start does not wait for them to load.
// A library is taken from the system folder only: a planted copy beside the
// program is never loaded.
#include <stdexcept>
#include <string>

namespace platform {

using SystemProcedure = void (*)();

// The function `name` of the system library, loaded if it is not yet;
// nullptr where the library or the function is missing.
SystemProcedure systemProcedure(const wchar_t* library, const char* name);

template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
  // Through void(*)(): the one function type GCC lets any other convert to.
  return reinterpret_cast<Function>(systemProcedure(library, name));
}

// For a function every supported Windows has: its absence is a failure.
template <typename Function>
Function requiredSystemFunction(const wchar_t* library, const char* name) {
  if (const Function function = systemFunction<Function>(library, name)) return function;
  throw std::runtime_error(std::string("A função ") + name + " do Windows não foi encontrada.");
}

}  // namespace platform
