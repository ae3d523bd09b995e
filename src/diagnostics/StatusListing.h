#pragma once
// The operational status as the status page lists it: one line per answer
// field from field 5 on, the field's label padded with full stops to 17
// characters, then its value as the field's kind asks (text, date, date and
// time, lock state).
#include <string>
#include <string_view>

namespace diagnostics {

// The first answer field of the listing.
inline constexpr std::size_t kFirstStatusField = 5;

// The label of a field: "NSERIE" … "ESTADO_OPERACAO", then "CAMPO_28" …
std::u16string statusLabel(std::size_t field);

// The line of one field. Fields beyond the device's table are listed as
// "CAMPO_28", "CAMPO_29", … so nothing the device sent is hidden, and a lock
// state the table does not name is written as the device sent it.
std::u16string statusLine(std::size_t field, std::string_view value);

}  // namespace diagnostics
