#pragma once
// The frame every small window of the program shares, in one place: its
// caption, only the close box in the title bar, Tahoma, and the client area
// it is designed for. A fixed dialog (the code prompt, the test dialog) has
// the dialog border, stays above the other windows and is silver; a sizeable
// one (the authority's message) keeps the system's colours.
#include <string>
#include <string_view>

#include "ui/Controls.h"

namespace page {

enum class DialogBorder { Fixed, Sizeable };

class Dialog : public ui::Form {
 protected:
  Dialog(std::string name, std::u16string_view caption, int clientWidth, int clientHeight,
         DialogBorder border);
};

}  // namespace page
