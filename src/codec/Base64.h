#pragma once
// Base64 with the standard alphabet, as the device carries coupons and logs.
#include <string>
#include <string_view>

namespace codec {

// Standard alphabet, padded with '=' to a multiple of four characters.
std::string encodeBase64(std::string_view bytes);

// Decodes text that may hold line breaks, blanks or other stray characters:
// every character outside the alphabet is skipped. The first '=' ends the
// data; an incomplete last group yields the whole bytes it holds.
std::string decodeBase64(std::string_view text);

}  // namespace codec
