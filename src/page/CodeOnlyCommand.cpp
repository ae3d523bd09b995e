#include "page/CodeOnlyCommand.h"

namespace page {

Command codeOnlyCommand(PageHost& host, ui::Edit& codeField, satlib::EntryPoint entryPoint,
                        CodeOnlyCall call) {
  Command command;
  command.entryPoint = entryPoint;
  command.codeField = &codeField;
  command.prepare = [&host] { host.clearExtractedLogs(); };
  command.call = [call](satlib::SatLibrary& library, int sessao, const std::string& codigo) {
    return (library.*call)(sessao, codigo);
  };
  return command;
}

}  // namespace page
