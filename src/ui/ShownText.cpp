#include "ui/ShownText.h"

namespace ui {

namespace {

bool drawnAsIs(char16_t c) {
  if (c == u'\t' || c == u'\r' || c == u'\n') return true;
  if (c >= 0x20 && c <= 0x7E) return true;
  if (c >= 0xA0 && c <= 0x24F) return true;
  // General punctuation without the invisible ones: line and paragraph
  // separators, the bidirectional marks, embeddings and isolates.
  if ((c >= 0x2010 && c <= 0x2027) || (c >= 0x2030 && c <= 0x205E)) return true;
  // Currency and letterlike symbols, without the combining marks between them.
  if ((c >= 0x20A0 && c <= 0x20CF) || (c >= 0x2100 && c <= 0x214F)) return true;
  return c == 0xFFFD;
}

}  // namespace

std::u16string drawnWithoutShaping(std::u16string_view text) {
  std::u16string drawn(text);
  for (char16_t& c : drawn) {
    if (!drawnAsIs(c)) c = 0xFFFD;
  }
  return drawn;
}

}  // namespace ui
