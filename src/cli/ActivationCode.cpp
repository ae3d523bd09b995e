#include "cli/ActivationCode.h"

#include <cstdio>
#include <memory>

#include "page/InputChecks.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace cli {

namespace {

// The file's first line, without a UTF-8 byte order mark; nothing when the
// file cannot be read or is larger than any code.
std::optional<std::string> firstLineOf(const platform::Path& file) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(platform::openFile(file, "rb"),
                                                           &std::fclose);
  if (!in) return std::nullopt;
  std::string bytes(kLongestCodeInput + 1, '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in.get()));
  if (bytes.size() > kLongestCodeInput || std::ferror(in.get())) return std::nullopt;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  return bytes.substr(0, bytes.find_first_of("\r\n"));
}

CodeOutcome refused(std::u16string why) {
  return {std::nullopt, std::move(why)};
}

}  // namespace

CodeOutcome activationCode(const Invocation& invocation, CodeInputs& inputs) {
  std::u16string typed;
  if (invocation.codeFile) {
    const std::optional<std::string> line = firstLineOf(*invocation.codeFile);
    if (!line)
      return refused(u"Não foi possível ler o código de ativação do arquivo " +
                     invocation.codeFile->text() + u" (o arquivo não abre ou passa de 1 KB).");
    typed = platform::fromUtf8(*line);
  } else if (const std::optional<std::u16string> variable = inputs.environmentCode();
             variable && !variable->empty()) {
    typed = *variable;
  } else if (const std::optional<std::string> line = inputs.standardInputLine()) {
    typed = platform::fromUtf8(*line);
  } else {
    return refused(u"Falta o código de ativação. " + std::u16string(kWhereTheCodeComesFrom));
  }
  const std::u16string code = platform::trimmed(typed);
  if (page::isShortCode(code))
    return refused(std::u16string(page::kCodeTooShort) + u" " +
                   std::u16string(kWhereTheCodeComesFrom));
  return {platform::toAnsi(code), {}};
}

}  // namespace cli
