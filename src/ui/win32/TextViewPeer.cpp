#include <windows.h>

#include <algorithm>

#include "ui/win32/Peers.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

namespace {
constexpr int kWheelLines = 3;
constexpr int kMargin = 2;
}  // namespace

NativePeer::Creation TextViewPeer::creation() const {
  return {L"QuorvelTextView", WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE};
}

Font TextViewPeer::nativeFont() const {
  return memoFont(static_cast<const Memo&>(control_));
}

void TextViewPeer::created() {
  measureFont();
}

void TextViewPeer::measureFont() {
  HDC dc = host_.measuringDc();
  HGDIOBJ old = SelectObject(dc, host_.font(nativeFont()));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  lineHeight_ = std::max<int>(1, metrics.tmHeight);
  charWidth_ = std::max<int>(1, metrics.tmAveCharWidth);
}

// One pass over the text: where each line starts and how long the longest is.
void TextViewPeer::applyText() {
  const std::u16string& text = control_.text();
  lineStarts_.assign(1, 0);
  longestLine_ = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\n') continue;
    longestLine_ = std::max(longestLine_, i - lineStarts_.back());
    lineStarts_.push_back(i + 1);
  }
  longestLine_ = std::max(longestLine_, text.size() - lineStarts_.back());
  // A text that ends with a line break has no further line to show.
  if (lineStarts_.size() > 1 && lineStarts_.back() == text.size()) lineStarts_.pop_back();
  topLine_ = 0;
  leftColumn_ = 0;
  selStart_ = selEnd_ = 0;
  updateScrollBars();
  InvalidateRect(handle(), nullptr, TRUE);
}

void TextViewPeer::update(Property property) {
  if (property == Property::Font) {
    measureFont();
    updateScrollBars();
  }
  if (property == Property::ScrollToEnd) {
    scrollTo(static_cast<long long>(lineStarts_.size()) - visibleLines(), 0);
  }
}

std::u16string_view TextViewPeer::line(std::size_t index) const {
  const std::u16string& text = control_.text();
  const std::size_t start = lineStarts_[index];
  std::size_t end = index + 1 < lineStarts_.size() ? lineStarts_[index + 1] : text.size();
  std::u16string_view view(text.data() + start, end - start);
  while (!view.empty() && (view.back() == u'\n' || view.back() == u'\r')) view.remove_suffix(1);
  return view;
}

std::size_t TextViewPeer::lineOf(std::size_t position) const {
  const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position);
  return static_cast<std::size_t>(after - lineStarts_.begin()) - 1;
}

void TextViewPeer::selectRange(std::size_t start, std::size_t end) {
  const std::size_t size = control_.text().size();
  selStart_ = std::min(start, size);
  selEnd_ = std::clamp(end, selStart_, size);
  // Into view: a line off the screen comes a third of the way down, a column
  // off it a little in from the left edge.
  const std::size_t lineIndex = lineOf(selStart_);
  const auto line = static_cast<long long>(lineIndex);
  long long top = topLine_;
  if (line < topLine_ || line >= topLine_ + visibleLines()) top = line - visibleLines() / 3;
  const auto column = static_cast<long long>(selStart_ - lineStarts_[lineIndex]);
  const auto width = static_cast<long long>(selEnd_ - selStart_);
  long long left = leftColumn_;
  if (column < leftColumn_ || column + width > leftColumn_ + visibleColumns())
    left = std::max(0LL, column - 8);
  scrollTo(top, left);
  InvalidateRect(handle(), nullptr, FALSE);
}

// The selected part of one line on the screen, drawn over the line.
void TextViewPeer::paintSelection(HDC dc, std::size_t lineIndex, int row) const {
  const std::u16string_view text = line(lineIndex);
  const std::size_t lineStart = lineStarts_[lineIndex];
  const auto left = static_cast<std::size_t>(leftColumn_);
  const std::size_t from = std::max({selStart_, lineStart + left, lineStart});
  const std::size_t to = std::min(selEnd_, lineStart + text.size());
  if (from >= to) return;
  const std::u16string_view before = text.substr(left, from - lineStart - left);
  const std::u16string_view selected = text.substr(from - lineStart, to - from);
  SIZE offset{};
  SIZE extent{};
  GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(before.data()),
                        static_cast<int>(before.size()), &offset);
  GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(selected.data()),
                        static_cast<int>(selected.size()), &extent);
  const int x = host_.scale(kMargin) + offset.cx;
  const RECT box{x, row * lineHeight_, x + extent.cx, (row + 1) * lineHeight_};
  const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
  ExtTextOutW(dc, x, box.top, ETO_OPAQUE | ETO_CLIPPED, &box,
              reinterpret_cast<const wchar_t*>(selected.data()), static_cast<UINT>(selected.size()),
              nullptr);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}

int TextViewPeer::visibleLines() const {
  RECT client;
  GetClientRect(handle(), &client);
  return std::max<int>(1, (client.bottom - client.top) / lineHeight_);
}

int TextViewPeer::visibleColumns() const {
  RECT client;
  GetClientRect(handle(), &client);
  return std::max<int>(1, (client.right - client.left - host_.scale(kMargin)) / charWidth_);
}

void TextViewPeer::updateScrollBars() {
  SCROLLINFO vertical{sizeof vertical,
                      SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                      0,
                      static_cast<int>(lineStarts_.size()) - 1,
                      static_cast<UINT>(visibleLines()),
                      static_cast<int>(topLine_),
                      0};
  SetScrollInfo(handle(), SB_VERT, &vertical, TRUE);
  SCROLLINFO horizontal{sizeof horizontal,
                        SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                        0,
                        static_cast<int>(longestLine_),
                        static_cast<UINT>(visibleColumns()),
                        static_cast<int>(leftColumn_),
                        0};
  SetScrollInfo(handle(), SB_HORZ, &horizontal, TRUE);
}

void TextViewPeer::scrollTo(long long lineIndex, long long column) {
  const long long lastTop =
      std::max<long long>(0, static_cast<long long>(lineStarts_.size()) - visibleLines());
  const long long lastLeft =
      std::max<long long>(0, static_cast<long long>(longestLine_) - visibleColumns() + 1);
  lineIndex = std::clamp<long long>(lineIndex, 0, lastTop);
  column = std::clamp<long long>(column, 0, lastLeft);
  if (lineIndex == topLine_ && column == leftColumn_) return;
  topLine_ = lineIndex;
  leftColumn_ = column;
  updateScrollBars();
  InvalidateRect(handle(), nullptr, FALSE);
}

void TextViewPeer::onScroll(int bar, WORD request) {
  const bool vertical = bar == SB_VERT;
  const long long position = vertical ? topLine_ : leftColumn_;
  const long long page = vertical ? visibleLines() : visibleColumns();
  SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  GetScrollInfo(handle(), bar, &info);
  long long target = position;
  switch (request) {
    case SB_LINEUP:
      target = position - 1;
      break;
    case SB_LINEDOWN:
      target = position + 1;
      break;
    case SB_PAGEUP:
      target = position - page;
      break;
    case SB_PAGEDOWN:
      target = position + page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      target = info.nTrackPos;
      break;
    case SB_TOP:
      target = 0;
      break;
    case SB_BOTTOM:
      target = static_cast<long long>(vertical ? lineStarts_.size() : longestLine_);
      break;
    default:
      return;
  }
  if (vertical) {
    scrollTo(target, leftColumn_);
  } else {
    scrollTo(topLine_, target);
  }
}

bool TextViewPeer::onKey(WPARAM key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  switch (key) {
    case VK_UP:
      scrollTo(topLine_ - 1, leftColumn_);
      return true;
    case VK_DOWN:
      scrollTo(topLine_ + 1, leftColumn_);
      return true;
    case VK_PRIOR:
      scrollTo(topLine_ - visibleLines(), leftColumn_);
      return true;
    case VK_NEXT:
      scrollTo(topLine_ + visibleLines(), leftColumn_);
      return true;
    case VK_LEFT:
      scrollTo(topLine_, leftColumn_ - 1);
      return true;
    case VK_RIGHT:
      scrollTo(topLine_, leftColumn_ + 1);
      return true;
    case VK_HOME:
      scrollTo(control ? 0 : topLine_, 0);
      return true;
    case VK_END:
      if (control) scrollTo(static_cast<long long>(lineStarts_.size()), 0);
      return true;
    case 'C':
    case VK_INSERT:
      if (!control) return false;
      copyToClipboard();
      return true;
    default:
      return false;
  }
}

void TextViewPeer::copyToClipboard() const {
  const std::u16string& text = control_.text();
  if (!OpenClipboard(handle())) return;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t))) {
    auto* copy = static_cast<char16_t*>(GlobalLock(memory));
    std::copy(text.begin(), text.end(), copy);
    copy[text.size()] = u'\0';
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

void TextViewPeer::paint(HDC dc) {
  RECT client;
  GetClientRect(handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ old = SelectObject(dc, host_.font(nativeFont()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc,
               control_.enabled() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
  const int columns = visibleColumns() + 1;
  const int margin = host_.scale(kMargin);
  for (int row = 0; row <= visibleLines(); ++row) {
    const auto index = static_cast<std::size_t>(topLine_ + row);
    if (index >= lineStarts_.size()) break;
    std::u16string_view text = line(index);
    if (static_cast<std::size_t>(leftColumn_) >= text.size()) continue;
    text = text.substr(static_cast<std::size_t>(leftColumn_), static_cast<std::size_t>(columns));
    ExtTextOutW(dc, margin, row * lineHeight_, ETO_CLIPPED, &client,
                reinterpret_cast<const wchar_t*>(text.data()), static_cast<UINT>(text.size()),
                nullptr);
    paintSelection(dc, index, row);
  }
  if (GetFocus() == handle()) DrawFocusRect(dc, &client);
  SelectObject(dc, old);
}

LRESULT TextViewPeer::windowMessage(UINT message, WPARAM w, LPARAM l) {
  if (!attached()) return NativePeer::windowMessage(message, w, l);
  const std::u16string& text = control_.text();
  switch (message) {
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text.size());
    case WM_GETTEXT: {
      if (w == 0) return 0;
      const std::size_t count = std::min<std::size_t>(w - 1, text.size());
      auto* out = reinterpret_cast<char16_t*>(l);
      std::copy_n(text.begin(), count, out);
      out[count] = u'\0';
      return static_cast<LRESULT>(count);
    }
    case WM_SETTEXT:
      return TRUE;  // the text comes from the model only
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(lineStarts_.size());
    case EM_GETFIRSTVISIBLELINE:
      return static_cast<LRESULT>(topLine_);
    case EM_GETSEL: {
      // As an edit answers, so automation reads the selection the same way.
      if (w) *reinterpret_cast<DWORD*>(w) = static_cast<DWORD>(selStart_);
      if (l) *reinterpret_cast<DWORD*>(l) = static_cast<DWORD>(selEnd_);
      const auto word = [](std::size_t position) {
        return std::min<std::size_t>(position, 0xFFFF);
      };
      return static_cast<LRESULT>(MAKELONG(word(selStart_), word(selEnd_)));
    }
    case EM_SETSEL: {
      const auto start = static_cast<INT_PTR>(w);
      const auto end = static_cast<INT_PTR>(l);
      if (start < 0)
        selectRange(selEnd_, selEnd_);
      else
        selectRange(static_cast<std::size_t>(start),
                    end < 0 ? text.size() : static_cast<std::size_t>(end));
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SIZE:
      updateScrollBars();
      scrollTo(topLine_, leftColumn_);
      return 0;
    case WM_VSCROLL:
      onScroll(SB_VERT, LOWORD(w));
      return 0;
    case WM_HSCROLL:
      onScroll(SB_HORZ, LOWORD(w));
      return 0;
    case WM_MOUSEWHEEL:
      scrollTo(topLine_ - GET_WHEEL_DELTA_WPARAM(w) / WHEEL_DELTA * kWheelLines, leftColumn_);
      return 0;
    case WM_KEYDOWN:
      if (onKey(w)) return 0;
      break;
    case WM_LBUTTONDOWN:
      SetFocus(handle());
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(handle(), nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return paintWith([this](HDC dc) { paint(dc); });
    default:
      break;
  }
  return NativePeer::windowMessage(message, w, l);
}

}  // namespace ui::win32
