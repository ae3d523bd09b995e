#include "support/ScriptedSatLibrary.h"

#include <algorithm>

namespace testing_support {

using satlib::EntryPoint;

bool ScriptedSatLibrary::CarregaDLL(const std::u16string&) {
  return loads;
}

bool ScriptedSatLibrary::has(EntryPoint entry) const {
  return loads && std::find(missing.begin(), missing.end(), entry) == missing.end();
}

std::string ScriptedSatLibrary::record(EntryPoint entry, std::vector<std::string> arguments) {
  calls.push_back({entry, std::move(arguments)});
  if (duringCall) duringCall();
  if (answers.empty()) return fallback;
  std::string answer = answers.front();
  answers.pop_front();
  return answer;
}

namespace {
std::string n(int value) {
  return std::to_string(value);
}
}  // namespace

std::string ScriptedSatLibrary::ConsultarSAT(int sessao) {
  return record(EntryPoint::ConsultarSAT, {n(sessao)});
}
std::string ScriptedSatLibrary::AtivarSAT(int sessao, int subComando, const std::string& codigo,
                                          const std::string& cnpj, int cUF) {
  return record(EntryPoint::AtivarSAT, {n(sessao), n(subComando), codigo, cnpj, n(cUF)});
}
std::string ScriptedSatLibrary::AssociarAssinatura(int sessao, const std::string& codigo,
                                                   const std::string& cnpj,
                                                   const std::string& assinatura) {
  return record(EntryPoint::AssociarAssinatura, {n(sessao), codigo, cnpj, assinatura});
}
std::string ScriptedSatLibrary::ConfigurarInterfaceDeRede(int sessao, const std::string& codigo,
                                                          const std::string& configuracao) {
  return record(EntryPoint::ConfigurarInterfaceDeRede, {n(sessao), codigo, configuracao});
}
std::string ScriptedSatLibrary::TrocarCodigoDeAtivacao(int sessao, const std::string& codigo,
                                                       int opcao, const std::string& novoCodigo,
                                                       const std::string& confirmacao) {
  return record(EntryPoint::TrocarCodigoDeAtivacao,
                {n(sessao), codigo, n(opcao), novoCodigo, confirmacao});
}
std::string ScriptedSatLibrary::BloquearSAT(int sessao, const std::string& codigo) {
  return record(EntryPoint::BloquearSAT, {n(sessao), codigo});
}
std::string ScriptedSatLibrary::DesbloquearSAT(int sessao, const std::string& codigo) {
  return record(EntryPoint::DesbloquearSAT, {n(sessao), codigo});
}
std::string ScriptedSatLibrary::AtualizarSoftwareSAT(int sessao, const std::string& codigo) {
  return record(EntryPoint::AtualizarSoftwareSAT, {n(sessao), codigo});
}
std::string ScriptedSatLibrary::ConsultarStatusOperacional(int sessao, const std::string& codigo) {
  return record(EntryPoint::ConsultarStatusOperacional, {n(sessao), codigo});
}
std::string ScriptedSatLibrary::TesteFimAFim(int sessao, const std::string& codigo,
                                             const std::string& dadosVenda) {
  return record(EntryPoint::TesteFimAFim, {n(sessao), codigo, dadosVenda});
}
std::string ScriptedSatLibrary::ConsultarNumeroSessao(int sessao, const std::string& codigo,
                                                      int sessaoConsultada) {
  return record(EntryPoint::ConsultarNumeroSessao, {n(sessao), codigo, n(sessaoConsultada)});
}
std::string ScriptedSatLibrary::ConsultarUltimaSessaoFiscal(int sessao, const std::string& codigo) {
  return record(EntryPoint::ConsultarUltimaSessaoFiscal, {n(sessao), codigo});
}
std::string ScriptedSatLibrary::ExtrairLogs(int sessao, const std::string& codigo) {
  return record(EntryPoint::ExtrairLogs, {n(sessao), codigo});
}

}  // namespace testing_support
