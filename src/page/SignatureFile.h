#pragma once
// A signature file chosen by the user: lines of 8-bit text in the system's
// code page, joined without separators. The file is untrusted: a signature is
// 344 characters, so a file larger than 64 KB, or one holding NUL bytes, is no
// signature and is refused as unreadable.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Path.h"
#include "ui/Control.h"
#include "ui/Messages.h"

namespace page {

inline constexpr std::u16string_view kBlankSignature = u"Assinatura não pode estar em branco.";

// The signature in the named file; when the file is missing or unreadable, or
// holds nothing but blanks, the user is told so, the field is focused, and
// nothing is returned. The signature is the file's text as it is, blanks at
// its ends included.
std::optional<std::u16string> readSignatureFile(const platform::Path& file, ui::Messages& messages,
                                                ui::Control& field);

}  // namespace page
