#include "satlib/LoadedSatLibrary.h"

#include "platform/Files.h"
#include "platform/LibraryInspection.h"
#include "platform/Text.h"
#include "satlib/EntryPointCall.h"
#include "satlib/LibraryDiagnosis.h"
#include "ui/DeviceCalls.h"
#include "ui/Messages.h"

namespace satlib {

namespace {

// Looks into the library that would not load: its first bytes, and where the
// DLLs it imports would be found (beside it, or in the system's folders).
LibraryDiagnosis diagnoseLoadFailure(const platform::Path& folder, const std::u16string& name,
                                     platform::LoadError loadError) {
  const platform::FileHead head = platform::readFileHead(folder / name, kLibraryReadLimit);
  const std::vector<platform::Path> systemFolders = platform::systemLibraryFolders();
  LoadFailureFacts facts;
  facts.libraryName = name;
  facts.programFolder = folder.text();
  facts.programBits = sizeof(void*) == 8 ? 64 : 32;
  facts.openFailure = head.failure;
  facts.head = head.bytes;
  facts.whole = head.whole;
  facts.loadError = std::move(loadError);
  facts.dependencyFound = [&](std::string_view dependency) {
    const std::u16string file = platform::fromAnsi(dependency);
    if (platform::fileExists(folder / file)) return true;
    for (const platform::Path& system : systemFolders) {
      if (platform::fileExists(system / file)) return true;
    }
    return false;
  };
  return diagnoseLibrary(facts);
}

}  // namespace

MissingEntryPoint::MissingEntryPoint(EntryPoint entry)
    : std::runtime_error(std::string("A função ") + entryPointName(entry) +
                         " não está disponível: SAT.DLL não foi carregada ou não a exporta."),
      ui::FailureClass(ui::FailureKind::DeviceLibrary) {}

LoadedSatLibrary::LoadedSatLibrary(platform::Path programFolder, ui::Messages& messages,
                                   ui::DeviceCalls& deviceCalls)
    : programFolder_(std::move(programFolder)), messages_(messages), deviceCalls_(deviceCalls) {}

bool LoadedSatLibrary::CarregaDLL(const std::u16string& xDLL) {
  const platform::Path fullPath = programFolder_ / xDLL;
  funcoesSAT_ = {};
  bool loaded = false;
  platform::LoadError loadError;
  // The system's reason is taken on the thread that loaded, at once: the
  // message box's own calls would overwrite it.
  deviceCalls_.whileLibraryLoads([&] {
    loaded = library_.load(fullPath);
    if (!loaded) loadError = platform::lastLibraryLoadError();
  });
  if (!loaded) {
    const LibraryDiagnosis diagnosis =
        diagnoseLoadFailure(programFolder_, xDLL, std::move(loadError));
    const std::u16string shown = fullPath.text();
    messages_.systemError(u"Erro ao carregar a DLL: " + shown, u"Erro!");
    messages_.showMessage(diagnosis.message);
    return false;
  }
  loadedPath_ = fullPath;
  for (std::size_t i = 0; i < kEntryPointCount; ++i) {
    funcoesSAT_.slots[i] = library_.symbol(entryPointName(static_cast<EntryPoint>(i)));
  }
  const std::u16string missing = missingEntryPointsMessage(xDLL, funcoesSAT_);
  if (!missing.empty()) messages_.showMessage(missing);
  return true;
}

LibraryFacts LoadedSatLibrary::facts() const {
  LibraryFacts facts{loadedPath_, library_.loaded(), {}, convention_};
  for (std::size_t i = 0; i < kEntryPointCount; ++i)
    facts.present[i] = funcoesSAT_.slots[i] != nullptr;
  return facts;
}

// Notes the calling convention the entry point turned out to use.
std::string LoadedSatLibrary::call(EntryPoint which, int sessao,
                                   std::initializer_list<Argument> arguments) {
  return callEntryPoint(entry(which), sessao, arguments, &convention_);
}

void* LoadedSatLibrary::entry(EntryPoint which) const {
  void* address = funcoesSAT_[which];
  if (!address) throw MissingEntryPoint(which);
  return address;
}

}  // namespace satlib
