#include "peers/PeerFixture.h"

#include <cstring>

#include "ui/win32/NativePeer.h"

namespace peer_tests {

PeerTest::~PeerTest() {
  // Windows go before the controls they mirror.
  if (HWND window = host.handleOf(form)) DestroyWindow(window);
}

void PeerTest::createAndShow() {
  host.createWindow(form, false);
  ShowWindow(host.handleOf(form), SW_SHOWNOACTIVATE);
  host.processPendingMessages();
}

std::u16string PeerTest::windowText(const ui::Control& control) const {
  return ui::win32::windowText(handleOf(control));
}

void PeerTest::typeText(HWND window, std::u16string_view text) const {
  for (char16_t c : text) sendChar(window, c);
}

void PeerTest::sendKey(HWND window, UINT key) const {
  SendMessageW(window, WM_KEYDOWN, key, 1);
  SendMessageW(window, WM_KEYUP, key, 1u | (1u << 30) | (1u << 31));
}

void PeerTest::putOnClipboard(const std::u16string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

std::optional<std::u16string> PeerTest::clipboardText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::u16string> text;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (const auto* units = data ? static_cast<const char16_t*>(GlobalLock(data)) : nullptr) {
    text.emplace(units);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace peer_tests
