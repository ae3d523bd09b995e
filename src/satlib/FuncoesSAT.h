#pragma once
// The entry points of the device library and the table of their addresses.
#include <array>
#include <cstddef>
#include <string_view>

namespace satlib {

// Every entry point, in the order of the address table: the name the library
// exports it under, and the kinds of the arguments that follow the session
// number ('i' a whole number, 't' a text). The enumeration, the names, the
// count and the argument kinds all come from this list; a new entry point is
// one line here and, when the pages call it, one typed call in SatLibrary.
#define SATLIB_ENTRY_POINTS(X)           \
  X(ConsultarSAT, "")                    \
  X(AtivarSAT, "itti")                   \
  X(ComunicarCertificadoICPBRASIL, "tt") \
  X(EnviarDadosVenda, "tt")              \
  X(CancelarUltimaVenda, "ttt")          \
  X(TesteFimAFim, "tt")                  \
  X(ConsultarStatusOperacional, "t")     \
  X(ConsultarNumeroSessao, "ti")         \
  X(ConfigurarInterfaceDeRede, "tt")     \
  X(AssociarAssinatura, "ttt")           \
  X(AtualizarSoftwareSAT, "t")           \
  X(ExtrairLogs, "t")                    \
  X(BloquearSAT, "t")                    \
  X(DesbloquearSAT, "t")                 \
  X(TrocarCodigoDeAtivacao, "titt")      \
  X(ConsultarUltimaSessaoFiscal, "t")    \
  X(SetDriver, "") /* a maker's extra, never called */

enum class EntryPoint {
#define SATLIB_ENUMERATOR(name, arguments) name,
  SATLIB_ENTRY_POINTS(SATLIB_ENUMERATOR)
#undef SATLIB_ENUMERATOR
};

inline constexpr std::size_t kEntryPointCount = 0
#define SATLIB_COUNT(name, arguments) +1
    SATLIB_ENTRY_POINTS(SATLIB_COUNT)
#undef SATLIB_COUNT
    ;

// The exported name, exactly as the library spells it.
const char* entryPointName(EntryPoint entry);
// The kinds of the arguments after the session number: 'i' and 't'.
std::string_view entryPointArguments(EntryPoint entry);

// One slot per entry point: its address, or nullptr when the library is not
// loaded or lacks that name.
struct FuncoesSAT {
  std::array<void*, kEntryPointCount> slots{};
  void* operator[](EntryPoint entry) const { return slots[static_cast<std::size_t>(entry)]; }
};

}  // namespace satlib
