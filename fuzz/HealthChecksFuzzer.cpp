// The health checks of a status answer: whatever the device sends, eight
// checks in their order, each with a sentence of one line; a level that
// needs a figure has one and an unknown one has none; the checks that read
// one text field agree with a plain reading of that field; worstFirst keeps
// every check and sorts them, worstLevel is the worst of them.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzExpect.h"
#include "health/HealthChecks.h"

namespace {

using fuzzing::expect;
using health::CheckId;
using health::Level;

const platform::DateTime kComputerNow{2026, 12, 10, {12, 0, 0, 0}};

// The field as a plain split reads it, blanks and control bytes around it
// dropped; a 27-field answer lacks LISTA_FINAL, and the fields after it move
// left.
std::optional<std::string> plainField(std::string_view answer, std::size_t index) {
  std::vector<std::string> fields(1);
  for (const char c : answer) {
    if (c == '|') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (fields.size() == 27 && index > 22) --index;
  if (index >= fields.size()) return std::nullopt;
  std::string value = fields[index];
  while (!value.empty() && static_cast<unsigned char>(value.back()) <= ' ') value.pop_back();
  while (!value.empty() && static_cast<unsigned char>(value.front()) <= ' ') value.erase(0, 1);
  return value;
}

void checkOne(const health::Check& check) {
  expect(!check.sentence.empty(), "a check without a sentence");
  expect(std::none_of(check.sentence.begin(), check.sentence.end(),
                      [](char16_t c) { return c < u' '; }),
         "a control character in a sentence");
  if (check.level == Level::Unknown) expect(!check.figure, "an unknown check with a figure");
  if (check.level == Level::Ok || check.level == Level::Critical)
    expect(check.figure.has_value(), "a known level without its figure");
  if (check.level == Level::Warning && check.id != CheckId::PendingCoupons)
    expect(check.figure.has_value(), "a warning without its figure");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view answer = fuzzing::bytesOf(data, size);
  const std::vector<health::Check> checks = health::assessHealth(answer, kComputerNow);
  expect(checks.size() == 8, "not eight checks");
  for (std::size_t i = 0; i < checks.size(); ++i) {
    expect(checks[i].id == static_cast<CheckId>(i), "the checks out of their order");
    checkOne(checks[i]);
  }
  const std::optional<std::string> network = plainField(answer, 13);
  expect((checks[6].level == Level::Ok) == (network == "CONECTADO"),
         "the network ok without CONECTADO, or not ok with it");
  const std::optional<std::string> battery = plainField(answer, 14);
  expect((checks[7].level == Level::Warning) == (battery == "BAIXO"),
         "the battery low without BAIXO, or not low with it");

  const std::vector<health::Check> sorted = health::worstFirst(checks);
  expect(sorted.size() == checks.size(), "worstFirst lost a check");
  expect(std::is_sorted(
             sorted.begin(), sorted.end(),
             [](const health::Check& a, const health::Check& b) { return a.level > b.level; }),
         "worstFirst not sorted worst first");
  Level worst = Level::Ok;
  for (const health::Check& check : checks) worst = std::max(worst, check.level);
  expect(health::worstLevel(checks) == worst, "worstLevel is not the worst level");
  return 0;
}
