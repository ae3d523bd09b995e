#include "AnswerTransport.h"

#include <array>
#include <charconv>

#include "Answer.h"

namespace satemu {
namespace {

bool parseCode(const std::string& text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// The code points 0x80..0x9F of Windows-1252 that are not Latin-1.
constexpr std::array<std::pair<char32_t, unsigned char>, 27> kWindows1252Extras{{
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
}};

unsigned char windows1252Byte(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<unsigned char>(codePoint);
  for (const auto& [unicode, byte] : kWindows1252Extras)
    if (unicode == codePoint) return byte;
  return '?';
}

// The last three digits of field 1, the return code; -1 when it has none.
int returnDetail(const std::string& answer) {
  const std::string code = returnCodeOf(answer);
  int value = 0;
  return code.size() == 5 && parseCode(code, value) ? value % 1000 : -1;
}

// Every accented character loses its continuation bytes; an answer without
// one gets a stray 0xFF at the end of its message, so it is never valid.
std::string breakUtf8(const Command& command, const std::string& answer, AnswerLayout layout) {
  std::string out;
  bool changed = false;
  for (const char c : answer) {
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) {
      changed = true;
      continue;
    }
    out += c;
  }
  if (changed) return out;
  const int messageField =
      carriesValidationCode(command.function, returnDetail(out), layout) ? 3 : 2;
  std::size_t messageEnd = out.size();
  int pipes = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '|' && ++pipes == messageField + 1) {
      messageEnd = i;
      break;
    }
  }
  // Concatenated: GCC 12 misreports std::string::insert here (-Wrestrict).
  return out.substr(0, messageEnd) + '\xFF' + out.substr(messageEnd);
}

}  // namespace

std::string toWindows1252(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80    ? 1
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC0 ? 2
                                              : 1;
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
      codePoint = codePoint << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out += static_cast<char>(lead >= 0x80 && length == 1 ? '?' : windows1252Byte(codePoint));
    i += length;
  }
  return out;
}

std::optional<std::string> takeForcedAnswer(const Command& command, Knobs& knobs) {
  if (knobs.forcedCalls == 0 || (knobs.forcedAnswer.empty() && knobs.forcedCode.empty()))
    return std::nullopt;
  std::optional<std::string> answer;
  if (!knobs.forcedAnswer.empty()) {
    // Built piece by piece: GCC 12 misreports std::string::replace here (-Wrestrict).
    const std::string_view placeholder = "{sessao}";
    const std::string_view forced = knobs.forcedAnswer;
    answer.emplace();
    std::size_t from = 0;
    for (auto at = forced.find(placeholder); at != std::string_view::npos;
         at = forced.find(placeholder, from)) {
      *answer += forced.substr(from, at - from);
      *answer += sessionText(command.sessao);
      from = at + placeholder.size();
    }
    *answer += forced.substr(from);
  } else {
    int code = 0;
    const std::string& forced = knobs.forcedCode;
    if ((forced.size() == 3 || forced.size() == 5) && parseCode(forced, code))
      answer = answerWithCode(command.function, command.sessao,
                              forced.size() == 3 ? family(command.function) : code / 1000,
                              code % 1000, knobs.layout);
  }
  if (knobs.forcedCalls > 0 && --knobs.forcedCalls == 0) {
    knobs.forcedAnswer.clear();
    knobs.forcedCode.clear();
  }
  return answer;
}

std::optional<std::string> deliver(const Command& command, std::string answer, const Knobs& knobs) {
  // A call that faults on its way out never returns its answer.
  if (knobs.form == AnswerForm::Null || knobs.form == AnswerForm::Crash ||
      knobs.form == AnswerForm::DelphiException)
    return std::nullopt;
  if (knobs.form == AnswerForm::Empty) return std::string();
  if (knobs.wrongSessionEcho) {
    const std::string echoed = sessionText(command.sessao);
    if (answer.compare(0, echoed.size(), echoed) == 0)
      answer = sessionText((command.sessao + 1) % 1000000) + answer.substr(echoed.size());
  }
  switch (knobs.encoding) {
    case AnswerEncoding::Windows1252:
      return toWindows1252(answer);
    case AnswerEncoding::InvalidUtf8:
      return breakUtf8(command, answer, knobs.layout);
    default:
      return answer;
  }
}

}  // namespace satemu
