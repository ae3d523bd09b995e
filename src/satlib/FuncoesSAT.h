#pragma once
// The entry points of the device library and the table of their addresses.
#include <array>
#include <cstddef>

namespace satlib {

enum class EntryPoint {
  ConsultarSAT,
  AtivarSAT,
  ComunicarCertificadoICPBRASIL,
  EnviarDadosVenda,
  CancelarUltimaVenda,
  TesteFimAFim,
  ConsultarStatusOperacional,
  ConsultarNumeroSessao,
  ConfigurarInterfaceDeRede,
  AssociarAssinatura,
  AtualizarSoftwareSAT,
  ExtrairLogs,
  BloquearSAT,
  DesbloquearSAT,
  TrocarCodigoDeAtivacao,
  ConsultarUltimaSessaoFiscal,
  SetDriver,
};

constexpr std::size_t kEntryPointCount = 17;

// The exported name, exactly as the library spells it.
const char* entryPointName(EntryPoint entry);

// One slot per entry point: its address, or nullptr when the library is not
// loaded or lacks that name.
struct FuncoesSAT {
  std::array<void*, kEntryPointCount> slots{};
  void* operator[](EntryPoint entry) const { return slots[static_cast<std::size_t>(entry)]; }
};

}  // namespace satlib
