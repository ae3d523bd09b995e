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

// What the device handed back for one call.
struct Handed {
  char* answer;
  satemu::AnswerForm form;
};

Handed answerLocked(const Command& c) {
  static std::mutex deviceLock;
  static std::string buffer;
  const std::lock_guard<std::mutex> lock(deviceLock);
  satemu::Reply reply;
  try {
    // Looked up on every call: a test points each device at its own file.
    reply = satemu::runCommand(satemu::stateFilePath(satemu::libraryFolder()), c);
  } catch (const std::exception&) {
    reply.answer = satemu::plainAnswer(c.function, c.sessao, satemu::kUnknownError,
                                       satemu::AnswerLayout::Current);
  }
  if (!reply.answer) return {nullptr, reply.form};
  buffer = std::move(*reply.answer);
  return {buffer.data(), reply.form};
}

#ifdef _WIN32
// The knob "crash": an access violation, as a broken maker's library faults.
[[noreturn]] void faultWithAccessViolation() {
  RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
  std::abort();
}

// The knob "delphi-exception": what a library written in Delphi raises for an
// exception none of its code catches. The language's own code, not
// continuable, with the address of the raise, the exception object and the
// frame as its first arguments.
[[noreturn]] __attribute__((noinline)) void raiseDelphiException() {
  constexpr DWORD kDelphiException = 0x0EEDFADE;
  static const char exceptionObject[] = "EInOutError";
  const ULONG_PTR arguments[7] = {reinterpret_cast<ULONG_PTR>(__builtin_return_address(0)),
                                  reinterpret_cast<ULONG_PTR>(exceptionObject),
                                  reinterpret_cast<ULONG_PTR>(__builtin_frame_address(0))};
  RaiseException(kDelphiException, EXCEPTION_NONCONTINUABLE, 7, arguments);
  std::abort();
}

// The knob "handled-fault": a maker's library that checks a pointer before
// it reads it. The read faults on a page that is reserved but not committed,
// and the system handles the fault inside IsBadReadPtr.
void probeUnreadableMemory() {
  void* page = VirtualAlloc(nullptr, 1, MEM_RESERVE, PAGE_NOACCESS);
  if (!page) return;
  IsBadReadPtr(page, 1);
  VirtualFree(page, 0, MEM_RELEASE);
}
#else
[[noreturn]] void faultWithAccessViolation() {
  std::abort();
}
[[noreturn]] void raiseDelphiException() {
  std::abort();
}
// The Linux library has no faults of its own to handle: it answers.
void probeUnreadableMemory() {}
#endif

// The answer forms the device cannot act out are done here, once the device
// lock is released.
char* answer(const Command& c) {
  const Handed handed = answerLocked(c);
  switch (handed.form) {
    case satemu::AnswerForm::Crash:
      faultWithAccessViolation();
    case satemu::AnswerForm::DelphiException:
      raiseDelphiException();
    case satemu::AnswerForm::HandledFault:
      probeUnreadableMemory();
      return handed.answer;
    default:
      return handed.answer;
  }
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
