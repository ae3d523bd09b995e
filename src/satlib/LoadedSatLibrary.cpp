#include "satlib/LoadedSatLibrary.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "satlib/EntryPointCall.h"
#include "ui/Dialogs.h"

namespace satlib {

MissingEntryPoint::MissingEntryPoint(EntryPoint entry)
    : std::runtime_error(std::string("A função ") + entryPointName(entry) +
                         " não está disponível: SAT.DLL não foi carregada ou não a exporta.") {}

LoadedSatLibrary::LoadedSatLibrary(platform::Path programFolder, ui::Dialogs& dialogs)
    : programFolder_(std::move(programFolder)), dialogs_(dialogs) {}

bool LoadedSatLibrary::CarregaDLL(const std::u16string& xDLL) {
  const platform::Path fullPath = programFolder_ / xDLL;
  funcoesSAT_ = {};
  if (!library_.load(fullPath)) {
    const std::u16string shown = fullPath.text();
    dialogs_.systemError(u"Erro ao carregar a DLL: " + shown, u"Erro!");
    return false;
  }
  for (std::size_t i = 0; i < kEntryPointCount; ++i) {
    funcoesSAT_.slots[i] = library_.symbol(entryPointName(static_cast<EntryPoint>(i)));
  }
  return true;
}

void* LoadedSatLibrary::entry(EntryPoint which) const {
  void* address = funcoesSAT_[which];
  if (!address) throw MissingEntryPoint(which);
  return address;
}

std::string LoadedSatLibrary::ConsultarSAT(int sessao) {
  return callEntryPoint(entry(EntryPoint::ConsultarSAT), {sessao});
}

std::string LoadedSatLibrary::AtivarSAT(int sessao, int subComando, const std::string& codigo,
                                        const std::string& cnpj, int cUF) {
  return callEntryPoint(entry(EntryPoint::AtivarSAT), {sessao, subComando, codigo, cnpj, cUF});
}

std::string LoadedSatLibrary::AssociarAssinatura(int sessao, const std::string& codigo,
                                                 const std::string& cnpj,
                                                 const std::string& assinatura) {
  return callEntryPoint(entry(EntryPoint::AssociarAssinatura), {sessao, codigo, cnpj, assinatura});
}

std::string LoadedSatLibrary::ConfigurarInterfaceDeRede(int sessao, const std::string& codigo,
                                                        const std::string& configuracao) {
  return callEntryPoint(entry(EntryPoint::ConfigurarInterfaceDeRede),
                        {sessao, codigo, configuracao});
}

std::string LoadedSatLibrary::TrocarCodigoDeAtivacao(int sessao, const std::string& codigo,
                                                     int opcao, const std::string& novoCodigo,
                                                     const std::string& confirmacao) {
  return callEntryPoint(entry(EntryPoint::TrocarCodigoDeAtivacao),
                        {sessao, codigo, opcao, novoCodigo, confirmacao});
}

std::string LoadedSatLibrary::BloquearSAT(int sessao, const std::string& codigo) {
  return callEntryPoint(entry(EntryPoint::BloquearSAT), {sessao, codigo});
}

std::string LoadedSatLibrary::DesbloquearSAT(int sessao, const std::string& codigo) {
  return callEntryPoint(entry(EntryPoint::DesbloquearSAT), {sessao, codigo});
}

std::string LoadedSatLibrary::AtualizarSoftwareSAT(int sessao, const std::string& codigo) {
  return callEntryPoint(entry(EntryPoint::AtualizarSoftwareSAT), {sessao, codigo});
}

std::string LoadedSatLibrary::ConsultarStatusOperacional(int sessao, const std::string& codigo) {
  return callEntryPoint(entry(EntryPoint::ConsultarStatusOperacional), {sessao, codigo});
}

std::string LoadedSatLibrary::TesteFimAFim(int sessao, const std::string& codigo,
                                           const std::string& dadosVenda) {
  return callEntryPoint(entry(EntryPoint::TesteFimAFim), {sessao, codigo, dadosVenda});
}

std::string LoadedSatLibrary::ConsultarNumeroSessao(int sessao, const std::string& codigo,
                                                    int sessaoConsultada) {
  return callEntryPoint(entry(EntryPoint::ConsultarNumeroSessao),
                        {sessao, codigo, sessaoConsultada});
}

std::string LoadedSatLibrary::ConsultarUltimaSessaoFiscal(int sessao, const std::string& codigo) {
  return callEntryPoint(entry(EntryPoint::ConsultarUltimaSessaoFiscal), {sessao, codigo});
}

std::string LoadedSatLibrary::ExtrairLogs(int sessao, const std::string& codigo) {
  return callEntryPoint(entry(EntryPoint::ExtrairLogs), {sessao, codigo});
}

}  // namespace satlib
