#pragma once
// A yes/no question whose window is made before it may be needed. While a
// library's DllMain never returns it holds the system's loader lock, and
// under it no new window can be made (a message box's buttons look up the
// common controls library, which waits for that lock); showing and answering
// a window made beforehand needs no such lookup.
#include <windows.h>

#include <string>

namespace ui::win32 {

class PreparedQuestion {
 public:
  // Makes the window, hidden, with the text, "Sim" and "Não" (the default).
  PreparedQuestion(const std::u16string& caption, const std::u16string& text);
  ~PreparedQuestion();
  PreparedQuestion(const PreparedQuestion&) = delete;
  PreparedQuestion& operator=(const PreparedQuestion&) = delete;

  // Shows it centred on the screen until answered, then hides it; true for
  // "Sim". The close box, Esc and Alt+F4 answer "Não".
  bool ask() const;

 private:
  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM w, LPARAM l);

  HWND window_ = nullptr;
  HWND no_ = nullptr;
  HFONT font_ = nullptr;
  mutable int answer_ = 0;  // 0 while unanswered, IDYES or IDNO
};

}  // namespace ui::win32
