#include "health/Wording.h"

#include <array>

#include "health/DeviceTime.h"
#include "platform/Text.h"

namespace health {

namespace {

constexpr std::size_t kQuotedLimit = 40;

struct Unit {
  std::int64_t seconds;
  std::u16string_view singular;
  std::u16string_view plural;
};

constexpr std::array<Unit, 4> kUnits{{{kSecondsPerDay, u"dia", u"dias"},
                                      {60 * 60, u"hora", u"horas"},
                                      {60, u"minuto", u"minutos"},
                                      {1, u"segundo", u"segundos"}}};

}  // namespace

std::u16string counted(std::int64_t count, std::u16string_view singular,
                       std::u16string_view plural) {
  return platform::fromUtf8(std::to_string(count)) + u" " +
         std::u16string(count == 1 || count == -1 ? singular : plural);
}

std::u16string duration(std::int64_t seconds) {
  if (seconds < 0) seconds = -seconds;
  for (std::size_t i = 0; i < kUnits.size(); ++i) {
    const Unit& unit = kUnits[i];
    if (seconds < unit.seconds && i + 1 < kUnits.size()) continue;
    std::u16string text = counted(seconds / unit.seconds, unit.singular, unit.plural);
    if (i + 1 < kUnits.size()) {
      const Unit& next = kUnits[i + 1];
      const std::int64_t rest = seconds % unit.seconds / next.seconds;
      if (rest > 0) text += u" e " + counted(rest, next.singular, next.plural);
    }
    return text;
  }
  return {};
}

std::u16string quoted(std::string_view value) {
  std::u16string text = platform::fromUtf8Start(value, kQuotedLimit + 1);
  for (char16_t& c : text)
    if (c < u' ' || c == u'\x7f') c = u'\xfffd';
  if (text.size() > kQuotedLimit) text = text.substr(0, kQuotedLimit) + u"...";
  return u"\"" + text + u"\"";
}

}  // namespace health
