#pragma once
#include <string_view>

namespace validation {

// Whether the text is a CNPJ: exactly 14 ASCII digits, not one digit repeated,
// whose last two are the check digits of the others. Never fails.
bool isCNPJ(std::u16string_view CNPJ);

}  // namespace validation
