// A window moved to a monitor of another DPI: the program is per-monitor
// aware, so it scales its controls and fonts itself on WM_DPICHANGED.
#include <windows.h>

#include <vector>

#include "peers/PeerFixture.h"

namespace peer_tests {
namespace {

// Where a window lies in its parent's client area.
RECT placeInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int fontHeight(HWND window) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

// The rectangle Windows suggests: the window where it is, sized for the
// same client area at the new DPI.
RECT suggestedRect(HWND window, const ui::Form& form, int dpi) {
  RECT now;
  GetWindowRect(window, &now);
  RECT frame{0, 0, MulDiv(form.bounds().width, dpi, 96), MulDiv(form.bounds().height, dpi, 96)};
  AdjustWindowRectEx(&frame, GetWindowLongW(window, GWL_STYLE), FALSE,
                     GetWindowLongW(window, GWL_EXSTYLE));
  return {now.left, now.top, now.left + frame.right - frame.left,
          now.top + frame.bottom - frame.top};
}

void changeDpi(HWND window, const ui::Form& form, int dpi) {
  RECT suggested = suggestedRect(window, form, dpi);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class DpiChangeTest : public PeerTest {
 protected:
  DpiChangeTest() {
    panel.setBounds({10, 10, 220, 120});
    code.setBounds({5, 30, 100, 21});
    caption.setText(u"Código de ativação:");  // no size: it takes its text's
    caption.setBounds({5, 5, 0, 0});
    status.setBounds({0, 281, 400, 19});
    radios.setBounds({240, 10, 150, 80});
    radios.setItems({u"DHCP", u"Estático"});
    radios.setItemIndex(0);
    dialog.borderStyle = ui::BorderStyle::Dialog;
    dialog.setBounds({0, 0, 300, 120});
    ok.setBounds({110, 80, 75, 25});
  }
  ~DpiChangeTest() override {
    if (HWND window = host.handleOf(dialog)) DestroyWindow(window);
  }

  std::vector<HWND> controls() const {
    std::vector<HWND> windows{handleOf(panel),  handleOf(code),   handleOf(caption),
                              handleOf(status), handleOf(radios), handleOf(ok)};
    windows.push_back(GetWindow(handleOf(radios), GW_CHILD));  // the first radio button
    return windows;
  }

  ui::Panel panel{"Panel1", &form};
  ui::Edit code{"EdtCodigo", &panel};
  ui::Label caption{"Label1", &panel};
  ui::StatusBar status{"StatusBar", &form};
  ui::RadioGroup radios{"RadioGroup1", &form};
  ui::Form dialog{"TFDialogo"};
  ui::Button ok{"BtnOk", &dialog};
};

TEST_F(DpiChangeTest, ControlsAndFontsFollowTheNewDpiAndComeBackWithTheOld) {
  createAndShow();
  host.createWindow(dialog, false);
  HWND window = handleOf(form);
  const int before = host.dpi();
  const int after = before * 2;
  std::vector<RECT> placesBefore;
  for (HWND control : controls()) placesBefore.push_back(placeInParent(control));
  const RECT captionBefore = placeInParent(handleOf(caption));

  changeDpi(window, form, after);
  host.processPendingMessages();
  EXPECT_EQ(host.dpi(), after);
  const auto scaled = [&](int modelPixels) { return MulDiv(modelPixels, after, 96); };

  RECT expectedWindow = suggestedRect(window, form, after);
  RECT windowNow;
  GetWindowRect(window, &windowNow);
  EXPECT_TRUE(sameRect(windowNow, expectedWindow));
  EXPECT_EQ(form.bounds().width, 400);  // the model keeps its size
  EXPECT_EQ(form.bounds().height, 300);

  EXPECT_TRUE(
      sameRect(placeInParent(handleOf(code)), {scaled(5), scaled(30), scaled(105), scaled(51)}));
  EXPECT_TRUE(
      sameRect(placeInParent(handleOf(panel)), {scaled(10), scaled(10), scaled(230), scaled(130)}));
  const RECT bar = placeInParent(handleOf(status));
  EXPECT_EQ(bar.top, scaled(281));
  EXPECT_EQ(bar.right - bar.left, scaled(400));
  EXPECT_EQ(fontHeight(handleOf(code)), -scaled(11));
  EXPECT_EQ(fontHeight(handleOf(status)), -scaled(11));
  // A label that takes its text's size measures it with the new font.
  const RECT captionAfter = placeInParent(handleOf(caption));
  EXPECT_GT(captionAfter.right - captionAfter.left,
            (captionBefore.right - captionBefore.left) * 3 / 2);
  // The radio buttons are laid out inside the larger group.
  HWND firstRadio = GetWindow(handleOf(radios), GW_CHILD);
  EXPECT_EQ(fontHeight(firstRadio), -scaled(11));
  EXPECT_GE(placeInParent(firstRadio).bottom - placeInParent(firstRadio).top, scaled(11));

  // The other window, hidden, fits its frame to its design at the new DPI.
  RECT dialogClient;
  GetClientRect(handleOf(dialog), &dialogClient);
  EXPECT_EQ(dialogClient.right, scaled(300));
  EXPECT_EQ(dialogClient.bottom, scaled(120));
  EXPECT_TRUE(
      sameRect(placeInParent(handleOf(ok)), {scaled(110), scaled(80), scaled(185), scaled(105)}));

  changeDpi(window, form, before);
  host.processPendingMessages();
  const std::vector<HWND> windows = controls();
  for (std::size_t i = 0; i < windows.size(); ++i)
    EXPECT_TRUE(sameRect(placeInParent(windows[i]), placesBefore[i])) << "control " << i;
  EXPECT_EQ(fontHeight(handleOf(code)), -MulDiv(11, before, 96));
  EXPECT_EQ(form.bounds().width, 400);
  EXPECT_EQ(form.bounds().height, 300);
}

}  // namespace
}  // namespace peer_tests
