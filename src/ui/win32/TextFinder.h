#pragma once
// Find in a read-only memo, as in any Windows viewer: Ctrl+F opens the
// system's Find dialog, F3 finds the next match; the match is selected and
// scrolled into view. The memo's text is searched where it lies, in the model.
#include <windows.h>

#include <commdlg.h>

#include "ui/TextSearch.h"

namespace ui::win32 {

class TextFinder {
 public:
  TextFinder();
  TextFinder(const TextFinder&) = delete;
  TextFinder& operator=(const TextFinder&) = delete;

  // Ctrl+F and F3 where the focus is on or beside a text to search; true
  // when taken.
  bool takeKey(const MSG& message);
  // The Find dialog's own keys (Tab, Enter, Esc) while it is open.
  bool takeDialogMessage(MSG& message) const;
  // The message the Find dialog sends the window that owns it.
  UINT findMessage() const { return findMessage_; }
  void onFindMessage(const FINDREPLACEW& request);

 private:
  void open(HWND target);
  void findNext();

  UINT findMessage_;
  FINDREPLACEW request_{};
  wchar_t what_[256]{};
  HWND dialog_ = nullptr;
  HWND target_ = nullptr;
  TextSearch search_;
};

}  // namespace ui::win32
