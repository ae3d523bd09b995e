#include "shell/SupportReport.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "platform/Files.h"
#include "platform/SystemFacts.h"
#include "platform/Text.h"
#include "platform/Xml.h"
#include "platform/ZipWriter.h"
#include "shell/UAtivacao_V4.h"

namespace shell {

namespace {

constexpr std::string_view kSecretFields[] = {"proxy_senha", "senha", "codigo"};

bool isSecret(std::string_view name) {
  return std::find(std::begin(kSecretFields), std::end(kSecretFields), name) !=
         std::end(kSecretFields);
}

// Attributes (the parameter packet's rows) and elements (the network
// document) of those names, wherever they are.
void hideSecrets(platform::XmlElement& element) {
  for (auto& [name, value] : element.attributes) {
    if (isSecret(name) && !value.empty()) value = "***";
  }
  if (isSecret(element.name) && !element.text.empty()) element.text = "***";
  for (platform::XmlElement& child : element.children) hideSecrets(child);
}

std::u16string conventionText(satlib::CallingConvention convention) {
  switch (convention) {
    case satlib::CallingConvention::Stdcall:
      return u"stdcall (as funções retiram os argumentos da pilha)";
    case satlib::CallingConvention::Cdecl:
      return u"cdecl (as funções deixam os argumentos na pilha)";
    case satlib::CallingConvention::Only64Bit:
      return u"a única de 64 bits";
    case satlib::CallingConvention::NotSeenYet:
      break;
  }
  return u"ainda não observada (nenhuma função foi chamada)";
}

std::u16string joined(const std::vector<std::u16string>& names) {
  std::u16string text;
  for (const std::u16string& name : names) text += (text.empty() ? u"" : u", ") + name;
  return text.empty() ? u"nenhuma" : text;
}

std::string timeText(const platform::TimeOfDay& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", time.hour, time.minute, time.second,
                time.millisecond);
  return text;
}

std::string callsText(const std::deque<satlib::RecordedCall>& calls) {
  std::string text;
  for (const satlib::RecordedCall& call : calls) {
    text += timeText(call.time) + "  sessão " + std::to_string(call.sessao) + "  " +
            satlib::entryPointName(call.entry) + "\r\n" + call.answer;
    if (call.answer.size() == satlib::CallRecorder::kLongestRecordedAnswer) text += " ...";
    text += "\r\n\r\n";
  }
  return text;
}

}  // namespace

std::optional<std::string> withoutSecrets(std::string_view document) {
  try {
    platform::XmlDocument parsed = platform::parseXmlDocument(document);
    hideSecrets(parsed.root);
    return platform::writeXml(parsed.root, platform::XmlLayout::Indented, parsed.declaration);
  } catch (const platform::XmlError&) {
    return std::nullopt;
  }
}

SupportReport::SupportReport(ui::Dialogs& dialogs, const satlib::CallRecorder& calls,
                             const TFAtivacao& main, platform::Path programFolder)
    : dialogs_(dialogs), calls_(calls), main_(main), programFolder_(std::move(programFolder)) {}

std::u16string SupportReport::aboutText() const {
  const int bits = static_cast<int>(sizeof(void*) * 8);
  std::u16string text = u"Quorvel " + std::u16string(kProgramVersion) + u", programa de " +
                        platform::fromUtf8(std::to_string(bits)) + u" bits\r\n" + u"Sistema: " +
                        platform::operatingSystemDescription() + u"\r\n\r\n";
  const satlib::LibraryFacts facts = calls_.facts();
  const platform::Path library = facts.path.empty() ? programFolder_ / u"SAT.DLL" : facts.path;
  if (!facts.loaded) return text + u"SAT.DLL não foi carregada: " + library.text();
  text += u"SAT.DLL: " + library.text() + u"\r\n";
  try {
    text += u"Tamanho: " + platform::fromUtf8(std::to_string(platform::fileSize(library))) +
            u" bytes\r\n";
  } catch (const platform::FileError&) {
    text += u"Tamanho: não foi possível ler\r\n";
  }
  const platform::FileVersion version = platform::fileVersionOf(library);
  text += u"Versão do arquivo: " +
          (version.fileVersion.empty() ? u"(sem informação)" : version.fileVersion) + u"\r\n";
  text += u"Produto: " + (version.productName.empty() ? u"(sem informação)" : version.productName) +
          u"\r\n";
  // A library loads only into a program of its own width.
  text += u"Arquitetura: biblioteca de " + platform::fromUtf8(std::to_string(bits)) + u" bits\r\n";
  text += u"Convenção de chamada: " + conventionText(facts.convention) + u"\r\n";
  std::vector<std::u16string> present;
  std::vector<std::u16string> missing;
  for (std::size_t i = 0; i < satlib::kEntryPointCount; ++i) {
    const std::u16string name =
        platform::fromUtf8(satlib::entryPointName(static_cast<satlib::EntryPoint>(i)));
    (facts.present[i] ? present : missing).push_back(name);
  }
  text += u"Funções presentes (" + platform::fromUtf8(std::to_string(present.size())) + u" de " +
          platform::fromUtf8(std::to_string(satlib::kEntryPointCount)) + u"): " + joined(present) +
          u"\r\nFunções ausentes: " + joined(missing);
  return text;
}

void SupportReport::showAbout() const {
  dialogs_.showMessage(aboutText());
}

std::vector<ReportEntry> SupportReport::entries() const {
  std::vector<ReportEntry> entries;
  std::string notes;
  entries.emplace_back("sobre.txt", platform::toUtf8(aboutText()) + "\r\n");
  for (const char16_t* name : {u"Parametros.xml", u"ConfRede.xml"}) {
    const platform::Path file = programFolder_ / name;
    const std::string shownName = platform::toUtf8(name);
    if (!platform::fileExists(file)) {
      notes += shownName + ": não existe\r\n";
      continue;
    }
    try {
      if (const auto shown = withoutSecrets(platform::readFile(file))) {
        entries.emplace_back(shownName, *shown);
        continue;
      }
      notes += shownName + ": danificado, não incluído (as senhas não podem ser ocultadas)\r\n";
    } catch (const platform::FileError&) {
      notes += shownName + ": não foi possível ler\r\n";
    }
  }
  entries.emplace_back("respostas.txt", callsText(calls_.calls()));
  const std::pair<const char*, const ui::Memo*> memos[] = {
      {"tela-status.txt", &main_.TabStatus.MemoStatus},
      {"tela-log.txt", &main_.TabLog.MemoLogs},
      {"tela-cupom.txt", &main_.TabTeste.MemoCFe},
  };
  for (const auto& [name, memo] : memos) {
    if (!memo->text().empty()) entries.emplace_back(name, platform::toUtf8(memo->text()));
  }
  const platform::Path coupon = programFolder_ / u"CFe.xml";
  if (platform::fileExists(coupon)) {
    try {
      entries.emplace_back("CFe.xml", platform::readFile(coupon));
    } catch (const platform::FileError&) {
      notes += "CFe.xml: não foi possível ler\r\n";
    }
  }
  if (!notes.empty()) entries.emplace_back("observacoes.txt", notes);
  return entries;
}

void SupportReport::writeReport() const {
  const auto chosen = dialogs_.saveFile(
      {u"Relatório para suporte", u"Arquivo zip (*.zip)|*.zip", u"zip", u"quorvel-suporte.zip"});
  if (!chosen) return;
  try {
    platform::ZipWriter zip{platform::Path(*chosen)};
    for (const auto& [name, bytes] : entries()) zip.add(name, bytes);
    zip.commit();
  } catch (const platform::FileError&) {
    dialogs_.showMessage(u"Não foi possível gravar o relatório em " + *chosen);
    return;
  }
  dialogs_.showMessage(u"Relatório para suporte gravado em " + *chosen);
}

}  // namespace shell
