#include "Command.h"

#include <array>

#include "Messages.h"

namespace satemu {
namespace {

struct FunctionInfo {
  const char* name;
  int family;
};

// In the order of the Function enumerators. SetDriver is a maker's extra with
// no family of its own; it answers like a query.
constexpr std::array<FunctionInfo, 17> kFunctions{{
    {"ConsultarSAT", 8},
    {"AtivarSAT", 4},
    {"ComunicarCertificadoICPBRASIL", 5},
    {"EnviarDadosVenda", 6},
    {"CancelarUltimaVenda", 7},
    {"TesteFimAFim", 9},
    {"ConsultarStatusOperacional", 10},
    {"ConsultarNumeroSessao", 11},
    {"ConfigurarInterfaceDeRede", 12},
    {"AssociarAssinatura", 13},
    {"AtualizarSoftwareSAT", 14},
    {"ExtrairLogs", 15},
    {"BloquearSAT", 16},
    {"DesbloquearSAT", 17},
    {"TrocarCodigoDeAtivacao", 18},
    {"ConsultarUltimaSessaoFiscal", 19},
    {"SetDriver", 8},
}};

const FunctionInfo& info(Function function) {
  return kFunctions[static_cast<std::size_t>(function)];
}

}  // namespace

int family(Function function) {
  return info(function).family;
}

const char* functionName(Function function) {
  return info(function).name;
}

bool carriesValidationCode(Function function, int detail, AnswerLayout layout) {
  const bool fiscal =
      function == Function::EnviarDadosVenda || function == Function::CancelarUltimaVenda;
  if (layout == AnswerLayout::Legacy) return fiscal && detail == kSuccess;
  return fiscal || function == Function::AssociarAssinatura;
}

}  // namespace satemu
