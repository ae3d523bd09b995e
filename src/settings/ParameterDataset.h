#pragma once
// The parameter dataset `cds`: the parameter record in memory, loaded from
// Parametros.xml, read by the pages and changed by them through edit, set and
// post.
//
// Every post also saves the file at once, atomically: a device library that
// crashes the process right after a page committed its inputs cannot lose
// them. Without a post the file is never rewritten, so its bytes stay as they
// were. A file that cannot be read is reported, renamed aside (never
// overwritten) and replaced by the first-start default.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include "platform/Path.h"

#include "settings/ParameterFields.h"
#include "ui/Dialogs.h"

namespace settings {

// A page used the dataset in a way it cannot be used: closed, not in edit
// mode, or an unknown field name.
struct DatasetError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A field's text is not a whole number.
struct ConversionError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ParameterDataset {
 public:
  // Works on Parametros.xml in `folder`; `dialogs` hears of a damaged file.
  ParameterDataset(const platform::Path& folder, ui::Dialogs& dialogs);

  bool isOpen() const { return open_; }
  // Loads the file if there is one; otherwise starts without a record. Does
  // nothing when already open.
  void open();
  void first();

  // Field names match without regard to case. An absent value, or a dataset
  // without a record, reads as empty text.
  std::u16string readText(std::string_view field) const;
  // Decimal, with an optional sign; throws ConversionError otherwise.
  int readNumber(std::string_view field) const;

  // Begins changing the current record; adds one when there is none.
  void edit();
  void setText(std::string_view field, std::u16string_view value);
  void setNumber(std::string_view field, int value);
  // Commits the change and saves the file; throws platform::FileError when it
  // cannot be saved (the change stays committed and close tries again).
  void post();
  // Writes the file if a committed change is not saved yet, or if the file is
  // missing; then discards the record. A pending edit is abandoned.
  void close();

 private:
  std::size_t fieldIndex(std::string_view field) const;
  void requireOpen() const;
  void startWithDefaultsAfterDamage(const std::string& reason);
  void save();

  platform::Path file_;
  ui::Dialogs& dialogs_;
  bool open_ = false;
  bool editing_ = false;
  bool unsaved_ = false;
  // False while a damaged file could not be moved aside: it must not be
  // overwritten.
  bool mayWrite_ = true;
  std::optional<ParameterRecord> record_;
  ParameterRecord pending_;
};

}  // namespace settings
