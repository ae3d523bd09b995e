#include "platform/Path.h"

namespace platform {

Path Path::operator/(std::u16string_view name) const {
  if (text_.empty()) return Path(std::u16string(name));
  std::u16string joined = text_;
  if (kSeparators.find(joined.back()) == std::u16string_view::npos) joined += kSeparators.front();
  joined += name;
  return Path(std::move(joined));
}

Path Path::parent() const {
  const std::size_t last = text_.find_last_of(kSeparators);
  if (last == std::u16string::npos) return Path();
  return Path(text_.substr(0, last == 0 ? 1 : last));
}

}  // namespace platform
