#pragma once
// The frame every page of the main window shares: a grey header bar across
// its top with the page's caption centred in white, over a silver page.
#include <initializer_list>
#include <string>
#include <string_view>

#include "ui/Controls.h"

namespace page {

// Page indices of the main window's page control. Index 7 has no page.
enum PageIndex : int {
  kHomePage = 0,
  kCodeChangePage = 1,
  kActivationPage = 2,
  kSignaturePage = 3,
  kLockPage = 4,
  kTestsPage = 5,
  kNetworkPage = 6,
  kStatusPage = 8,
  kLogPage = 9,
  kSoftwareUpdatePage = 10,
  kPageCount = 11,
};

struct PageFrame {
  PageFrame(ui::Control* pageControl, std::string sheetName, std::string headerName,
            std::u16string caption);

  ui::TabSheet sheet;
  ui::Panel header;
};

// Makes the memo one of the pages' notices: fixed-pitch green lines centred
// on the page's silver, read-only and kept at the foot of the page.
void setUpNotice(ui::Memo& memo, std::initializer_list<std::u16string_view> lines);

}  // namespace page
