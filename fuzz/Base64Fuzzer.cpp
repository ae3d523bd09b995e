// Base64 both ways: any bytes come back from their encoding, and any text
// decodes as a plain bit-by-bit reading of its alphabet characters does, in
// a buffer of its own or where it lies.
#include "FuzzExpect.h"
#include "codec/Base64.h"

namespace {

using fuzzing::expect;

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Six bits per alphabet character, a byte out whenever eight are gathered;
// other characters skipped, the first '=' ending the data.
std::string decodedBitByBit(std::string_view text) {
  std::string bytes;
  unsigned bits = 0;
  int gathered = 0;
  for (const char c : text) {
    if (c == '=') break;
    const std::size_t value = kAlphabet.find(c);
    if (value == kAlphabet.npos) continue;
    bits = (bits << 6 | static_cast<unsigned>(value)) & 0xFFF;
    gathered += 6;
    if (gathered >= 8) {
      gathered -= 8;
      bytes += static_cast<char>(bits >> gathered & 0xFF);
    }
  }
  return bytes;
}

void checkEncoding(std::string_view bytes) {
  const std::string encoded = codec::encodeBase64(bytes);
  expect(encoded.size() == (bytes.size() + 2) / 3 * 4, "encoding of the wrong length");
  const std::size_t data = encoded.find_first_not_of(kAlphabet);
  expect(data == encoded.npos ||
             (encoded.size() - data <= 2 && encoded.find_first_not_of('=', data) == encoded.npos),
         "encoding holds more than the alphabet and its padding");
  expect(codec::decodeBase64(encoded) == bytes, "bytes changed by encoding and decoding");
}

void checkDecoding(std::string_view text) {
  const std::string decoded = codec::decodeBase64(text);
  expect(decoded == decodedBitByBit(text), "decoding differs from reading bit by bit");
  std::string inPlace(text);
  inPlace.resize(codec::decodeBase64InPlace(inPlace));
  expect(inPlace == decoded, "decoding where the text lies differs");
  // Whole groups of the alphabet alone are the one encoding of their bytes.
  if (text.size() % 4 == 0 && text.find_first_not_of(kAlphabet) == text.npos)
    expect(codec::encodeBase64(decoded) == text, "whole groups not encoded back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view input = fuzzing::bytesOf(data, size);
  checkEncoding(input);
  checkDecoding(input);
  return 0;
}
