// The plain text form: for the status, the listing as the status page shows
// it; for the status and the health checks, one line per check, worst
// first; last, one line with the level in a word and what happened.
#include "cli/Reports.h"
#include "diagnostics/HealthPanel.h"
#include "platform/Text.h"

namespace cli {

namespace {

constexpr std::size_t kWordColumn = 14;

std::u16string padded(std::u16string word) {
  if (word.size() < kWordColumn) word.append(kWordColumn - word.size(), u' ');
  return word;
}

}  // namespace

std::string textReport(const CommandResult& result) {
  std::u16string text;
  for (const std::u16string& line : result.listing) text += line + u"\r\n";
  if (!result.listing.empty()) text += u"\r\n";
  for (const health::Check& check : result.checks)
    text += u"  " + padded(diagnostics::levelWord(check.level)) + check.sentence + u"\r\n";
  if (!result.checks.empty()) text += u"\r\n";
  text += diagnostics::levelWord(result.level) + u": " + result.summary + u"\r\n";
  return platform::toUtf8(text);
}

}  // namespace cli
