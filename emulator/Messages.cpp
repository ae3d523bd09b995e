#include "Messages.h"

#include <cstdio>
#include <map>

namespace satemu {
namespace {

const std::map<int, const char*>& messages() {
  static const std::map<int, const char*> table{
      {4000, "Ativado corretamente"},
      {4001, "Erro na criação do certificado"},
      {4002, "SEFAZ não reconhece este SAT (CNPJ inválido)"},
      {4003, "SAT já ativado"},
      {4004, "SAT com uso cessado"},
      {4005, "Erro de comunicação com a SEFAZ"},
      {4006, "CSR ICP-BRASIL criado com sucesso"},
      {4007, "Erro na criação do CSR ICP-BRASIL"},
      {4099, "Erro desconhecido na ativação"},
      {5000, "Certificado transmitido com Sucesso"},
      {5002, "Erro de comunicação com a SEFAZ"},
      {5003, "Certificado Inválido"},
      {6000, "Emitido com sucesso + conteúdo notas"},
      {6002, "SAT ainda não ativado"},
      {6003, "SAT não vinculado ao AC"},
      {6004, "Vinculação do AC não confere"},
      {6005, "Tamanho do CF-e-SAT superior a 1.500KB"},
      {6006, "SAT bloqueado pelo contribuinte"},
      {6007, "SAT bloqueado pela SEFAZ"},
      {6008, "SAT bloqueado por falta de comunicação"},
      {6009, "SAT bloqueado, código de ativação incorreto"},
      {6010, "Erro de validação do conteúdo"},
      {6099, "Erro desconhecido na emissão"},
      {7000, "Cupom cancelado com sucesso + conteúdo CF-e-SAT cancelado"},
      {7001, "Código ativação inválido"},
      {7002, "Cupom inválido"},
      {7003, "SAT bloqueado pelo contribuinte"},
      {7004, "SAT bloqueado pela SEFAZ"},
      {7005, "SAT bloqueado por falta de comunicação"},
      {7006, "SAT bloqueado, código de ativação incorreto"},
      {7007, "Erro de validação do conteúdo"},
      {7099, "Erro desconhecido no cancelamento"},
      {8000, "SAT em operação"},
      {9000, "Emitido com sucesso"},
      {9002, "SAT ainda não ativado"},
      {10000, "Resposta com Sucesso"},
      {11000, "Emitido com sucesso"},
      {11002, "SAT ainda não ativado"},
      {11003, "Sessão não existe"},
      {12000, "Rede Configurada com Sucesso"},
      {12002, "Dados fora do padrão a ser informado"},
      {13000, "Assinatura do AC Registrada"},
      {13002, "Erro de comunicação com a SEFAZ"},
      {13003, "Assinatura fora do padrão informado"},
      {13004,
       "CNPJ da Software House + CNPJ do emitente assinado no campo \"signAC\" difere do "
       "informado no campo \"CNPJvalue\""},
      {13007, "CNPJ do emitente difere daquele constante da parametrização de uso"},
      {14000, "Software Atualizado com Sucesso"},
      {14002, "Atualização em Andamento"},
      {14003, "Erro na atualização"},
      {14004, "Arquivo de atualização inválido"},
      {15000, "Transferência completa"},
      {15002, "Transferência em andamento"},
      {16000, "Equipamento SAT bloqueado com sucesso"},
      {16002, "Equipamento SAT já está bloqueado"},
      {16003, "Erro de comunicação com a SEFAZ"},
      {16004, "Não existe parametrização de bloqueio disponível"},
      {17000, "Equipamento SAT desbloqueado com sucesso"},
      {17002, "SAT bloqueado pelo contribuinte. Verifique configurações na SEFAZ"},
      {17003, "SAT bloqueado pela SEFAZ"},
      {17004, "Erro de comunicação com a SEFAZ"},
      {17005, "SAT ja desbloqueado"},
      {17006, "SAT com bloqueio autônomo"},
      {17007, "SAT bloqueado para desativação"},
      {18000, "Código de ativação alterado com sucesso"},
      {18002, "Código de ativação de emergência Incorreto"},
      {19002, "SAT ainda não ativado"},
      {19003, "Não existe sessão fiscal"},
  };
  return table;
}

}  // namespace

std::string returnCode(int family, int detail) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d%03d", family % 100, detail % 1000);
  return text;
}

std::string messageFor(int family, int detail) {
  const auto found = messages().find(family * 1000 + detail);
  if (found != messages().end()) return found->second;
  switch (detail) {
    case kWrongCode:
      return "Código de ativação inválido";
    case kSessionReused:
      return "Número de sessão inválido";
    case kBusy:
      return "SAT em processamento. Tente novamente.";
    default:
      return "Erro desconhecido";
  }
}

}  // namespace satemu
