#include "DeviceLog.h"

#include <cstdio>

#include "DeviceState.h"

namespace satemu {

void DeviceLog::add(std::string_view body) {
  lines_.push_back(logTimestamp(now_) + "|" + std::string(body));
  // Every line of one call carries the same clock reading; step it so the
  // log still reads in order.
  now_.millisecond = (now_.millisecond + 1) % 1000;
  if (lines_.size() > kStoredLogLines)
    lines_.erase(lines_.begin(),
                 lines_.begin() + static_cast<std::ptrdiff_t>(lines_.size() - kStoredLogLines));
}

void DeviceLog::info(std::string_view text) {
  add("SAT|info|" + std::string(text));
}

void DeviceLog::superLog(SuperLogForm form, const std::vector<std::string>& exchange) {
  add(form == SuperLogForm::Mirel ? kSuperLogMirelStart : kSuperLogPlainStart);
  for (const std::string& line : exchange) info(line);
  add(kSuperLogEnd);
}

std::string renderLog(const std::vector<std::string>& lines, int fillerMegabytes,
                      const Moment& now) {
  std::string text;
  if (fillerMegabytes > 0) {
    const std::size_t target = static_cast<std::size_t>(fillerMegabytes) * 1024 * 1024;
    text.reserve(target + lines.size() * 80);
    const std::string prefix = logTimestamp(now) + "|SAT|info|";
    char body[96];
    for (unsigned long counter = 0; text.size() < target; ++counter) {
      std::snprintf(body, sizeof body, "nvl 3:monitor de rede: enlace ativo, amostra %lu\n",
                    counter);
      text += prefix;
      text += body;
    }
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    text += '\n';
  }
  return text;
}

}  // namespace satemu
