#include <gtest/gtest.h>

#include <string>

#include "codec/Base64.h"

namespace {

struct Vector {
  std::string bytes;
  std::string encoded;
};

// RFC 4648 test vectors plus bytes above 0x7F, which must not sign-extend.
const Vector kVectors[] = {
    {"", ""},
    {"f", "Zg=="},
    {"fo", "Zm8="},
    {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="},
    {"fooba", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy"},
    {"\xff\xfe\xfd", "//79"},
    {"opera\xc3\xa7\xc3\xa3o", "b3BlcmHDp8Ojbw=="},
};

TEST(Base64, EncodesAndDecodesTheStandardVectors) {
  for (const Vector& v : kVectors) {
    EXPECT_EQ(codec::encodeBase64(v.bytes), v.encoded) << v.bytes;
    EXPECT_EQ(codec::decodeBase64(v.encoded), v.bytes) << v.encoded;
  }
}

TEST(Base64, RoundTripsEveryByteValue) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  for (std::size_t length = 0; length <= all.size(); length += 37)
    EXPECT_EQ(codec::decodeBase64(codec::encodeBase64(all.substr(0, length))),
              all.substr(0, length));
}

TEST(Base64, SkipsEveryCharacterOutsideTheAlphabet) {
  // Devices break the text with CR LF; files add blanks; nothing of it is data.
  EXPECT_EQ(codec::decodeBase64("Zm9v\r\nYmFy"), "foobar");
  EXPECT_EQ(codec::decodeBase64(" Zm 9v\tYm\nFy "), "foobar");
  EXPECT_EQ(codec::decodeBase64("Z*m|9-v.Y\xc3\xa7mFy"), "foobar");
}

TEST(Base64, PaddingEndsTheDataAndMayBeMissing) {
  EXPECT_EQ(codec::decodeBase64("Zm8="), "fo");
  EXPECT_EQ(codec::decodeBase64("Zm8"), "fo");
  EXPECT_EQ(codec::decodeBase64("Zg==Zm9v"), "f");
  EXPECT_EQ(codec::decodeBase64("Zg\r\n=="), "f");
}

}  // namespace
