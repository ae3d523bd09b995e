// The exported entry points. Each copies its arguments, runs the command under
// one lock (the device does one thing at a time) and returns a buffer that
// stays valid until the next call.
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "Answer.h"
#include "Command.h"
#include "Emulator.h"
#include "LibraryLocation.h"
#include "Messages.h"

#if defined(_WIN32)
#if defined(SATEMU_CDECL)
#define SATEMU_CALL __cdecl
#else
#define SATEMU_CALL __stdcall
#endif
#define SATEMU_EXPORT extern "C" __declspec(dllexport)
#else
#define SATEMU_CALL
#define SATEMU_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

using satemu::Command;
using satemu::Function;

std::string text(const char* argument) {
  return argument ? std::string(argument) : std::string();
}

Command command(Function function, int sessao, const char* codigo = nullptr) {
  Command c;
  c.function = function;
  c.sessao = sessao;
  c.codigo = text(codigo);
  return c;
}

char* answerLocked(const Command& c) {
  static std::mutex deviceLock;
  static std::string buffer;
  const std::lock_guard<std::mutex> lock(deviceLock);
  std::optional<std::string> result;
  try {
    // Looked up on every call: a test points each device at its own file.
    result = satemu::runCommand(satemu::stateFilePath(satemu::libraryFolder()), c);
  } catch (const std::exception&) {
    result = satemu::plainAnswer(c.function, c.sessao, satemu::kUnknownError,
                                 satemu::AnswerLayout::Current);
  }
  if (!result) return nullptr;
  buffer = std::move(*result);
  return buffer.data();
}

// The knob "crash": the call faults with an access violation, as a broken
// maker's library would, once the device lock is released.
char* answer(const Command& c) {
  try {
    return answerLocked(c);
  } catch (const satemu::CrashRequested&) {
  }
#ifdef _WIN32
  RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
#endif
  std::abort();
}

}  // namespace

SATEMU_EXPORT char* SATEMU_CALL ConsultarSAT(int sessao) {
  return answer(command(Function::ConsultarSAT, sessao));
}

SATEMU_EXPORT char* SATEMU_CALL AtivarSAT(int sessao, int subComando, char* codigo, char* cnpj,
                                          int cUF) {
  Command c = command(Function::AtivarSAT, sessao, codigo);
  c.subComando = subComando;
  c.cnpj = text(cnpj);
  c.cUF = cUF;
  return answer(c);
}

SATEMU_EXPORT char* SATEMU_CALL ComunicarCertificadoICPBRASIL(int sessao, char* codigo,
                                                              char* certificado) {
  Command c = command(Function::ComunicarCertificadoICPBRASIL, sessao, codigo);
  c.dados = text(certificado);
  return answer(c);
}

SATEMU_EXPORT char* SATEMU_CALL EnviarDadosVenda(int sessao, char* codigo, char* dadosVenda) {
  Command c = command(Function::EnviarDadosVenda, sessao, codigo);
  c.dados = text(dadosVenda);
  return answer(c);
}

SATEMU_EXPORT char* SATEMU_CALL CancelarUltimaVenda(int sessao, char* codigo, char* chave,
                                                    char* dadosCancelamento) {
  Command c = command(Function::CancelarUltimaVenda, sessao, codigo);
  c.chave = text(chave);
  c.dados = text(dadosCancelamento);
  return answer(c);
}

SATEMU_EXPORT char* SATEMU_CALL TesteFimAFim(int sessao, char* codigo, char* dadosVenda) {
  Command c = command(Function::TesteFimAFim, sessao, codigo);
  c.dados = text(dadosVenda);
  return answer(c);
}

SATEMU_EXPORT char* SATEMU_CALL ConsultarStatusOperacional(int sessao, char* codigo) {
  return answer(command(Function::ConsultarStatusOperacional, sessao, codigo));
}

SATEMU_EXPORT char* SATEMU_CALL ConsultarNumeroSessao(int sessao, char* codigo,
                                                      int sessaoConsultada) {
  Command c = command(Function::ConsultarNumeroSessao, sessao, codigo);
  c.sessaoConsultada = sessaoConsultada;
  return answer(c);
}

SATEMU_EXPORT char* SATEMU_CALL ConfigurarInterfaceDeRede(int sessao, char* codigo,
                                                          char* dadosConfiguracao) {
  Command c = command(Function::ConfigurarInterfaceDeRede, sessao, codigo);
  c.dados = text(dadosConfiguracao);
  return answer(c);
}

SATEMU_EXPORT char* SATEMU_CALL AssociarAssinatura(int sessao, char* codigo, char* cnpjValue,
                                                   char* assinaturaCnpjs) {
  Command c = command(Function::AssociarAssinatura, sessao, codigo);
  c.cnpj = text(cnpjValue);
  c.assinatura = text(assinaturaCnpjs);
  return answer(c);
}

SATEMU_EXPORT char* SATEMU_CALL AtualizarSoftwareSAT(int sessao, char* codigo) {
  return answer(command(Function::AtualizarSoftwareSAT, sessao, codigo));
}

SATEMU_EXPORT char* SATEMU_CALL ExtrairLogs(int sessao, char* codigo) {
  return answer(command(Function::ExtrairLogs, sessao, codigo));
}

SATEMU_EXPORT char* SATEMU_CALL BloquearSAT(int sessao, char* codigo) {
  return answer(command(Function::BloquearSAT, sessao, codigo));
}

SATEMU_EXPORT char* SATEMU_CALL DesbloquearSAT(int sessao, char* codigo) {
  return answer(command(Function::DesbloquearSAT, sessao, codigo));
}

SATEMU_EXPORT char* SATEMU_CALL TrocarCodigoDeAtivacao(int sessao, char* codigo, int opcao,
                                                       char* novoCodigo, char* confirmacao) {
  Command c = command(Function::TrocarCodigoDeAtivacao, sessao, codigo);
  c.opcao = opcao;
  c.novoCodigo = text(novoCodigo);
  c.confirmacao = text(confirmacao);
  return answer(c);
}

SATEMU_EXPORT char* SATEMU_CALL ConsultarUltimaSessaoFiscal(int sessao, char* codigo) {
  return answer(command(Function::ConsultarUltimaSessaoFiscal, sessao, codigo));
}

// A maker's extra that selects a communication driver; the emulator has only
// one, so it acknowledges the choice.
SATEMU_EXPORT char* SATEMU_CALL SetDriver(int sessao, char* codigo, char* driver) {
  Command c = command(Function::SetDriver, sessao, codigo);
  c.dados = text(driver);
  return answer(c);
}
