#pragma once
// For the technician, from the main window's system menu: "Sobre o
// Quorvel..." tells what program and which device library run here; the
// support report puts that, the settings (passwords hidden), this run's
// answers and what the memos show into one zip. Nothing is asked of the
// device for it, and no activation code enters it: answers are recorded,
// arguments never.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Path.h"
#include "platform/ProgramVersion.h"
#include "satlib/CallRecorder.h"
#include "satlib/SatLibrary.h"
#include "ui/FilePickers.h"
#include "ui/Messages.h"

namespace shell {

class TFAtivacao;

// The most of the device's last log the report carries: a log compresses
// some tenfold, so the zip stays small enough for an e-mail.
inline constexpr std::size_t kLongestReportLog = 8 * 1024 * 1024;

// One file of the report: its name in the zip and its bytes.
using ReportEntry = std::pair<std::string, std::string>;

class SupportReport {
 public:
  SupportReport(ui::Messages& messages, ui::FilePickers& files, const satlib::SatLibrary& library,
                const satlib::CallRecorder& calls, const TFAtivacao& main,
                platform::Path programFolder);

  // The text of "Sobre o Quorvel...".
  std::u16string aboutText() const;
  void showAbout() const;
  // Asks where and writes the zip there.
  void writeReport() const;
  // What the zip holds, in order.
  std::vector<ReportEntry> entries() const;

 private:
  ui::Messages& messages_;
  ui::FilePickers& files_;
  const satlib::SatLibrary& library_;
  const satlib::CallRecorder& calls_;
  const TFAtivacao& main_;
  platform::Path programFolder_;
};

// The text of "Sobre o Quorvel..." for the library these facts tell of.
std::u16string aboutText(const satlib::LibraryFacts& facts, const platform::Path& programFolder);

// A settings document with the values of its password fields (the proxy's,
// the network's and the wireless key) replaced by "***"; nothing when it is
// not a document, since a damaged file cannot be shown without its secrets.
std::optional<std::string> withoutSecrets(std::string_view document);

// What the file at the chosen path is to the program, in words that follow
// "esse arquivo" ("guarda as configurações do programa"), when it is one of
// the files the program keeps in its folder and reads or runs, or the
// running executable; nothing for any other path. Names are compared
// without regard to case and after the system's normalising; a file that
// exists is also recognised through any other spelling or link.
std::optional<std::u16string> programFileAt(const platform::Path& chosen,
                                            const platform::Path& programFolder);

}  // namespace shell
