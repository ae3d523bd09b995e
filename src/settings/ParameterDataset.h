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
//
// A save never stops the command that posted: a file another program holds
// for a moment (a scanner, a backup) is tried again shortly; one that still
// cannot be written keeps the record in memory, is reported once, and is
// tried again at the next post and at close, where a last failure offers to
// save the settings in another file rather than lose them.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include "platform/Path.h"

#include "settings/ParameterFields.h"
#include "settings/SettingsNotices.h"
#include "ui/FailureTexts.h"

namespace settings {

// A page used the dataset in a way it cannot be used: closed, not in edit
// mode, or an unknown field name.
struct DatasetError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A field's text is not a whole number.
struct ConversionError : std::runtime_error, ui::FailureClass {
  explicit ConversionError(const std::string& description)
      : std::runtime_error(description), ui::FailureClass(ui::FailureKind::Settings) {}
};

class ParameterDataset {
 public:
  // Works on Parametros.xml in `folder`; `notices` tell of a damaged file
  // and of one that cannot be saved. `pauseBeforeRetry` is the wait between
  // two attempts to save.
  ParameterDataset(const platform::Path& folder, SettingsNotices notices,
                   std::function<void()> pauseBeforeRetry = waitForFileToBeReleased);

  // How many times a save is attempted before it is reported as failed, and
  // the wait in between: together about a second.
  static constexpr int kSaveAttempts = 5;
  static void waitForFileToBeReleased();

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
  // Commits the change and saves the file. When it cannot be saved, the
  // change stays committed, the first such failure is shown, and the next
  // post or close tries again.
  void post();
  // Writes the file if a committed change is not saved yet, or if the file is
  // missing; then discards the record. A pending edit is abandoned. When a
  // committed change cannot be written, offers to write it elsewhere.
  void close();

 private:
  std::size_t fieldIndex(std::string_view field) const;
  void requireOpen() const;
  void startWithDefaultsAfterDamage(const std::string& reason);
  // Writes the record, retrying; the last failure when it could not.
  std::optional<std::string> save();
  void offerToSaveElsewhere(const std::string& failure);

  platform::Path file_;
  SettingsNotices notices_;
  std::function<void()> pauseBeforeRetry_;
  bool open_ = false;
  bool editing_ = false;
  bool unsaved_ = false;
  // Set once a failed save was shown, until a save succeeds again.
  bool saveFailureShown_ = false;
  // False while a damaged file could not be moved aside: it must not be
  // overwritten.
  bool mayWrite_ = true;
  std::optional<ParameterRecord> record_;
  ParameterRecord pending_;
};

}  // namespace settings
