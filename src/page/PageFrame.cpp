#include "page/PageFrame.h"

namespace page {

namespace {
constexpr int kHeaderHeight = 25;
}

PageFrame::PageFrame(ui::Control* pageControl, std::string sheetName, std::string headerName,
                     std::u16string caption)
    : sheet(std::move(sheetName), pageControl), header(std::move(headerName), &sheet) {
  sheet.setColor(ui::kSilver);
  sheet.setAlign(ui::Align::Client);
  sheet.setVisible(false);
  header.setAlign(ui::Align::Top);
  header.setBounds({0, 0, 0, kHeaderHeight});
  header.setColor(ui::kGray);
  header.setFont({u"Tahoma", 16, true, ui::kWhite});
  header.setText(std::move(caption));
}

void setUpNotice(ui::Memo& memo, std::initializer_list<std::u16string_view> lines) {
  memo.setReadOnly(true);
  memo.fixedPitch = true;
  memo.centered = true;
  memo.verticalScrollBar = false;
  memo.setColor(ui::kSilver);
  memo.setFont({{}, 0, false, ui::kGreen});
  memo.setAnchors({true, false, true, true});
  memo.setLines(std::vector<std::u16string>(lines.begin(), lines.end()));
}

}  // namespace page
