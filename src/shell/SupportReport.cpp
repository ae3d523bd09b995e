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
#include "ui/TextSource.h"

namespace shell {

namespace {

constexpr std::string_view kSecretFields[] = {"proxy_senha", "senha", "codigo"};

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Field names are compared as the settings reader compares them: without
// regard to case, so "PROXY_SENHA" is as secret as the reader finds it.
bool isSecret(std::string_view name) {
  return std::any_of(std::begin(kSecretFields), std::end(kSecretFields),
                     [name](std::string_view secret) {
                       return std::equal(secret.begin(), secret.end(), name.begin(), name.end(),
                                         [](char a, char b) { return a == lowerAscii(b); });
                     });
}

// Attributes (the parameter packet's rows) and elements (the network
// document) of those names, wherever they are. A secret element is hidden
// with everything inside it.
void hideSecrets(platform::XmlElement& element) {
  for (auto& [name, value] : element.attributes) {
    if (isSecret(name) && !value.empty()) value = "***";
  }
  if (isSecret(element.name)) {
    if (!element.text.empty() || !element.children.empty()) element.text = "***";
    element.children.clear();
    return;
  }
  for (platform::XmlElement& child : element.children) hideSecrets(child);
}

// The files the program keeps beside itself and reads or runs: a report
// written over one of them would destroy it.
constexpr std::pair<std::u16string_view, std::u16string_view> kProgramFiles[] = {
    {u"Parametros.xml", u"guarda as configurações do programa"},
    {u"ConfRede.xml", u"guarda a configuração de rede enviada ao SAT"},
    {u"CFe.xml", u"guarda o último cupom de teste"},
    {u"SAT.DLL", u"é a biblioteca do SAT"},
    {u"Quorvel.exe", u"é o próprio programa"},
    {u"Quorvel64.exe", u"é o próprio programa"},
};

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

// What the library or the system says is shown on one line of its own, cut
// to a length a message box shows beside the rest: a maker's version text
// of 20,000 characters, or one with line breaks, would push the other lines
// out of the box.
constexpr std::size_t kLongestShownValue = 100;

bool breaksTheLine(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

std::u16string shownValue(std::u16string_view value) {
  const bool cut = value.size() > kLongestShownValue;
  std::size_t length = cut ? kLongestShownValue : value.size();
  if (cut && value[length - 1] >= 0xD800 && value[length - 1] < 0xDC00) --length;
  std::u16string shown(value.substr(0, length));
  std::replace_if(shown.begin(), shown.end(), breaksTheLine, u' ');
  return cut ? shown + u"…" : shown;
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

SupportReport::SupportReport(ui::Messages& messages, ui::FilePickers& files,
                             const satlib::SatLibrary& library, const satlib::CallRecorder& calls,
                             const TFAtivacao& main, platform::Path programFolder)
    : messages_(messages),
      files_(files),
      library_(library),
      calls_(calls),
      main_(main),
      programFolder_(std::move(programFolder)) {}

std::u16string aboutText(const satlib::LibraryFacts& facts, const platform::Path& programFolder) {
  const int bits = static_cast<int>(sizeof(void*) * 8);
  std::u16string text = u"Quorvel " + std::u16string(platform::kProgramVersion) +
                        u", programa de " + platform::fromUtf8(std::to_string(bits)) +
                        u" bits\r\n" + u"Sistema: " +
                        shownValue(platform::operatingSystemDescription()) + u"\r\n\r\n";
  const platform::Path library = facts.path.empty() ? programFolder / u"SAT.DLL" : facts.path;
  if (!facts.loaded) return text + u"SAT.DLL não foi carregada: " + shownValue(library.text());
  text += u"SAT.DLL: " + shownValue(library.text()) + u"\r\n";
  try {
    text += u"Tamanho: " + platform::fromUtf8(std::to_string(platform::fileSize(library))) +
            u" bytes\r\n";
  } catch (const platform::FileError&) {
    text += u"Tamanho: não foi possível ler\r\n";
  }
  const platform::FileVersion version = platform::fileVersionOf(library);
  for (const auto& [label, value] : {std::pair{u"Versão do arquivo: ", &version.fileVersion},
                                     std::pair{u"Produto: ", &version.productName}}) {
    text += label + (value->empty() ? u"(sem informação)" : shownValue(*value)) + u"\r\n";
  }
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

std::u16string SupportReport::aboutText() const {
  return shell::aboutText(library_.facts(), programFolder_);
}

void SupportReport::showAbout() const {
  messages_.showMessage(aboutText());
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
  if (const std::string_view log = main_.TabLog.lastLog(); !log.empty()) {
    // The end of a long log is what support reads first: the start goes.
    const std::size_t kept = std::min(log.size(), kLongestReportLog);
    entries.emplace_back("log-sat.txt", log.substr(log.size() - kept));
    if (kept < log.size())
      notes += "log-sat.txt: o log tinha " + std::to_string(log.size()) +
               " bytes; ficaram só os últimos " + std::to_string(kept) + "\r\n";
  }
  const std::pair<const char*, const ui::Memo*> memos[] = {
      {"tela-status.txt", &main_.TabStatus.MemoStatus},
      {"tela-log.txt", &main_.TabLog.MemoLogs},
      {"tela-cupom.txt", &main_.TabTeste.MemoCFe},
  };
  for (const auto& [name, memo] : memos) {
    const std::u16string shown = ui::wholeText(*memo);
    if (!shown.empty()) entries.emplace_back(name, platform::toUtf8(shown));
  }
  if (const std::u16string health = main_.TabStatus.health.summary(); !health.empty())
    entries.emplace_back("saude.txt", platform::toUtf8(health));
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
  ui::FileDialogOptions options{u"Relatório para suporte", u"Arquivo zip (*.zip)|*.zip", u"zip",
                                u"quorvel-suporte.zip"};
  options.askBeforeReplacing = true;
  std::optional<std::u16string> chosen;
  while ((chosen = files_.saveFile(options))) {
    const auto programFile = programFileAt(platform::Path(*chosen), programFolder_);
    if (!programFile) break;
    messages_.showMessage(u"O relatório não pode ser gravado em " + *chosen + u": esse arquivo " +
                          *programFile +
                          u" e seria substituído.\r\n\r\nEscolha outro nome ou outra pasta.");
  }
  if (!chosen) return;
  try {
    platform::ZipWriter zip{platform::Path(*chosen)};
    for (const auto& [name, bytes] : entries()) zip.add(name, bytes);
    zip.commit();
  } catch (const platform::FileError&) {
    messages_.showMessage(u"Não foi possível gravar o relatório em " + *chosen);
    return;
  }
  messages_.showMessage(u"Relatório para suporte gravado em " + *chosen);
}

std::optional<std::u16string> programFileAt(const platform::Path& chosen,
                                            const platform::Path& programFolder) {
  const std::u16string full = platform::fullPath(chosen).text();
  const std::size_t last = full.find_last_of(platform::Path::kSeparators);
  const std::u16string folder = full.substr(0, last == std::u16string::npos ? 0 : last + 1);
  // "Parametros.xml:dados" is a stream of Parametros.xml, and Windows opens
  // "Parametros.xml. " as Parametros.xml.
  std::u16string name = full.substr(folder.size());
  name.resize(std::min(name.size(), name.find(u':')));
  while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.pop_back();
  const platform::Path plain(folder + name);

  const bool inProgramFolder =
      !folder.empty() && platform::sameFile(platform::Path(folder), programFolder);
  for (const auto& [ownName, what] : kProgramFiles) {
    const platform::Path own = programFolder / ownName;
    if ((inProgramFolder && platform::equalIgnoringAsciiCase(name, ownName)) ||
        platform::equalIgnoringAsciiCase(plain.text(), platform::fullPath(own).text()) ||
        platform::sameFile(chosen, own))
      return std::u16string(what);
  }
  if (platform::sameFile(chosen, platform::executablePath())) return u"é o próprio programa";
  return std::nullopt;
}

}  // namespace shell
