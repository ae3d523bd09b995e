// The status listing: every field of a status answer from field 5 on, as the
// status page lists them.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>

#include "FuzzExpect.h"
#include "diagnostics/StatusListing.h"
#include "page/AnswerFields.h"
#include "platform/Text.h"

namespace {

using fuzzing::expect;

// Where the device's table puts values that are not shown as sent.
constexpr std::size_t kDateTimeFields[] = {17, 23, 24};
constexpr std::size_t kDateFields[] = {25, 26};
constexpr std::size_t kLockStateField = 27;
constexpr std::size_t kLabelColumn = 17;
// The bytes 0 to 32, the blanks the program trims.
const std::string kBlanks = [] {
  std::string blanks;
  for (char c = 0; c <= ' '; ++c) blanks += c;
  return blanks;
}();

bool isOneOf(std::size_t field, std::span<const std::size_t> fields) {
  return std::find(fields.begin(), fields.end(), field) != fields.end();
}

// Bytes from..from+count of the value in the system's code page; nothing past
// its end.
std::u16string piece(std::string_view value, std::size_t from, std::size_t count) {
  return from < value.size() ? platform::fromAnsi(value.substr(from, count)) : u"";
}

std::u16string expectedDate(std::string_view value) {
  return piece(value, 6, 2) + u"/" + piece(value, 4, 2) + u"/" + piece(value, 0, 4);
}

std::u16string expectedDateTime(std::string_view value) {
  return expectedDate(value) + u" - " + piece(value, 8, 2) + u":" + piece(value, 10, 2) + u":" +
         piece(value, 12, 2);
}

// The number std::from_chars reads from the whole value, or none.
std::optional<long long> wholeNumber(std::string_view value) {
  const bool negative = value.starts_with('-');
  if (negative) value.remove_prefix(1);
  if (value.empty() || value.find_first_not_of("0123456789") != value.npos) return std::nullopt;
  long long number = 0;
  for (const char digit : value) {
    number = number * 10 + (digit - '0');
    if (number > 1LL << 32) return std::nullopt;
  }
  number = negative ? -number : number;
  if (number < INT32_MIN || number > INT32_MAX) return std::nullopt;
  return number;
}

// The number of a lock state: blanks around it and a plus sign before it
// allowed.
std::optional<long long> lockNumber(std::string_view value) {
  const std::size_t first = value.find_first_not_of(kBlanks);
  if (first == value.npos) return std::nullopt;
  value = value.substr(first, value.find_last_not_of(kBlanks) + 1 - first);
  if (value.starts_with("+-")) return std::nullopt;
  if (value.starts_with('+')) value.remove_prefix(1);
  return wholeNumber(value);
}

void checkLockState(std::string_view value, std::u16string_view shown) {
  const std::optional<long long> number = lockNumber(value);
  if (number && *number >= 0 && *number <= 4) {
    expect(shown.starts_with(u"DESBLOQUEADO") || shown.starts_with(u"BLOQUEIO"),
           "a known lock state not named");
  } else {
    expect(shown == platform::fromUtf8(value), "an unknown lock state not shown as sent");
  }
}

// " LABEL ..... value": the label's dots reach column 17.
void checkLine(std::size_t field, std::string_view value, std::u16string_view line) {
  expect(line.starts_with(u" "), "a line without its leading blank");
  const std::size_t labelEnd = line.find(u' ', 1);
  expect(labelEnd != line.npos, "a line without its label");
  const std::u16string_view label = line.substr(1, labelEnd - 1);
  const std::size_t dots = label.size() < kLabelColumn ? kLabelColumn - label.size() : 0;
  const std::u16string separator = u" " + std::u16string(dots, u'.') + u" ";
  expect(line.substr(labelEnd, separator.size()) == separator, "label not padded to its column");
  const std::u16string_view shown = line.substr(labelEnd + separator.size());
  if (field > kLockStateField) {
    const std::string number = std::to_string(field);
    expect(label == u"CAMPO_" + std::u16string(number.begin(), number.end()),
           "a field past the table not labelled by its number");
  }
  if (field == kLockStateField) {
    checkLockState(value, shown);
  } else if (isOneOf(field, kDateTimeFields)) {
    expect(shown == expectedDateTime(value), "date and time not rearranged");
  } else if (isOneOf(field, kDateFields)) {
    expect(shown == expectedDate(value), "date not rearranged");
  } else {
    expect(shown == platform::fromUtf8(value), "a value not shown as sent");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const page::AnswerFields fields(fuzzing::bytesOf(data, size));
  for (std::size_t field = diagnostics::kFirstStatusField; field < fields.count(); ++field)
    checkLine(field, fields[field], diagnostics::statusLine(field, fields[field]));
  return 0;
}
