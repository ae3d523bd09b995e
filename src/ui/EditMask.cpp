#include "ui/EditMask.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// The sections of a mask, split at ';'; missing ones are empty.
std::vector<std::u16string_view> sectionsOf(std::u16string_view mask) {
  std::vector<std::u16string_view> sections;
  std::size_t start = 0;
  while (sections.size() < 3) {
    const std::size_t end = mask.find(u';', start);
    sections.push_back(
        mask.substr(start, end == std::u16string_view::npos ? mask.npos : end - start));
    if (end == std::u16string_view::npos) break;
    start = end + 1;
  }
  sections.resize(3);
  return sections;
}

}  // namespace

EditMask::EditMask(std::u16string_view mask) {
  const auto sections = sectionsOf(mask);
  pattern_ = std::u16string(sections[0]);
  keepsLiterals_ = !sections[1].empty() && sections[1] != u"0";
  if (!sections[2].empty()) blank_ = sections[2][0];
}

bool EditMask::isSlot(std::size_t position) const {
  return position < pattern_.size() && (pattern_[position] == u'9' || pattern_[position] == u'0');
}

std::u16string EditMask::display(std::u16string_view text) const {
  std::u16string shown(pattern_.size(), blank_);
  std::size_t next = 0;  // the next character of text to place
  for (std::size_t i = 0; i < pattern_.size(); ++i) {
    if (!isSlot(i)) {
      shown[i] = pattern_[i];
      continue;
    }
    if (keepsLiterals_) {
      if (i < text.size() && isDigit(text[i])) shown[i] = text[i];
      continue;
    }
    while (next < text.size() && !isDigit(text[next])) ++next;
    if (next < text.size()) shown[i] = text[next++];
  }
  return shown;
}

std::u16string EditMask::text(std::u16string_view display) const {
  std::u16string result;
  for (std::size_t i = 0; i < pattern_.size(); ++i) {
    const char16_t c = i < display.size() ? display[i] : blank_;
    const bool filled = isSlot(i) && isDigit(c);
    if (keepsLiterals_)
      result += isSlot(i) ? (filled ? c : u' ') : pattern_[i];
    else if (filled)
      result += c;
  }
  return result;
}

std::u16string EditMask::cleared(std::u16string_view display, MaskSelection selection) const {
  std::u16string shown(pattern_.size(), blank_);
  const std::size_t selectionEnd = selection.start + selection.length;
  for (std::size_t i = 0; i < pattern_.size(); ++i) {
    const bool selected = i >= selection.start && i < selectionEnd;
    if (!isSlot(i))
      shown[i] = pattern_[i];
    else if (!selected && i < display.size() && isDigit(display[i]))
      shown[i] = display[i];
  }
  return shown;
}

std::size_t EditMask::slotAtOrAfter(std::size_t position) const {
  while (position < pattern_.size() && !isSlot(position)) ++position;
  return std::min(position, pattern_.size());
}

std::size_t EditMask::caretAfterSlot(std::size_t slot) const {
  const std::size_t next = slotAtOrAfter(slot + 1);
  return next < pattern_.size() ? next : caretEnd();
}

MaskEditResult EditMask::type(std::u16string_view display, MaskSelection selection,
                              char16_t c) const {
  const std::size_t slot = slotAtOrAfter(selection.start);
  if (!isDigit(c) || slot >= pattern_.size()) return {std::u16string(display), selection.start};
  std::u16string shown = cleared(display, selection);
  shown[slot] = c;
  return {std::move(shown), caretAfterSlot(slot), true};
}

MaskEditResult EditMask::backspace(std::u16string_view display, MaskSelection selection) const {
  if (selection.length > 0) return {cleared(display, selection), selection.start, true};
  std::size_t slot = std::min(selection.start, pattern_.size());
  do {
    if (slot == 0) return {std::u16string(display), selection.start};
    --slot;
  } while (!isSlot(slot));
  return {cleared(display, {slot, 1}), slot, true};
}

MaskEditResult EditMask::deleteForward(std::u16string_view display, MaskSelection selection) const {
  if (selection.length > 0) return {cleared(display, selection), selection.start, true};
  const std::size_t slot = slotAtOrAfter(selection.start);
  if (slot >= pattern_.size()) return {std::u16string(display), selection.start};
  return {cleared(display, {slot, 1}), caretAfterSlot(slot), true};
}

MaskEditResult EditMask::paste(std::u16string_view display, MaskSelection selection,
                               std::u16string_view pasted) const {
  std::u16string shown = cleared(display, selection);
  std::size_t slot = slotAtOrAfter(selection.start);
  std::size_t caret = selection.start;
  bool placed = false;
  for (char16_t c : pasted) {
    if (!isDigit(c)) continue;
    if (slot >= pattern_.size()) break;
    shown[slot] = c;
    caret = caretAfterSlot(slot);
    slot = slotAtOrAfter(slot + 1);
    placed = true;
  }
  if (!placed) return {std::u16string(display), selection.start};
  return {std::move(shown), caret, true};
}

std::size_t EditMask::caretHome() const {
  return std::min(slotAtOrAfter(0), caretEnd());
}

std::size_t EditMask::caretEnd() const {
  for (std::size_t i = pattern_.size(); i > 0; --i) {
    if (isSlot(i - 1)) return i;
  }
  return 0;
}

std::size_t EditMask::caretLeft(std::size_t caret) const {
  const std::size_t home = caretHome();
  if (caret <= home) return home;
  std::size_t position = std::min(caret, caretEnd());
  if (position == caret) --position;
  while (position > home && !isSlot(position)) --position;
  return position;
}

std::size_t EditMask::caretRight(std::size_t caret) const {
  return caret >= caretEnd() ? caretEnd() : caretAfterSlot(caret);
}

}  // namespace ui
