#include "shell/PageFrame.h"

namespace shell {

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

}  // namespace shell
