#pragma once
// The device's log as the log page shows it: whole, or cut down to its last
// SuperLog block. Logs of tens of megabytes occur, so the log is decoded where
// the answer holds it and stays there: a view of it is the log's bytes and
// where its lines start, and a line becomes text only when the memo draws,
// searches, copies or saves it. The SuperLog block is found from the end.
#include <memory>
#include <string>
#include <string_view>

#include "page/AnswerFields.h"
#include "ui/TextSource.h"

namespace diagnostics {

// A device's log, decoded; `holder` keeps its bytes. The log ends at its
// first NUL, if it holds one: the views below find it as they go.
struct DecodedLog {
  std::shared_ptr<const void> holder;
  std::string_view log;
};

// The log in an answer's Base64 field, decoded where the field lies.
DecodedLog decodeLog(const page::KeptField& field);

// The log's bytes up to its first NUL, if it holds one.
std::string_view logUpToNul(std::string_view log);

// Every line of the log (split at each LF, an LF at the very end giving a
// last, empty line, the CR of a CR LF line end dropped) decoded from UTF-8,
// then the dash line. The line starts and the NUL are found in one pass.
std::shared_ptr<const ui::TextSource> wholeLogLines(const DecodedLog& decoded);

// What the SuperLog view shows when the log has no block.
inline constexpr std::u16string_view kSuperLogNotFound =
    u"\r\n\r\nNão foi encontrado SuperLog neste trecho do Log\r\n\r\n\r\n";

// An empty line, then the lines from the last start marker through the first
// end marker after it (without the CR of a CR LF line end), each as three
// blanks and the line's text: after "AAAAMMDDhhmmss|source|level|" where the
// line has that shape, else after its first 24 bytes. The lines of
// kSuperLogNotFound without such a block.
std::shared_ptr<const ui::TextSource> superLogLines(const DecodedLog& decoded);

}  // namespace diagnostics
