#include "settings/ParameterDataset.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/Files.h"
#include "platform/Text.h"
#include "settings/DataPacket.h"
#include "settings/DefaultDocuments.h"
#include "settings/SettingsFolder.h"

namespace settings {
namespace {

std::string timestamp() {
  using namespace std::chrono;
  const auto now = floor<seconds>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day date{day};
  const hh_mm_ss time{now - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

// Renames the file to a name beside it that no file has yet.
std::optional<platform::Path> moveAside(const platform::Path& file) {
  const std::string stamp = timestamp();
  for (int attempt = 1; attempt <= 100; ++attempt) {
    std::u16string name = file.text() + u".danificado-" + platform::fromUtf8(stamp);
    if (attempt > 1) {
      name += u'-';
      name += platform::fromUtf8(std::to_string(attempt));
    }
    const platform::Path aside = platform::Path(name);
    if (platform::renameToFreeName(file, aside)) return aside;
    if (platform::fileExists(aside)) continue;
    return std::nullopt;
  }
  return std::nullopt;
}

std::u16string quoted(const platform::Path& path) {
  return u'"' + path.text() + u'"';
}

std::optional<int> wholeNumber(std::u16string_view text) {
  const bool negative = !text.empty() && text.front() == u'-';
  if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  long long value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<int>(value);
}

constexpr std::uintmax_t kLargestParametersFile = 1024 * 1024;

}  // namespace

ParameterDataset::ParameterDataset(const platform::Path& folder, SettingsNotices notices,
                                   std::function<void()> pauseBeforeRetry)
    : file_(folder / u"Parametros.xml"),
      notices_(std::move(notices)),
      pauseBeforeRetry_(std::move(pauseBeforeRetry)) {}

void ParameterDataset::waitForFileToBeReleased() {
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
}

void ParameterDataset::open() {
  if (open_) return;
  open_ = true;
  editing_ = false;
  unsaved_ = false;
  mayWrite_ = true;
  record_.reset();
  if (!platform::fileExists(file_)) return;
  try {
    // A real file is a few kilobytes: one far larger is damage, not settings,
    // and is never read whole into memory.
    if (platform::fileSize(file_) > kLargestParametersFile) {
      startWithDefaultsAfterDamage("arquivo grande demais");
      return;
    }
    record_ = readDataPacket(platform::readFile(file_));
  } catch (const platform::FileError& error) {
    startWithDefaultsAfterDamage(error.what());
  } catch (const DataPacketError& error) {
    startWithDefaultsAfterDamage(error.what());
  }
}

void ParameterDataset::startWithDefaultsAfterDamage(const std::string& reason) {
  record_ = readDataPacket(kDefaultParametros);
  std::u16string message = u"O arquivo de configuração " + quoted(file_) +
                           u" está danificado e não pôde ser lido (" + platform::fromUtf8(reason) +
                           u").\r\n";
  if (const auto aside = moveAside(file_)) {
    message += u"Ele foi guardado como " + quoted(*aside) +
               u" e as configurações padrão foram restauradas.";
    try {
      platform::writeFileAtomically(file_, kDefaultParametros);
    } catch (const platform::FileError&) {
      // The file is missing now, so close writes it; a post tries sooner.
    }
  } else {
    mayWrite_ = false;
    message +=
        u"Não foi possível guardá-lo com outro nome, por isso ele não será alterado: "
        u"as configurações padrão valem somente até o programa ser fechado.";
  }
  notices_.tell(message);
}

void ParameterDataset::first() {
  requireOpen();
}

std::u16string ParameterDataset::readText(std::string_view field) const {
  requireOpen();
  const std::size_t index = fieldIndex(field);
  if (editing_) return pending_[index].value_or(u"");
  if (!record_) return {};
  return (*record_)[index].value_or(u"");
}

int ParameterDataset::readNumber(std::string_view field) const {
  const std::u16string text = readText(field);
  const std::optional<int> value = wholeNumber(text);
  if (!value && !editing_ && !record_ && !platform::fileExists(file_))
    throw ConversionError(platform::toUtf8(u"O arquivo de configuração " + quoted(file_) +
                                           u" não existe e não pôde ser criado.\r\n" +
                                           unwritableSettingsFolder(file_, {})));
  if (!value)
    throw ConversionError("O campo \"" + std::string(field) +
                          "\" de Parametros.xml deveria conter um número inteiro, mas contém '" +
                          platform::toUtf8(text) + "'.");
  return *value;
}

void ParameterDataset::edit() {
  requireOpen();
  if (editing_) return;
  pending_ = record_.value_or(ParameterRecord{});
  editing_ = true;
}

void ParameterDataset::setText(std::string_view field, std::u16string_view value) {
  requireOpen();
  const std::size_t index = fieldIndex(field);
  if (!editing_) throw DatasetError("O conjunto de dados cds não está em modo de edição");
  pending_[index] = storedValue(kParameterFields[index], value);
}

void ParameterDataset::setNumber(std::string_view field, int value) {
  const std::string digits = std::to_string(value);
  setText(field, std::u16string(digits.begin(), digits.end()));
}

void ParameterDataset::post() {
  requireOpen();
  if (!editing_) return;
  record_ = pending_;
  editing_ = false;
  unsaved_ = true;
  const std::optional<std::string> failure = save();
  if (!failure || saveFailureShown_) return;
  saveFailureShown_ = true;
  notices_.tell(u"As configurações não puderam ser gravadas em " + quoted(file_) +
                u".\r\nO que foi digitado continua valendo enquanto o programa estiver "
                u"aberto; o programa tentará gravar de novo na próxima alteração e ao "
                u"ser fechado.\r\n" +
                unwritableSettingsFolder(file_, *failure));
}

void ParameterDataset::close() {
  if (!open_) return;
  editing_ = false;
  if (unsaved_ || !platform::fileExists(file_)) {
    const std::optional<std::string> failure = save();
    if (failure && unsaved_) offerToSaveElsewhere(*failure);
  }
  open_ = false;
  record_.reset();
}

std::optional<std::string> ParameterDataset::save() {
  if (!mayWrite_) return std::nullopt;
  const std::string document = writeDataPacket(record_);
  std::string failure;
  for (int attempt = 1; attempt <= kSaveAttempts; ++attempt) {
    if (attempt > 1) pauseBeforeRetry_();
    try {
      platform::writeFileAtomically(file_, document);
      unsaved_ = false;
      saveFailureShown_ = false;
      return std::nullopt;
    } catch (const platform::FileError& error) {
      failure = error.what();
    }
  }
  return failure;
}

// The program is closing with settings that exist only in memory: the user
// may put them in a file of their choice; cancelling drops them.
void ParameterDataset::offerToSaveElsewhere(const std::string& failure) {
  std::u16string question = u"As configurações não puderam ser gravadas em " + quoted(file_) +
                            u" e serão perdidas ao fechar o programa.\r\n" +
                            unwritableSettingsFolder(file_, failure) +
                            u"\r\n\r\nDeseja gravá-las em outro arquivo?";
  while (notices_.ask(question)) {
    const std::optional<std::u16string> chosen = notices_.chooseOtherFile();
    if (!chosen) continue;
    try {
      platform::writeFileAtomically(platform::Path(*chosen), writeDataPacket(record_));
      notices_.tell(u"As configurações foram gravadas em \"" + *chosen +
                    u"\".\r\nPara usá-las, copie esse arquivo para " + quoted(file_) +
                    u" com o programa fechado.");
      return;
    } catch (const platform::FileError& error) {
      question = u"As configurações também não puderam ser gravadas em \"" + *chosen +
                 u"\".\r\nDetalhe: " + platform::fromUtf8(error.what()) +
                 u"\r\n\r\nDeseja tentar outro arquivo?";
    }
  }
}

std::size_t ParameterDataset::fieldIndex(std::string_view field) const {
  const std::optional<std::size_t> index = findParameterField(field);
  if (!index) throw DatasetError("Campo '" + std::string(field) + "' não encontrado");
  return *index;
}

void ParameterDataset::requireOpen() const {
  if (!open_) throw DatasetError("O conjunto de dados cds está fechado");
}

}  // namespace settings
