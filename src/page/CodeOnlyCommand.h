#pragma once
// The commands that send nothing but the session number and the code of the
// page's code field (lock, unlock, software update). Each empties the log
// page's text once the code has passed its check, whatever the device then
// answers, and shows the answer's code and message.
#include <string>

#include "page/CommandRunner.h"
#include "page/PageHost.h"

namespace page {

using CodeOnlyCall = std::string (satlib::SatLibrary::*)(int sessao, const std::string& codigo);

Command codeOnlyCommand(PageHost& host, ui::Edit& codeField, satlib::EntryPoint entryPoint,
                        CodeOnlyCall call);

}  // namespace page
