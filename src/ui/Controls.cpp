#include "ui/Controls.h"

#include "ui/TextSource.h"

namespace ui {

void Button::click() {
  if (enabled() && visible() && onClick) onClick();
}

void Edit::setPasswordChar(char16_t c) {
  passwordChar_ = c;
  changed(Property::Text);
}

void Edit::setReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  changed(Property::ReadOnly);
}

void Edit::setTextFromUser(std::u16string text) {
  if (maxLength_ > 0 && text.size() > static_cast<std::size_t>(maxLength_)) text.resize(maxLength_);
  if (text == this->text()) return;
  storeTextFromUser(std::move(text));
  if (onChange) onChange();
}

void CheckBox::setChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  changed(Property::Checked);
}

void CheckBox::setCheckedFromUser(bool checked) {
  checked_ = checked;
  if (onClick) onClick();
}

namespace {
int inRange(int index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
}
}  // namespace

void ItemsControl::setItems(std::vector<std::u16string> items) {
  items_ = std::move(items);
  itemIndex_ = -1;
  changed(Property::Items);
}

void ItemsControl::setItemIndex(int index) {
  itemIndex_ = inRange(index, items_.size());
  changed(Property::ItemIndex);
}

void ItemsControl::setItemIndexFromUser(int index) {
  itemIndex_ = inRange(index, items_.size());
  if (choiceHandler()) choiceHandler()();
}

void Memo::setSource(std::shared_ptr<const TextSource> source) {
  source_ = std::move(source);
  storeTextFromUser({});
  changed(Property::Text);
}

void Memo::setText(std::u16string text) {
  if (!source_) {
    Control::setText(std::move(text));
    return;
  }
  source_.reset();
  storeTextFromUser(std::move(text));
  changed(Property::Text);
}

std::vector<std::u16string> Memo::lines() const {
  const TextLines split(text());
  std::vector<std::u16string> result(split.lineCount());
  for (std::size_t line = 0; line < result.size(); ++line) split.appendLine(line, result[line]);
  return result;
}

void Memo::setLines(const std::vector<std::u16string>& lines) {
  std::u16string all;
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  all.reserve(size);
  for (const auto& line : lines) {
    all += line;
    all += u"\r\n";
  }
  setText(std::move(all));
}

void Memo::addLine(std::u16string_view line) {
  std::u16string all = text();
  if (!all.empty() && !all.ends_with(u"\r\n")) all += u"\r\n";
  all += line;
  all += u"\r\n";
  setText(std::move(all));
}

void Memo::scrollToEnd() {
  changed(Property::ScrollToEnd);
}

void PageControl::setPages(std::vector<TabSheet*> pages) {
  pages_ = std::move(pages);
}

TabSheet* PageControl::activePage() const {
  return active_ >= 0 && static_cast<std::size_t>(active_) < pages_.size() ? pages_[active_]
                                                                           : nullptr;
}

void PageControl::setActivePageIndex(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= pages_.size() || !pages_[index]) return;
  if (index == active_) return;
  if (TabSheet* old = activePage()) old->setVisible(false);
  active_ = index;
  pages_[index]->setVisible(true);
  changed(Property::ItemIndex);
  if (pages_[index]->onShow) pages_[index]->onShow();
}

void Form::setClientSizeFromUser(int width, int height) {
  Rect r = bounds();
  r.width = width;
  r.height = height;
  setBounds(r);
  if (onResize) onResize();
}

void Form::close() {
  closeRequested_ = true;
  changed(Property::Close);
}

void Form::showing() {
  closeRequested_ = false;
  if (onShow) onShow();
}

void Form::setCursor(Cursor cursor) {
  cursor_ = cursor;
  changed(Property::Cursor);
}

}  // namespace ui
