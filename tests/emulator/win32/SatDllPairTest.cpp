// The stdcall and the cdecl SAT.DLL, loaded side by side by full path, give
// the same answers to the same calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "support/TempFolder.h"
#include "win32/LibraryPath.h"

namespace {

using satemu::testing::windowsPath;

template <typename Convention>
struct Entries;

struct StdCall {};
struct CDecl {};

template <>
struct Entries<StdCall> {
  using Consultar = char*(__stdcall*)(int);
  using Ativar = char*(__stdcall*)(int, int, char*, char*, int);
  using WithCode = char*(__stdcall*)(int, char*);
  using WithData = char*(__stdcall*)(int, char*, char*);
  using Associar = char*(__stdcall*)(int, char*, char*, char*);
  using Sessao = char*(__stdcall*)(int, char*, int);
  using Trocar = char*(__stdcall*)(int, char*, int, char*, char*);
};

template <>
struct Entries<CDecl> {
  using Consultar = char*(__cdecl*)(int);
  using Ativar = char*(__cdecl*)(int, int, char*, char*, int);
  using WithCode = char*(__cdecl*)(int, char*);
  using WithData = char*(__cdecl*)(int, char*, char*);
  using Associar = char*(__cdecl*)(int, char*, char*, char*);
  using Sessao = char*(__cdecl*)(int, char*, int);
  using Trocar = char*(__cdecl*)(int, char*, int, char*, char*);
};

char* text(const std::string& value) {
  return const_cast<char*>(value.c_str());
}

std::string copy(const char* answer) {
  return answer ? answer : "<NULL>";
}

// Every field but the ones the device fills with the clock or at random.
std::string stableFields(const std::string& answer, std::size_t keep) {
  std::string out;
  std::size_t field = 0;
  for (const char c : answer) {
    if (c == '|' && ++field >= keep) break;
    out += c;
  }
  return out;
}

// One device life, with every kind of argument list, through one convention.
template <typename Convention>
std::vector<std::string> walk(const std::wstring& dll, const std::string& stateFile) {
  using E = Entries<Convention>;
  // Each build gets its own device, without latency: the state file is named per load.
  platform::writeFileAtomically(std::filesystem::path(stateFile),
                                "[knobs]\nlatencyMs = 0\nactivationLatencyMs = 0\n");
  _putenv_s("QUORVEL_SATEMU_STATE", stateFile.c_str());
  HMODULE module = LoadLibraryW(dll.c_str());
  EXPECT_NE(module, nullptr) << "LoadLibraryW failed: " << GetLastError();
  if (!module) return {};
  // Through void*: the entry points' types are known only here.
  const auto entry = [&](const char* name) {
    void* address = reinterpret_cast<void*>(GetProcAddress(module, name));
    EXPECT_NE(address, nullptr) << name;
    return address;
  };
  const char* kAllNames[] = {"ConsultarSAT",
                             "AtivarSAT",
                             "ComunicarCertificadoICPBRASIL",
                             "EnviarDadosVenda",
                             "CancelarUltimaVenda",
                             "TesteFimAFim",
                             "ConsultarStatusOperacional",
                             "ConsultarNumeroSessao",
                             "ConfigurarInterfaceDeRede",
                             "AssociarAssinatura",
                             "AtualizarSoftwareSAT",
                             "ExtrairLogs",
                             "BloquearSAT",
                             "DesbloquearSAT",
                             "TrocarCodigoDeAtivacao",
                             "ConsultarUltimaSessaoFiscal",
                             "SetDriver"};
  for (const char* name : kAllNames) entry(name);

  const std::string code = "12345678", cnpj = "11222333000181";
  const std::string pair = "16222333000181" + cnpj, signature(344, '1');
  const std::string network =
      "<config><tipoInter>ETHE</tipoInter><tipoLan>DHCP</tipoLan><proxy>0</proxy></config>";
  std::vector<std::string> answers;
  answers.push_back(copy(reinterpret_cast<typename E::Consultar>(entry("ConsultarSAT"))(101)));
  answers.push_back(stableFields(copy(reinterpret_cast<typename E::Ativar>(entry("AtivarSAT"))(
                                     102, 1, text(code), text(cnpj), 35)),
                                 5));
  answers.push_back(copy(reinterpret_cast<typename E::Associar>(entry("AssociarAssinatura"))(
      103, text(code), text(pair), text(signature))));
  answers.push_back(copy(reinterpret_cast<typename E::WithData>(entry("ConfigurarInterfaceDeRede"))(
      104, text(code), text(network))));
  answers.push_back(stableFields(copy(reinterpret_cast<typename E::WithCode>(
                                     entry("ConsultarStatusOperacional"))(105, text(code))),
                                 5));
  answers.push_back(copy(
      reinterpret_cast<typename E::Sessao>(entry("ConsultarNumeroSessao"))(106, text(code), 104)));
  answers.push_back(
      copy(reinterpret_cast<typename E::WithCode>(entry("BloquearSAT"))(107, text(code))));
  answers.push_back(
      copy(reinterpret_cast<typename E::WithCode>(entry("DesbloquearSAT"))(108, text(code))));
  answers.push_back(copy(reinterpret_cast<typename E::Trocar>(entry("TrocarCodigoDeAtivacao"))(
      109, text(code), 1, text("novocodigo"), text("novocodigo"))));
  answers.push_back(copy(reinterpret_cast<typename E::WithCode>(
      entry("ConsultarUltimaSessaoFiscal"))(110, text("novocodigo"))));
  answers.push_back(stableFields(
      copy(reinterpret_cast<typename E::WithCode>(entry("ExtrairLogs"))(111, text("novocodigo"))),
      5));
  FreeLibrary(module);
  return answers;
}

TEST(SatDllPair, StdcallAndCdeclBuildsAnswerAlike) {
  satemu::testing::TempFolder folder;
  const std::vector<std::string> stdcallAnswers =
      walk<StdCall>(windowsPath(SATEMU_STDCALL_DLL), (folder.path() / "stdcall.ini").string());
  const std::vector<std::string> cdeclAnswers =
      walk<CDecl>(windowsPath(SATEMU_CDECL_DLL), (folder.path() / "cdecl.ini").string());
  ASSERT_EQ(stdcallAnswers.size(), 11u);
  EXPECT_EQ(stdcallAnswers, cdeclAnswers);
  EXPECT_EQ(stdcallAnswers[0], "000101|08000|SAT em operação||");
  EXPECT_EQ(stdcallAnswers[1], "000102|04000|Ativado corretamente||");
  EXPECT_EQ(stdcallAnswers[2], "000103|13000|0000|Assinatura do AC Registrada||");
  EXPECT_EQ(stdcallAnswers[5], stdcallAnswers[3]);
  EXPECT_EQ(stdcallAnswers[8], "000109|18000|Código de ativação alterado com sucesso||");
  EXPECT_EQ(stdcallAnswers[9], "000110|19003|Não existe sessão fiscal||");
  EXPECT_EQ(stdcallAnswers[10], "000111|15000|Transferência completa||");
}

}  // namespace

namespace {

TEST(SatDll, KeepsItsStateBesideItselfByDefault) {
  satemu::testing::TempFolder folder;
  const std::filesystem::path library = folder.path() / "SAT.DLL";
  std::filesystem::copy_file(windowsPath(SATEMU_STDCALL_DLL), library);
  _putenv_s("QUORVEL_SATEMU_STATE", "");  // removes it
  HMODULE module = LoadLibraryW(library.wstring().c_str());
  ASSERT_NE(module, nullptr);
  const auto consultar = reinterpret_cast<Entries<StdCall>::Consultar>(
      reinterpret_cast<void*>(GetProcAddress(module, "ConsultarSAT")));
  EXPECT_EQ(copy(consultar(7)), "000007|08000|SAT em operação||");
  FreeLibrary(module);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "satemu-state.ini"));
}

}  // namespace
