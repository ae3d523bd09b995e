#pragma once
// Comparing XML trees read back from what the program wrote.
#include <algorithm>

#include "platform/Xml.h"

namespace fuzzing {

enum class MixedText {
  Exact,
  // The text of an element with children compared without its blanks: an
  // indented document adds line breaks and indentation there.
  IgnoringBlanks,
};

inline std::string withoutBlanks(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
  return text;
}

inline bool sameTree(const platform::XmlElement& a, const platform::XmlElement& b,
                     MixedText mixedText) {
  const bool textMatches = mixedText == MixedText::IgnoringBlanks && !a.children.empty()
                               ? withoutBlanks(a.text) == withoutBlanks(b.text)
                               : a.text == b.text;
  return a.name == b.name && a.attributes == b.attributes && textMatches &&
         std::equal(a.children.begin(), a.children.end(), b.children.begin(), b.children.end(),
                    [mixedText](const platform::XmlElement& x, const platform::XmlElement& y) {
                      return sameTree(x, y, mixedText);
                    });
}

// The deepest nesting below and including the element.
inline int depthOf(const platform::XmlElement& element) {
  int deepest = 0;
  for (const platform::XmlElement& child : element.children)
    deepest = std::max(deepest, depthOf(child));
  return deepest + 1;
}

}  // namespace fuzzing
