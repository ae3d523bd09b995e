#pragma once
// Conversions between the program's UTF-16 text and the bytes that cross the
// device library and the settings files.
#include <string>
#include <string_view>

namespace platform {

// UTF-16 to the system's 8-bit (ANSI) code page. A character the code page
// lacks becomes '?'. Windows: CP_ACP without best-fit mapping; elsewhere
// Windows-1252.
std::string toAnsi(std::u16string_view text);

// The system's 8-bit code page to UTF-16. Never fails.
std::u16string fromAnsi(std::string_view bytes);

// UTF-8 to UTF-16; every malformed sequence becomes U+FFFD. Never fails.
std::u16string fromUtf8(std::string_view bytes);

// fromUtf8 appending to `out`, for texts built from many pieces.
void appendFromUtf8(std::u16string& out, std::string_view bytes);
// The length of fromUtf8(bytes) in UTF-16 units, counted without making it.
std::size_t utf16Length(std::string_view bytes);
// The first `units` UTF-16 units of fromUtf8(bytes), all of it when shorter,
// decoded from only as many bytes as they can come from: a status line of a
// 27 MB answer reads a few hundred bytes of it.
std::u16string fromUtf8Start(std::string_view bytes, std::size_t units);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

// Whether every character is an ASCII digit; true for an empty text.
bool allDigits(std::string_view text);

// Removes the characters with codes 0 to 32 from both ends.
std::u16string trimmed(std::u16string_view text);

// Equal when only the case of ASCII letters differs, as Windows compares
// the names it knows (file names, resource keys).
bool equalIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

}  // namespace platform
