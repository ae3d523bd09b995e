#include "satlib/FuncoesSAT.h"

namespace satlib {

const char* entryPointName(EntryPoint entry) {
  static constexpr std::array<const char*, kEntryPointCount> kNames = {
      "ConsultarSAT",
      "AtivarSAT",
      "ComunicarCertificadoICPBRASIL",
      "EnviarDadosVenda",
      "CancelarUltimaVenda",
      "TesteFimAFim",
      "ConsultarStatusOperacional",
      "ConsultarNumeroSessao",
      "ConfigurarInterfaceDeRede",
      "AssociarAssinatura",
      "AtualizarSoftwareSAT",
      "ExtrairLogs",
      "BloquearSAT",
      "DesbloquearSAT",
      "TrocarCodigoDeAtivacao",
      "ConsultarUltimaSessaoFiscal",
      "SetDriver",
  };
  return kNames[static_cast<std::size_t>(entry)];
}

}  // namespace satlib
