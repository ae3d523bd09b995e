#pragma once
// Coupons as the tests page shows and keeps them: the lines of a decoded
// coupon, the indented form for the memo, and their file (CFe.xml beside the
// program, or the file the console program is given).
#include <string>
#include <string_view>
#include <vector>
#include "platform/Path.h"

namespace diagnostics {

inline constexpr std::u16string_view kDashLine =
    u"------------------------------------------------------";

// The text's lines, broken at CR LF, CR or LF; a break at the very end adds no
// empty line.
std::vector<std::string_view> couponLines(std::string_view coupon);

// FormatXMLString: the same document written out again, every element on its
// own line, two blanks per level of nesting, the declaration carried over.
// Throws platform::XmlError for a text that is not a well-formed document.
std::u16string FormatXMLString(std::string_view XmlString);

// Replaces the file with these lines, each followed by CR LF, their bytes as
// they are (a coupon stays the UTF-8 it says it is); atomically.
void writeCouponLines(const platform::Path& file, const std::vector<std::string_view>& lines);
// writeCouponLines to CFe.xml in the folder.
void writeCFeXml(const platform::Path& folder, const std::vector<std::string_view>& lines);

}  // namespace diagnostics
