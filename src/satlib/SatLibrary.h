#pragma once
// The device library as the program uses it: one call for every entry point,
// and a typed call for each that the pages call. Texts are 8-bit, already in the ANSI code page;
// each call returns a copy of the library's answer (a NULL answer is empty). The pages depend on
// this interface only; tests put a scripted library behind it.
#include <stdexcept>
#include <string>

#include <initializer_list>

#include "satlib/EntryPointCall.h"
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

  // Calls the entry point with the session number and its arguments, of
  // the kinds entryPointArguments gives; returns a copy of the answer.
  virtual std::string call(EntryPoint entry, int sessao,
                           std::initializer_list<Argument> arguments) = 0;

  // The typed calls the pages make, each the one line that names its
  // arguments.
  std::string ConsultarSAT(int sessao) { return call(EntryPoint::ConsultarSAT, sessao, {}); }
  std::string AtivarSAT(int sessao, int subComando, const std::string& codigo,
                        const std::string& cnpj, int cUF) {
    return call(EntryPoint::AtivarSAT, sessao, {subComando, codigo, cnpj, cUF});
  }
  std::string AssociarAssinatura(int sessao, const std::string& codigo, const std::string& cnpj,
                                 const std::string& assinatura) {
    return call(EntryPoint::AssociarAssinatura, sessao, {codigo, cnpj, assinatura});
  }
  std::string ConfigurarInterfaceDeRede(int sessao, const std::string& codigo,
                                        const std::string& configuracao) {
    return call(EntryPoint::ConfigurarInterfaceDeRede, sessao, {codigo, configuracao});
  }
  std::string TrocarCodigoDeAtivacao(int sessao, const std::string& codigo, int opcao,
                                     const std::string& novoCodigo,
                                     const std::string& confirmacao) {
    return call(EntryPoint::TrocarCodigoDeAtivacao, sessao,
                {codigo, opcao, novoCodigo, confirmacao});
  }
  std::string BloquearSAT(int sessao, const std::string& codigo) {
    return call(EntryPoint::BloquearSAT, sessao, {codigo});
  }
  std::string DesbloquearSAT(int sessao, const std::string& codigo) {
    return call(EntryPoint::DesbloquearSAT, sessao, {codigo});
  }
  std::string AtualizarSoftwareSAT(int sessao, const std::string& codigo) {
    return call(EntryPoint::AtualizarSoftwareSAT, sessao, {codigo});
  }
  std::string ConsultarStatusOperacional(int sessao, const std::string& codigo) {
    return call(EntryPoint::ConsultarStatusOperacional, sessao, {codigo});
  }
  std::string TesteFimAFim(int sessao, const std::string& codigo, const std::string& dadosVenda) {
    return call(EntryPoint::TesteFimAFim, sessao, {codigo, dadosVenda});
  }
  std::string ConsultarNumeroSessao(int sessao, const std::string& codigo, int sessaoConsultada) {
    return call(EntryPoint::ConsultarNumeroSessao, sessao, {codigo, sessaoConsultada});
  }
  std::string ConsultarUltimaSessaoFiscal(int sessao, const std::string& codigo) {
    return call(EntryPoint::ConsultarUltimaSessaoFiscal, sessao, {codigo});
  }
  std::string ExtrairLogs(int sessao, const std::string& codigo) {
    return call(EntryPoint::ExtrairLogs, sessao, {codigo});
  }
};

}  // namespace satlib
