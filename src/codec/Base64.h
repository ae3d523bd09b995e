#pragma once
// Base64 with the standard alphabet, as the device carries coupons and logs.
#include <span>
#include <string>
#include <string_view>

namespace codec {

// Standard alphabet, padded with '=' to a multiple of four characters.
std::string encodeBase64(std::string_view bytes);

// Decodes text that may hold line breaks, blanks or other stray characters:
// every character outside the alphabet is skipped. The first '=' ends the
// data; an incomplete last group yields the whole bytes it holds.
std::string decodeBase64(std::string_view text);

// decodeBase64 written over the text itself, from its start (the bytes are
// always fewer than the characters they come from): a log of tens of
// megabytes then needs no memory of its own. Returns how many bytes it wrote.
std::size_t decodeBase64InPlace(std::span<char> text);

}  // namespace codec
