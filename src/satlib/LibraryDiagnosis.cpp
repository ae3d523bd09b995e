#include "satlib/LibraryDiagnosis.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "platform/Text.h"

namespace satlib {

namespace {

// The PE/COFF values the diagnosis reads.
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint64_t kPeOffsetField = 0x3c;      // e_lfanew
constexpr std::uint64_t kCoffHeaderSize = 20;
constexpr std::uint64_t kSectionHeaderSize = 40;
constexpr std::uint64_t kImportDescriptorSize = 20;
constexpr std::uint16_t kMachineI386 = 0x014c;
constexpr std::uint16_t kMachineAmd64 = 0x8664;
constexpr std::uint16_t kFileDll = 0x2000;
constexpr std::uint16_t kMagicPe32 = 0x010b;
constexpr std::uint16_t kMagicPe32Plus = 0x020b;
// A library names a few dozen DLLs at most; a table running on for
// thousands is damage, and bounds the walk.
constexpr std::size_t kMaxImportedLibraries = 4096;
constexpr std::size_t kMaxNameLength = 256;

struct Section {
  std::uint32_t virtualAddress = 0;
  std::uint32_t virtualSize = 0;
  std::uint32_t rawSize = 0;
  std::uint32_t rawOffset = 0;
};

// Where an RVA's bytes lie: in what was read, outside the file, or in the
// part of a large file that was not read.
enum class Where { InFile, OutsideFile, NotRead };

struct Place {
  Where where = Where::OutsideFile;
  std::uint64_t offset = 0;
};

// A PE image read from the bytes given, every offset and size checked
// against them before it is used.
class PeImage {
 public:
  PeImage(std::string_view bytes, bool whole) : bytes_(bytes), whole_(whole) {}

  // The DOS stub's pointer and the COFF header.
  ImageDefect readFileHeader();
  // The optional header, the section table and the import table's names.
  ImageDefect readImports();

  std::uint16_t machine() const { return machine_; }
  bool isDll() const { return (characteristics_ & kFileDll) != 0; }
  const std::vector<std::string>& imports() const { return imports_; }
  // The import table lies past the part of the file that was read.
  bool importsNotRead() const { return importsNotRead_; }

 private:
  bool has(std::uint64_t offset, std::uint64_t size) const {
    return offset <= bytes_.size() && size <= bytes_.size() - offset;
  }
  // Little-endian values; only called where has() said they are there.
  std::uint16_t u16(std::uint64_t offset) const {
    return static_cast<std::uint16_t>(byte(offset) | byte(offset + 1) << 8);
  }
  std::uint32_t u32(std::uint64_t offset) const {
    return static_cast<std::uint32_t>(u16(offset)) | static_cast<std::uint32_t>(u16(offset + 2))
                                                         << 16;
  }
  std::uint32_t byte(std::uint64_t offset) const {
    return static_cast<unsigned char>(bytes_[static_cast<std::size_t>(offset)]);
  }
  Place place(std::uint64_t rva, std::uint64_t size) const;
  // The NUL-terminated name at the RVA; nothing with `where` set when it
  // cannot be read.
  std::optional<std::string> nameAt(std::uint32_t rva, Where& where) const;

  std::string_view bytes_;
  bool whole_;
  std::uint64_t coffHeader_ = 0;
  std::uint16_t machine_ = 0;
  std::uint16_t sectionCount_ = 0;
  std::uint16_t optionalHeaderSize_ = 0;
  std::uint16_t characteristics_ = 0;
  std::uint32_t sizeOfHeaders_ = 0;
  std::vector<Section> sections_;
  std::vector<std::string> imports_;
  bool importsNotRead_ = false;
};

ImageDefect PeImage::readFileHeader() {
  if (bytes_.size() < 2 || bytes_[0] != 'M' || bytes_[1] != 'Z')
    return ImageDefect::NoExecutableMark;
  if (!has(kPeOffsetField, 4)) return ImageDefect::Truncated;
  const std::uint64_t peHeader = u32(kPeOffsetField);
  if (!has(peHeader, 4)) return ImageDefect::Truncated;
  if (u32(peHeader) != kPeSignature) return ImageDefect::NoPeSignature;
  coffHeader_ = peHeader + 4;
  if (!has(coffHeader_, kCoffHeaderSize)) return ImageDefect::Truncated;
  machine_ = u16(coffHeader_);
  sectionCount_ = u16(coffHeader_ + 2);
  optionalHeaderSize_ = u16(coffHeader_ + 16);
  characteristics_ = u16(coffHeader_ + 18);
  return ImageDefect::None;
}

ImageDefect PeImage::readImports() {
  const bool pe32Plus = machine_ == kMachineAmd64;
  const std::uint64_t optionalHeader = coffHeader_ + kCoffHeaderSize;
  // The data directories follow the fixed fields, the count just before them.
  const std::uint64_t directories = pe32Plus ? 112 : 96;
  if (!has(optionalHeader, 2)) return ImageDefect::Truncated;
  if (u16(optionalHeader) != (pe32Plus ? kMagicPe32Plus : kMagicPe32) ||
      optionalHeaderSize_ < directories)
    return ImageDefect::BadOptionalHeader;
  if (!has(optionalHeader, optionalHeaderSize_)) return ImageDefect::Truncated;
  sizeOfHeaders_ = u32(optionalHeader + 60);
  const std::uint32_t directoryCount = u32(optionalHeader + directories - 4);

  const std::uint64_t sectionTable = optionalHeader + optionalHeaderSize_;
  if (!has(sectionTable, sectionCount_ * kSectionHeaderSize)) return ImageDefect::BadSectionTable;
  sections_.reserve(sectionCount_);
  for (std::uint64_t i = 0; i < sectionCount_; ++i) {
    const std::uint64_t header = sectionTable + i * kSectionHeaderSize;
    sections_.push_back({u32(header + 12), u32(header + 8), u32(header + 16), u32(header + 20)});
  }

  // The import table is the second directory; a header too short to hold it
  // has none.
  constexpr std::uint64_t kImportDirectory = 1;
  const std::uint64_t entry = directories + kImportDirectory * 8;
  if (directoryCount <= kImportDirectory || optionalHeaderSize_ < entry + 8)
    return ImageDefect::None;
  const std::uint32_t importTable = u32(optionalHeader + entry);
  if (importTable == 0) return ImageDefect::None;

  for (std::size_t index = 0;; ++index) {
    if (index == kMaxImportedLibraries) return ImageDefect::BadImportTable;
    const Place descriptor =
        place(importTable + index * kImportDescriptorSize, kImportDescriptorSize);
    if (descriptor.where == Where::NotRead) {
      importsNotRead_ = true;
      return ImageDefect::None;
    }
    if (descriptor.where == Where::OutsideFile) return ImageDefect::BadImportTable;
    const std::uint32_t name = u32(descriptor.offset + 12);
    const std::uint32_t firstThunk = u32(descriptor.offset + 16);
    // The loader stops at the first entry without a name or an address table.
    if (name == 0 || firstThunk == 0) return ImageDefect::None;
    Where where = Where::InFile;
    std::optional<std::string> imported = nameAt(name, where);
    if (where == Where::NotRead) {
      importsNotRead_ = true;
      return ImageDefect::None;
    }
    if (!imported) return ImageDefect::BadImportTable;
    imports_.push_back(std::move(*imported));
  }
}

Place PeImage::place(std::uint64_t rva, std::uint64_t size) const {
  if (rva + size > 0x100000000ull) return {};
  std::optional<std::uint64_t> offset;
  for (const Section& section : sections_) {
    const std::uint64_t extent = std::max(section.virtualSize, section.rawSize);
    if (rva < section.virtualAddress || rva - section.virtualAddress >= extent) continue;
    const std::uint64_t within = rva - section.virtualAddress;
    // Past the section's raw data the loader fills zeros: nothing there
    // comes from the file.
    if (within + size > section.rawSize) return {};
    offset = std::uint64_t{section.rawOffset} + within;
    break;
  }
  if (!offset) {
    if (rva + size > sizeOfHeaders_) return {};
    offset = rva;
  }
  if (has(*offset, size)) return {Where::InFile, *offset};
  return {whole_ ? Where::OutsideFile : Where::NotRead, *offset};
}

std::optional<std::string> PeImage::nameAt(std::uint32_t rva, Where& where) const {
  const Place start = place(rva, 1);
  where = start.where;
  if (start.where != Where::InFile) return std::nullopt;
  const std::uint64_t available = bytes_.size() - start.offset;
  const std::string_view text =
      bytes_.substr(static_cast<std::size_t>(start.offset),
                    static_cast<std::size_t>(std::min<std::uint64_t>(available, kMaxNameLength)));
  const std::size_t end = text.find('\0');
  if (end == std::string_view::npos) {
    if (!whole_ && available <= kMaxNameLength) where = Where::NotRead;
    return std::nullopt;
  }
  const std::string_view name = text.substr(0, end);
  const bool printable = std::all_of(name.begin(), name.end(),
                                     [](char c) { return static_cast<unsigned char>(c) >= 0x20; });
  if (name.empty() || !printable) return std::nullopt;
  return std::string(name);
}

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return asciiLower(x) == asciiLower(y);
         });
}

bool startsWith(std::string_view name, std::string_view prefix) {
  return name.size() >= prefix.size() && sameName(name.substr(0, prefix.size()), prefix);
}

// API sets are names the loader resolves to its own libraries; no file has them.
bool isApiSet(std::string_view name) {
  return startsWith(name, "api-ms-") || startsWith(name, "ext-ms-");
}

// The C and C++ runtimes of Microsoft's compiler, which Windows does not
// bring and the makers' installers do.
bool isVisualCppRuntime(std::string_view name) {
  for (std::string_view prefix : {"msvcr", "msvcp", "vcruntime", "vcomp", "concrt", "mfc"}) {
    if (startsWith(name, prefix) && !sameName(name, "msvcrt.dll")) return true;
  }
  return false;
}

std::u16string joined(const std::vector<std::u16string>& items) {
  std::u16string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? u" e " : u", ";
    text += items[i];
  }
  return text;
}

std::u16string number(std::uint32_t value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

std::u16string hexadecimal(std::uint16_t value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string text = u"0x";
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xf];
  return text;
}

std::u16string processorName(std::uint16_t machine) {
  switch (machine) {
    case 0xaa64:
      return u"ARM64";
    case 0x01c0:
    case 0x01c2:
    case 0x01c4:
      return u"ARM";
    case 0x0200:
      return u"Itanium";
    default:
      return u"código de máquina " + hexadecimal(machine);
  }
}

std::u16string defectText(ImageDefect defect) {
  switch (defect) {
    case ImageDefect::NoExecutableMark:
      return u"o arquivo não começa com a marca \"MZ\" dos executáveis do Windows";
    case ImageDefect::Truncated:
      return u"o arquivo termina antes do fim dos seus cabeçalhos";
    case ImageDefect::NoPeSignature:
      return u"falta a assinatura \"PE\" onde o cabeçalho do arquivo a indica";
    case ImageDefect::BadOptionalHeader:
      return u"o cabeçalho opcional não corresponde ao processador declarado";
    case ImageDefect::BadSectionTable:
      return u"a tabela de seções fica fora do arquivo";
    case ImageDefect::BadImportTable:
      return u"a tabela de importações aponta para fora do arquivo";
    case ImageDefect::None:
      break;
  }
  return {};
}

// The pattern with "{0}" … "{9}" replaced by the texts given.
std::u16string filled(std::u16string_view pattern,
                      std::initializer_list<std::u16string_view> texts) {
  std::u16string result;
  result.reserve(pattern.size() + 256);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    if (c == u'{' && i + 2 < pattern.size() && pattern[i + 2] == u'}' && pattern[i + 1] >= u'0' &&
        static_cast<std::size_t>(pattern[i + 1] - u'0') < texts.size()) {
      result += texts.begin()[pattern[i + 1] - u'0'];
      i += 2;
    } else {
      result += c;
    }
  }
  return result;
}

// The messages, one per verdict. {0} is always the library's name.
class Messages {
 public:
  explicit Messages(const LoadFailureFacts& facts)
      : facts_(facts),
        name_(facts.libraryName),
        program_(programFileName(facts.programBits)),
        bits_(number(static_cast<std::uint32_t>(facts.programBits))) {}

  std::u16string fileMissing() const {
    return filled(
        u"O arquivo {0} não estava mais na pasta do programa quando ele foi carregado: pode ter "
        u"sido apagado, movido ou renomeado.\n\n"
        u"Copie de novo o {0} fornecido pelo fabricante do SAT para a pasta do programa:\n{1}\n\n"
        u"e abra o programa outra vez.",
        {name_, facts_.programFolder});
  }

  std::u16string accessDenied() const {
    return filled(
        u"O Windows não deixou este programa ler o arquivo {0} (acesso negado).\n\n"
        u"Verifique as permissões do arquivo (Propriedades > Segurança) e se um antivírus o "
        u"bloqueou ou o pôs em quarentena; depois abra o programa outra vez.",
        {name_});
  }

  std::u16string fileLocked() const {
    return filled(
        u"O arquivo {0} está em uso por outro programa, que não deixa lê-lo.\n\n"
        u"Feche os outros programas que usam o SAT (ou reinicie o computador) e abra este "
        u"programa outra vez.",
        {name_});
  }

  std::u16string notALibrary(ImageDefect defect) const {
    return filled(
        u"O arquivo {0} não é uma biblioteca (DLL) do Windows: está incompleto, danificado ou é "
        u"outro tipo de arquivo.\n\n"
        u"Copie de novo para a pasta do programa o {0} fornecido pelo fabricante do SAT.\n\n"
        u"Detalhe: {1}.",
        {name_, defectText(defect)});
  }

  std::u16string programNotLibrary() const {
    return filled(
        u"O arquivo {0} é um programa (.exe) do Windows, não uma biblioteca (DLL).\n\n"
        u"Copie para a pasta do programa o {0} fornecido pelo fabricante do SAT.",
        {name_});
  }

  std::u16string otherProcessor(std::uint16_t machine) const {
    return filled(
        u"O arquivo {0} é uma biblioteca para outro tipo de processador ({1}), que este programa "
        u"não pode usar.\n\n"
        u"Peça ao fabricante do SAT o {0} para Windows de {2} bits.",
        {name_, processorName(machine), bits_});
  }

  std::u16string otherBitness(int libraryBits, const std::u16string& otherProgram) const {
    return filled(
        u"O arquivo {0} é uma biblioteca de {1} bits, e este programa ({2}) é de {3} bits: o "
        u"Windows não carrega uma biblioteca de {1} bits num programa de {3} bits.\n\n"
        u"Use o {4} (a versão de {1} bits deste programa) na mesma pasta do {0}, ou peça ao "
        u"fabricante do SAT o {0} de {3} bits.",
        {name_, number(static_cast<std::uint32_t>(libraryBits)), program_, bits_, otherProgram});
  }

  std::u16string missingDependencies(const std::vector<std::string>& missing) const {
    std::vector<std::u16string> names;
    std::vector<std::u16string> runtimes;
    for (const std::string& name : missing) {
      names.push_back(platform::fromAnsi(name));
      if (isVisualCppRuntime(name)) runtimes.push_back(names.back());
    }
    std::u16string text = filled(
        names.size() == 1
            ? u"O arquivo {0} precisa da biblioteca {1}, que não foi encontrada nem na pasta do "
              u"programa nem nas pastas do sistema.\n\n"
              u"Copie {1} (fornecida pelo fabricante do SAT junto com o {0}) para a pasta do "
              u"programa:\n{2}\n\n"
              u"ou instale o driver do fabricante, que a traz."
            : u"O arquivo {0} precisa das bibliotecas {1}, que não foram encontradas nem na pasta "
              u"do programa nem nas pastas do sistema.\n\n"
              u"Copie-as (fornecidas pelo fabricante do SAT junto com o {0}) para a pasta do "
              u"programa:\n{2}\n\n"
              u"ou instale o driver do fabricante, que as traz.",
        {name_, joined(names), facts_.programFolder});
    if (!runtimes.empty()) {
      text += filled(
          u"\n\n{0} {1} parte do Microsoft Visual C++ Redistributable: instale a "
          u"versão {2} dele.",
          {joined(runtimes), runtimes.size() == 1 ? u"faz" : u"fazem",
           facts_.programBits == 64 ? u"x64" : u"x86"});
    }
    return text;
  }

  std::u16string refused() const {
    std::u16string text = filled(
        u"O arquivo {0} parece ser uma biblioteca válida para este programa ({1}, {2} bits), mas "
        u"o Windows se recusou a carregá-la.",
        {name_, program_, bits_});
    // The system's texts hold "%1" where the file's name goes.
    std::u16string reason = platform::trimmed(facts_.loadError.text);
    for (std::size_t at = reason.find(u"%1"); at != std::u16string::npos;
         at = reason.find(u"%1", at + name_.size()))
      reason.replace(at, 2, name_);
    if (facts_.loadError.code != 0) {
      text += filled(reason.empty() ? u"\n\nErro do Windows {0}." : u"\n\nErro do Windows {0}: {1}",
                     {number(facts_.loadError.code), reason});
    } else if (!reason.empty()) {
      text += filled(u"\n\nErro do sistema: {0}", {reason});
    }
    text += filled(
        u"\n\nVerifique com o fabricante do SAT se esta é a versão certa do {0} e se o driver do "
        u"equipamento está instalado.",
        {name_});
    return text;
  }

 private:
  const LoadFailureFacts& facts_;
  const std::u16string& name_;
  std::u16string program_;
  std::u16string bits_;
};

int bitsOf(std::uint16_t machine) {
  switch (machine) {
    case kMachineI386:
      return 32;
    case kMachineAmd64:
      return 64;
    default:
      return 0;
  }
}

// The imported names that are neither API sets nor found, each once
// whatever its spelling.
std::vector<std::string> missingOf(const std::vector<std::string>& imports,
                                   const std::function<bool(std::string_view)>& found) {
  std::vector<std::string> asked;
  std::vector<std::string> missing;
  for (const std::string& name : imports) {
    if (isApiSet(name)) continue;
    if (std::any_of(asked.begin(), asked.end(),
                    [&](const std::string& seen) { return sameName(seen, name); }))
      continue;
    asked.push_back(name);
    if (found && !found(name)) missing.push_back(name);
  }
  return missing;
}

}  // namespace

std::u16string programFileName(int bits) {
  return bits == 64 ? u"Quorvel64.exe" : u"Quorvel.exe";
}

LibraryDiagnosis diagnoseLibrary(const LoadFailureFacts& facts) {
  const Messages messages(facts);
  LibraryDiagnosis result;
  auto verdict = [&](LibraryVerdict which, std::u16string message) {
    result.verdict = which;
    result.message = std::move(message);
    return result;
  };

  switch (facts.openFailure) {
    case platform::OpenFailure::NotFound:
      return verdict(LibraryVerdict::FileMissing, messages.fileMissing());
    case platform::OpenFailure::AccessDenied:
      return verdict(LibraryVerdict::AccessDenied, messages.accessDenied());
    case platform::OpenFailure::Locked:
      return verdict(LibraryVerdict::FileLocked, messages.fileLocked());
    case platform::OpenFailure::Other:
      return verdict(LibraryVerdict::Refused, messages.refused());
    case platform::OpenFailure::None:
      break;
  }

  PeImage image(facts.head, facts.whole);
  result.defect = image.readFileHeader();
  if (result.defect != ImageDefect::None)
    return verdict(LibraryVerdict::NotALibrary, messages.notALibrary(result.defect));
  if (!image.isDll())
    return verdict(LibraryVerdict::ProgramNotLibrary, messages.programNotLibrary());
  result.libraryBits = bitsOf(image.machine());
  if (result.libraryBits == 0)
    return verdict(LibraryVerdict::OtherProcessor, messages.otherProcessor(image.machine()));
  if (result.libraryBits != facts.programBits) {
    result.otherProgram = programFileName(result.libraryBits);
    return verdict(LibraryVerdict::OtherBitness,
                   messages.otherBitness(result.libraryBits, result.otherProgram));
  }
  result.defect = image.readImports();
  if (result.defect != ImageDefect::None)
    return verdict(LibraryVerdict::NotALibrary, messages.notALibrary(result.defect));

  if (!image.importsNotRead()) {
    result.missingDependencies = missingOf(image.imports(), facts.dependencyFound);
  }
  // A DLL that Windows finds elsewhere (side by side) may look missing here;
  // it is blamed only when Windows, too, says a module was not found.
  const std::uint32_t code = facts.loadError.code;
  if (!result.missingDependencies.empty() && (code == 0 || code == kModuleNotFound)) {
    return verdict(LibraryVerdict::MissingDependency,
                   messages.missingDependencies(result.missingDependencies));
  }
  return verdict(LibraryVerdict::Refused, messages.refused());
}

std::u16string missingEntryPointsMessage(const std::u16string& libraryName,
                                         const FuncoesSAT& funcoes) {
  std::u16string names;
  std::size_t count = 0;
  for (std::size_t i = 0; i < kEntryPointCount; ++i) {
    const auto entry = static_cast<EntryPoint>(i);
    if (funcoes[entry]) continue;
    names += u'\n';
    names += platform::fromUtf8(entryPointName(entry));
    ++count;
  }
  if (count == 0) return {};
  return filled(count == 1 ? u"O arquivo {0} foi carregado, mas não tem esta função:\n{1}\n\n"
                             u"Os comandos que a usam não vão funcionar. Verifique com o "
                             u"fabricante do SAT se esta é a versão certa do {0}."
                           : u"O arquivo {0} foi carregado, mas não tem estas funções:\n{1}\n\n"
                             u"Os comandos que as usam não vão funcionar. Verifique com o "
                             u"fabricante do SAT se esta é a versão certa do {0}.",
                {libraryName, names});
}

}  // namespace satlib
