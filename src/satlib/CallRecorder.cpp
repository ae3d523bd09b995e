#include "satlib/CallRecorder.h"

namespace satlib {

std::string CallRecorder::recorded(int sessao, EntryPoint entry, std::string answer) {
  if (calls_.size() == kRecordedCalls) calls_.pop_front();
  calls_.push_back({sessao, entry, clock_.now(), answer.substr(0, kLongestRecordedAnswer)});
  return answer;
}

std::string CallRecorder::ConsultarSAT(int sessao) {
  return recorded(sessao, EntryPoint::ConsultarSAT, library_.ConsultarSAT(sessao));
}

std::string CallRecorder::AtivarSAT(int sessao, int subComando, const std::string& codigo,
                                    const std::string& cnpj, int cUF) {
  return recorded(sessao, EntryPoint::AtivarSAT,
                  library_.AtivarSAT(sessao, subComando, codigo, cnpj, cUF));
}

std::string CallRecorder::AssociarAssinatura(int sessao, const std::string& codigo,
                                             const std::string& cnpj,
                                             const std::string& assinatura) {
  return recorded(sessao, EntryPoint::AssociarAssinatura,
                  library_.AssociarAssinatura(sessao, codigo, cnpj, assinatura));
}

std::string CallRecorder::ConfigurarInterfaceDeRede(int sessao, const std::string& codigo,
                                                    const std::string& configuracao) {
  return recorded(sessao, EntryPoint::ConfigurarInterfaceDeRede,
                  library_.ConfigurarInterfaceDeRede(sessao, codigo, configuracao));
}

std::string CallRecorder::TrocarCodigoDeAtivacao(int sessao, const std::string& codigo, int opcao,
                                                 const std::string& novoCodigo,
                                                 const std::string& confirmacao) {
  return recorded(sessao, EntryPoint::TrocarCodigoDeAtivacao,
                  library_.TrocarCodigoDeAtivacao(sessao, codigo, opcao, novoCodigo, confirmacao));
}

std::string CallRecorder::BloquearSAT(int sessao, const std::string& codigo) {
  return recorded(sessao, EntryPoint::BloquearSAT, library_.BloquearSAT(sessao, codigo));
}

std::string CallRecorder::DesbloquearSAT(int sessao, const std::string& codigo) {
  return recorded(sessao, EntryPoint::DesbloquearSAT, library_.DesbloquearSAT(sessao, codigo));
}

std::string CallRecorder::AtualizarSoftwareSAT(int sessao, const std::string& codigo) {
  return recorded(sessao, EntryPoint::AtualizarSoftwareSAT,
                  library_.AtualizarSoftwareSAT(sessao, codigo));
}

std::string CallRecorder::ConsultarStatusOperacional(int sessao, const std::string& codigo) {
  return recorded(sessao, EntryPoint::ConsultarStatusOperacional,
                  library_.ConsultarStatusOperacional(sessao, codigo));
}

std::string CallRecorder::TesteFimAFim(int sessao, const std::string& codigo,
                                       const std::string& dadosVenda) {
  return recorded(sessao, EntryPoint::TesteFimAFim,
                  library_.TesteFimAFim(sessao, codigo, dadosVenda));
}

std::string CallRecorder::ConsultarNumeroSessao(int sessao, const std::string& codigo,
                                                int sessaoConsultada) {
  return recorded(sessao, EntryPoint::ConsultarNumeroSessao,
                  library_.ConsultarNumeroSessao(sessao, codigo, sessaoConsultada));
}

std::string CallRecorder::ConsultarUltimaSessaoFiscal(int sessao, const std::string& codigo) {
  return recorded(sessao, EntryPoint::ConsultarUltimaSessaoFiscal,
                  library_.ConsultarUltimaSessaoFiscal(sessao, codigo));
}

std::string CallRecorder::ExtrairLogs(int sessao, const std::string& codigo) {
  return recorded(sessao, EntryPoint::ExtrairLogs, library_.ExtrairLogs(sessao, codigo));
}

}  // namespace satlib
