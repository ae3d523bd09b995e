#pragma once
// SAT.DLL loaded from the program's folder, called through its entry points.
#include <string>
#include "platform/Path.h"

#include "platform/DynamicLibrary.h"
#include "satlib/EntryPointCall.h"
#include "satlib/SatLibrary.h"

namespace ui {
class Dialogs;
}

namespace satlib {

class LoadedSatLibrary : public SatLibrary {
 public:
  LoadedSatLibrary(platform::Path programFolder, ui::Dialogs& dialogs);

  // Loads xDLL from the program's folder and fills FuncoesSAT. On failure
  // shows the plain system message naming the full path, then why in plain
  // words (LibraryDiagnosis), and returns false. A library without some of
  // the entry points is kept, and the missing names are shown.
  bool CarregaDLL(const std::u16string& xDLL) override;

  const FuncoesSAT& funcoes() const { return funcoesSAT_; }

  bool has(EntryPoint entry) const override { return funcoesSAT_[entry] != nullptr; }
  LibraryFacts facts() const override;
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
  void* entry(EntryPoint entry) const;
  // Calls the entry point and notes the calling convention it turned out to use.
  std::string call(EntryPoint which, std::initializer_list<Argument> arguments);

  platform::Path programFolder_;
  ui::Dialogs& dialogs_;
  platform::DynamicLibrary library_;
  FuncoesSAT funcoesSAT_;
  platform::Path loadedPath_;
  CallingConvention convention_ = CallingConvention::NotSeenYet;
};

}  // namespace satlib
