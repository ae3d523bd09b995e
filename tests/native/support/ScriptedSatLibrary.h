#pragma once
// A device library for headless tests: records each call with its arguments
// and answers from a script.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "satlib/SatLibrary.h"

namespace testing_support {

struct LibraryCall {
  satlib::EntryPoint entry;
  std::vector<std::string> arguments;  // integers in decimal, texts as sent
};

class ScriptedSatLibrary : public satlib::SatLibrary {
 public:
  bool loads = true;
  std::vector<satlib::EntryPoint> missing;
  // Answers in order; when they run out, every call answers `fallback`.
  std::deque<std::string> answers;
  std::string fallback;
  std::vector<LibraryCall> calls;
  // Runs inside each call, to look at the program while the device "works".
  std::function<void()> duringCall;

  bool CarregaDLL(const std::u16string& xDLL) override;
  bool has(satlib::EntryPoint entry) const override;

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
  std::string record(satlib::EntryPoint entry, std::vector<std::string> arguments);
};

}  // namespace testing_support
