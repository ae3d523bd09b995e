#include "page/SignatureFile.h"

#include "page/InputChecks.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace page {

namespace {
constexpr std::uintmax_t kLargestSignatureFile = 64 * 1024;

std::string joinedLines(const platform::Path& file) {
  if (platform::fileSize(file) > kLargestSignatureFile) throw platform::FileError("too large");
  std::string joined;
  for (const std::string& line : platform::readLines(file)) joined += line;
  if (joined.find('\0') != std::string::npos) throw platform::FileError("not text");
  return joined;
}
}  // namespace

std::optional<std::u16string> readSignatureFile(const platform::Path& file, ui::Messages& messages,
                                                ui::Control& field) {
  if (!platform::fileExists(file)) {
    refuseInput(messages, u"Arquivo especificado não foi encontrado!", field);
    return std::nullopt;
  }
  std::u16string signature;
  try {
    signature = platform::fromAnsi(joinedLines(file));
  } catch (const platform::FileError&) {
    refuseInput(messages, u"Erro ao tentar acessar o arquivo especificado!", field);
    return std::nullopt;
  }
  // The box names the file, so its own blank check cannot see an empty one.
  if (platform::trimmed(signature).empty()) {
    refuseInput(messages, kBlankSignature, field);
    return std::nullopt;
  }
  return signature;
}

}  // namespace page
