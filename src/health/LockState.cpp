#include "health/LockState.h"

#include <array>
#include <charconv>

#include "health/StatusFields.h"

namespace health {

namespace {

constexpr std::array<std::u16string_view, 5> kEstadosBloqueio{
    u"DESBLOQUEADO", u"BLOQUEIO SEFAZ", u"BLOQUEIO CONTRIBUINTE", u"BLOQUEIO AUTONOMO",
    u"BLOQUEIO PARA DESATIVACAO"};

// The names devices that write text use, by state.
constexpr std::array<std::string_view, 5> kWrittenNames{
    "DESBLOQUEADO", "BLOQUEIO_SEFAZ", "BLOQUEIO_CONTRIBUINTE", "BLOQUEIO_AUTONOMO",
    "BLOQUEIO_DESATIVACAO"};

}  // namespace

std::optional<int> writtenNumber(std::string_view v) {
  v = trimmedField(v);
  if (v.size() > 1 && v.front() == '+' && v[1] != '-') v.remove_prefix(1);
  int number = 0;
  const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), number);
  if (v.empty() || error != std::errc{} || end != v.data() + v.size()) return std::nullopt;
  return number;
}

std::optional<int> lockState(std::string_view value) {
  if (const std::optional<int> number = writtenNumber(value)) {
    if (*number >= 0 && static_cast<std::size_t>(*number) < kEstadosBloqueio.size()) return number;
    return std::nullopt;
  }
  const std::string_view name = trimmedField(value);
  for (std::size_t state = 0; state < kWrittenNames.size(); ++state)
    if (name == kWrittenNames[state]) return static_cast<int>(state);
  return std::nullopt;
}

std::optional<std::u16string_view> lockStateName(int state) {
  if (state < 0 || static_cast<std::size_t>(state) >= kEstadosBloqueio.size()) return std::nullopt;
  return kEstadosBloqueio[static_cast<std::size_t>(state)];
}

}  // namespace health
