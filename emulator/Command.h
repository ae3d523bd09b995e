#pragma once
// One call of the library as the device receives it: the entry point and its
// arguments, already copied out of the caller's memory.
#include <string>

namespace satemu {

enum class Function {
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

struct Command {
  Function function = Function::ConsultarSAT;
  int sessao = 0;
  std::string codigo;
  int subComando = 0;        // AtivarSAT
  int cUF = 0;               // AtivarSAT
  int opcao = 0;             // TrocarCodigoDeAtivacao
  int sessaoConsultada = 0;  // ConsultarNumeroSessao
  std::string cnpj;          // AtivarSAT: taxpayer; AssociarAssinatura: the 28-digit pair
  std::string assinatura;    // AssociarAssinatura
  std::string dados;         // sale, cancellation, network or certificate document
  std::string chave;         // CancelarUltimaVenda
  std::string novoCodigo;    // TrocarCodigoDeAtivacao
  std::string confirmacao;   // TrocarCodigoDeAtivacao
};

// The two leading digits of every return code of the function (4 for 04xxx).
int family(Function function);

// The exported name, for the log.
const char* functionName(Function function);

// Which answers carry the 4-digit CCCC field right after the return code.
// Current devices: every sale, cancellation and association answer. Devices
// built before the association answer gained the field (Legacy) give it only
// with an issued sale or cancellation.
enum class AnswerLayout { Current, Legacy };

bool carriesValidationCode(Function function, int detail, AnswerLayout layout);

}  // namespace satemu
