// The Windows conversion to the ANSI code page: no best-fit mapping, so a
// character the code page lacks can never turn into a quote or a backslash on
// its way to the device.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace {

TEST(WindowsAnsiCodePage, NeverBestFits) {
  // Double prime, fullwidth backslash and fullwidth quote best-fit to '"',
  // '\' and '"' in Windows-1252; they must arrive as '?'.
  EXPECT_EQ(platform::toAnsi(u"\u2033\uFF3C\uFF02"), "???");
  EXPECT_EQ(platform::toAnsi(u"abc"), "abc");
}

TEST(WindowsAnsiCodePage, LatinTextRoundTripsInWindows1252) {
  if (GetACP() != 1252) GTEST_SKIP() << "the system code page is " << GetACP();
  EXPECT_EQ(platform::toAnsi(u"Ativação €"), "Ativa\xe7\xe3o \x80");
  EXPECT_EQ(platform::fromAnsi("Ativa\xe7\xe3o \x80"), u"Ativação €");
}

}  // namespace
