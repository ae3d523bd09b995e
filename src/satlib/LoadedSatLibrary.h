#pragma once
// SAT.DLL loaded from the program's folder, called through its entry points.
#include <string>
#include "platform/Path.h"

#include "platform/DynamicLibrary.h"
#include "satlib/EntryPointCall.h"
#include "satlib/SatLibrary.h"

namespace ui {
class Messages;
class DeviceCalls;
}  // namespace ui

namespace satlib {

class LoadedSatLibrary : public SatLibrary {
 public:
  LoadedSatLibrary(platform::Path programFolder, ui::Messages& messages,
                   ui::DeviceCalls& deviceCalls);

  // Loads xDLL from the program's folder and fills FuncoesSAT. On failure
  // shows the plain system message naming the full path, then why in plain
  // words (LibraryDiagnosis), and returns false. A library without some of
  // the entry points is kept, and the missing names are shown.
  bool CarregaDLL(const std::u16string& xDLL) override;

  const FuncoesSAT& funcoes() const { return funcoesSAT_; }

  bool has(EntryPoint entry) const override { return funcoesSAT_[entry] != nullptr; }
  LibraryFacts facts() const override;
  std::string call(EntryPoint which, int sessao,
                   std::initializer_list<Argument> arguments) override;

 private:
  void* entry(EntryPoint entry) const;

  platform::Path programFolder_;
  ui::Messages& messages_;
  ui::DeviceCalls& deviceCalls_;
  platform::DynamicLibrary library_;
  FuncoesSAT funcoesSAT_;
  platform::Path loadedPath_;
  CallingConvention convention_ = CallingConvention::NotSeenYet;
};

}  // namespace satlib
