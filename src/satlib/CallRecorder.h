#pragma once
// The device library with a record of this run's answers, for the support
// report: session, entry point, time and answer of each call. Only answers
// are kept, never arguments, so an activation code never enters the record.
#include <cstddef>
#include <deque>
#include <string>

#include "platform/Clock.h"
#include "satlib/SatLibrary.h"

namespace satlib {

struct RecordedCall {
  int sessao = 0;
  EntryPoint entry = EntryPoint::ConsultarSAT;
  platform::TimeOfDay time{};
  std::string answer;  // cut to kLongestRecordedAnswer bytes
};

class CallRecorder : public SatLibrary {
 public:
  // A log's answer runs to megabytes; its start is what support reads.
  static constexpr std::size_t kLongestRecordedAnswer = 64 * 1024;
  // The latest calls are kept, so a long session holds its memory.
  static constexpr std::size_t kRecordedCalls = 200;

  CallRecorder(SatLibrary& library, const platform::Clock& clock)
      : library_(library), clock_(clock) {}

  const std::deque<RecordedCall>& calls() const { return calls_; }

  bool CarregaDLL(const std::u16string& xDLL) override { return library_.CarregaDLL(xDLL); }
  bool has(EntryPoint entry) const override { return library_.has(entry); }
  LibraryFacts facts() const override { return library_.facts(); }

  std::string ConsultarSAT(int sessao) override;
  std::string AtivarSAT(int sessao, int subComando, const std::string& codigo,
                        const std::string& cnpj, int cUF) override;
  std::string AssociarAssinatura(int sessao, const std::string& codigo, const std::string& cnpj,
                                 const std::string& assinatura) override;
  std::string ConfigurarInterfaceDeRede(int sessao, const std::string& codigo,
                                        const std::string& configuracao) override;
  std::string TrocarCodigoDeAtivacao(int sessao, const std::string& codigo, int opcao,
                                     const std::string& novoCodigo,
                                     const std::string& confirmacao) override;
  std::string BloquearSAT(int sessao, const std::string& codigo) override;
  std::string DesbloquearSAT(int sessao, const std::string& codigo) override;
  std::string AtualizarSoftwareSAT(int sessao, const std::string& codigo) override;
  std::string ConsultarStatusOperacional(int sessao, const std::string& codigo) override;
  std::string TesteFimAFim(int sessao, const std::string& codigo,
                           const std::string& dadosVenda) override;
  std::string ConsultarNumeroSessao(int sessao, const std::string& codigo,
                                    int sessaoConsultada) override;
  std::string ConsultarUltimaSessaoFiscal(int sessao, const std::string& codigo) override;
  std::string ExtrairLogs(int sessao, const std::string& codigo) override;

 private:
  std::string recorded(int sessao, EntryPoint entry, std::string answer);

  SatLibrary& library_;
  const platform::Clock& clock_;
  std::deque<RecordedCall> calls_;
};

}  // namespace satlib
