#pragma once
// ESTADO_OPERACAO, the device's lock state: 0 unlocked, 1 to 4 the kinds of
// lock. Most devices write the number, some with a blank or a plus sign
// before it (" 2", "+2"); some write a name of their own instead
// ("BLOQUEIO_CONTRIBUINTE").
#include <optional>
#include <string_view>

namespace health {

inline constexpr int kUnlocked = 0;

// The whole number the field holds, with blanks around it and a plus sign
// allowed; nothing for a value that is no whole number.
std::optional<int> writtenNumber(std::string_view value);

// The state, from its number or from the name a device writes; nothing for
// any other value.
std::optional<int> lockState(std::string_view value);

// The program's name of a state (EstadosBloqueio): "DESBLOQUEADO",
// "BLOQUEIO SEFAZ", … ; nothing outside 0 to 4.
std::optional<std::u16string_view> lockStateName(int state);

}  // namespace health
