#include <windows.h>

#include <algorithm>

#include "ui/win32/Peers.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

namespace {
constexpr int kWheelLines = 3;
constexpr WPARAM kControlC = 0x03;
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

void TextViewPeer::applyText() {
  lines_ = linesOf(static_cast<const Memo&>(control_));
  text_ = std::make_unique<SourceText>(*lines_);
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
  if (property == Property::ScrollToEnd) scrollTo(lineCount() - visibleLines(), 0);
}

std::optional<std::size_t> TextViewPeer::find(const TextSearch& search, std::size_t from) const {
  return text_->find(search, from);
}

void TextViewPeer::selectRange(std::size_t start, std::size_t end) {
  const std::size_t size = text_->size();
  selStart_ = std::min(start, size);
  selEnd_ = std::clamp(end, selStart_, size);
  // Into view: a line off the screen comes a third of the way down, a column
  // off it a little in from the left edge.
  const std::size_t lineIndex = text_->lineOf(selStart_);
  const auto line = static_cast<long long>(lineIndex);
  long long top = topLine_;
  if (line < topLine_ || line >= topLine_ + visibleLines()) top = line - visibleLines() / 3;
  const auto column = static_cast<long long>(selStart_ - text_->lineStart(lineIndex));
  const auto width = static_cast<long long>(selEnd_ - selStart_);
  long long left = leftColumn_;
  if (column < leftColumn_ || column + width > leftColumn_ + visibleColumns())
    left = std::max(0LL, column - 8);
  scrollTo(top, left);
  InvalidateRect(handle(), nullptr, FALSE);
}

// The selected part of one line on the screen, drawn over the line.
void TextViewPeer::paintSelection(HDC dc, std::size_t lineIndex, std::u16string_view text,
                                  int row) const {
  const std::size_t lineStart = text_->lineStart(lineIndex);
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
                      static_cast<int>(std::max(1LL, lineCount())) - 1,
                      static_cast<UINT>(visibleLines()),
                      static_cast<int>(topLine_),
                      0};
  SetScrollInfo(handle(), SB_VERT, &vertical, TRUE);
  SCROLLINFO horizontal{sizeof horizontal,
                        SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                        0,
                        static_cast<int>(lines_->longestLineBound()),
                        static_cast<UINT>(visibleColumns()),
                        static_cast<int>(leftColumn_),
                        0};
  SetScrollInfo(handle(), SB_HORZ, &horizontal, TRUE);
}

void TextViewPeer::scrollTo(long long lineIndex, long long column) {
  const long long lastTop = std::max<long long>(0, lineCount() - visibleLines());
  const long long lastLeft = std::max<long long>(
      0, static_cast<long long>(lines_->longestLineBound()) - visibleColumns() + 1);
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
      target = vertical ? lineCount() : static_cast<long long>(lines_->longestLineBound());
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
      if (control) scrollTo(lineCount(), 0);
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
  const std::size_t size = text_->size();
  if (!OpenClipboard(handle())) return;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (size + 1) * sizeof(char16_t))) {
    auto* copy = static_cast<char16_t*>(GlobalLock(memory));
    text_->copyStart(size, copy);
    copy[size] = u'\0';
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
  std::u16string line;
  for (int row = 0; row <= visibleLines() && topLine_ + row < lineCount(); ++row) {
    const auto index = static_cast<std::size_t>(topLine_ + row);
    line.clear();
    lines_->appendLine(index, line);
    if (static_cast<std::size_t>(leftColumn_) >= line.size()) continue;
    const std::u16string_view shown = std::u16string_view(line).substr(
        static_cast<std::size_t>(leftColumn_), static_cast<std::size_t>(columns));
    ExtTextOutW(dc, margin, row * lineHeight_, ETO_CLIPPED, &client,
                reinterpret_cast<const wchar_t*>(shown.data()), static_cast<UINT>(shown.size()),
                nullptr);
    // Positions are counted only once something is selected.
    if (selEnd_ > selStart_) paintSelection(dc, index, line, row);
  }
  if (GetFocus() == handle()) DrawFocusRect(dc, &client);
  SelectObject(dc, old);
}

// WM_GETTEXT: the text's start, as much as the buffer holds with its NUL.
LRESULT TextViewPeer::copyText(WPARAM capacity, LPARAM buffer) const {
  if (capacity == 0) return 0;
  const std::size_t count = std::min<std::size_t>(capacity - 1, text_->size());
  auto* out = reinterpret_cast<char16_t*>(buffer);
  text_->copyStart(count, out);
  out[count] = u'\0';
  return static_cast<LRESULT>(count);
}

LRESULT TextViewPeer::windowMessage(UINT message, WPARAM w, LPARAM l) {
  if (!attached()) return NativePeer::windowMessage(message, w, l);
  switch (message) {
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_->size());
    case WM_GETTEXT:
      return copyText(w, l);
    case WM_SETTEXT:
      return TRUE;  // the text comes from the model only
    case EM_GETLINECOUNT:
      // An empty edit has one line too.
      return static_cast<LRESULT>(std::max(1LL, lineCount()));
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
                    end < 0 ? text_->size() : static_cast<std::size_t>(end));
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
    case WM_COPY:
      copyToClipboard();
      return 0;
    case WM_CHAR:
      // ^C, what Ctrl+C types: a program driving the window by messages
      // copies the text as the keys would.
      if (w == kControlC) copyToClipboard();
      return 0;
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
