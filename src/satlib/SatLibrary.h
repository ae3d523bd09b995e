#pragma once
// The device library as the program uses it: one typed call per entry point
// that the pages call. Texts are 8-bit, already in the ANSI code page; each
// call returns a copy of the library's answer (a NULL answer is empty).
// The pages depend on this interface only; tests put a scripted library behind it.
#include <stdexcept>
#include <string>

#include "satlib/FuncoesSAT.h"
#include "satlib/LibraryFacts.h"
#include "ui/FailureTexts.h"

namespace satlib {

// A call of an entry point the loaded library does not have.
struct MissingEntryPoint : std::runtime_error, ui::FailureClass {
  explicit MissingEntryPoint(EntryPoint entry);
};

class SatLibrary {
 public:
  virtual ~SatLibrary() = default;

  // Loads the named library from the program's folder and looks up every
  // entry point; on failure tells the user and returns false.
  virtual bool CarregaDLL(const std::u16string& xDLL) = 0;

  // Whether the entry point can be called; calling one that cannot throws
  // MissingEntryPoint without calling anything.
  virtual bool has(EntryPoint entry) const = 0;
  // What was learnt about the library; a library that is not a loaded file
  // (a test's) has nothing to tell.
  virtual LibraryFacts facts() const { return {}; }

  virtual std::string ConsultarSAT(int sessao) = 0;
  virtual std::string AtivarSAT(int sessao, int subComando, const std::string& codigo,
                                const std::string& cnpj, int cUF) = 0;
  virtual std::string AssociarAssinatura(int sessao, const std::string& codigo,
                                         const std::string& cnpj,
                                         const std::string& assinatura) = 0;
  virtual std::string ConfigurarInterfaceDeRede(int sessao, const std::string& codigo,
                                                const std::string& configuracao) = 0;
  virtual std::string TrocarCodigoDeAtivacao(int sessao, const std::string& codigo, int opcao,
                                             const std::string& novoCodigo,
                                             const std::string& confirmacao) = 0;
  virtual std::string BloquearSAT(int sessao, const std::string& codigo) = 0;
  virtual std::string DesbloquearSAT(int sessao, const std::string& codigo) = 0;
  virtual std::string AtualizarSoftwareSAT(int sessao, const std::string& codigo) = 0;
  virtual std::string ConsultarStatusOperacional(int sessao, const std::string& codigo) = 0;
  virtual std::string TesteFimAFim(int sessao, const std::string& codigo,
                                   const std::string& dadosVenda) = 0;
  virtual std::string ConsultarNumeroSessao(int sessao, const std::string& codigo,
                                            int sessaoConsultada) = 0;
  virtual std::string ConsultarUltimaSessaoFiscal(int sessao, const std::string& codigo) = 0;
  virtual std::string ExtrairLogs(int sessao, const std::string& codigo) = 0;
};

}  // namespace satlib
