#pragma once
// The device's log as the log page shows it: whole, or cut down to its last
// SuperLog block. Logs of tens of megabytes occur, so each view is built in
// one pass into one text that goes into the memo at once, and the SuperLog
// search works on the log's bytes in place.
#include <string>
#include <string_view>

namespace diagnostics {

// The log's bytes up to its first NUL, if it holds one.
std::string_view logUpToNul(std::string_view log);

// Every line of the log (split at each LF, an LF at the very end giving a
// last, empty line, the CR of a CR LF line end dropped) decoded from UTF-8
// and followed by CR LF, then the dash line.
std::u16string wholeLogText(std::string_view log);

// An empty line, then the lines from the last start marker through the first
// end marker after it (without the CR of a CR LF line end), each as three
// blanks and the line's text: after "AAAAMMDDhhmmss|source|level|" where the
// line has that shape, else after its first 24 bytes. Without such a block,
// the lines that say none was found.
std::u16string superLogText(std::string_view log);

}  // namespace diagnostics
