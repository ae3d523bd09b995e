#pragma once
// Finding a text in a long one, as the Find dialog asks: without copying the
// text, so a search through tens of megabytes costs one pass over them.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

struct TextSearch {
  std::u16string what;
  bool matchCase = false;
  bool wholeWord = false;
  bool down = true;
};

// Where the next match starts. Down: the first match at or after `from`;
// up: the last match that ends at or before `from`. Without matchCase,
// letters compare without case, accented Latin letters too ("AÇÃO" finds
// "ação"). Nothing when there is no match or nothing to find.
std::optional<std::size_t> findText(std::u16string_view text, const TextSearch& search,
                                    std::size_t from);

}  // namespace ui
