#include "Answer.h"

#include <cstdio>

#include "Messages.h"

namespace satemu {

std::string sessionText(int sessao) {
  char text[24];
  std::snprintf(text, sizeof text, "%06d", sessao);
  return text;
}

std::string joinFields(const std::vector<std::string>& fields) {
  std::string answer;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) answer += '|';
    answer += fields[i];
  }
  return answer;
}

std::string returnCodeOf(std::string_view answer) {
  const auto first = answer.find('|');
  if (first == std::string_view::npos) return {};
  return std::string(answer.substr(first + 1, answer.find('|', first + 1) - first - 1));
}

bool isSuccessCode(std::string_view code) {
  return code.size() == 5 && (code.substr(2) == "000" || code == "04006");
}

namespace {

std::vector<std::string> head(Function function, int sessao, int fam, int detail,
                              AnswerLayout layout, std::string_view sefazCode,
                              std::string_view sefazMessage, std::string_view validationCode) {
  std::vector<std::string> fields{sessionText(sessao), returnCode(fam, detail)};
  if (carriesValidationCode(function, detail, layout)) {
    if (!validationCode.empty())
      fields.emplace_back(validationCode);
    else
      fields.emplace_back(detail == kSuccess ? "0000" : "1999");
  }
  fields.push_back(messageFor(fam, detail));
  fields.emplace_back(sefazCode);
  fields.emplace_back(sefazMessage);
  return fields;
}

}  // namespace

std::vector<std::string> answerHead(Function function, int sessao, int detail, AnswerLayout layout,
                                    std::string_view sefazCode, std::string_view sefazMessage,
                                    std::string_view validationCode) {
  return head(function, sessao, family(function), detail, layout, sefazCode, sefazMessage,
              validationCode);
}

std::string answerWithCode(Function function, int sessao, int codeFamily, int detail,
                           AnswerLayout layout) {
  return joinFields(head(function, sessao, codeFamily, detail, layout, {}, {}, {}));
}

std::string plainAnswer(Function function, int sessao, int detail, AnswerLayout layout,
                        std::string_view sefazCode, std::string_view sefazMessage,
                        std::string_view validationCode) {
  return joinFields(
      answerHead(function, sessao, detail, layout, sefazCode, sefazMessage, validationCode));
}

}  // namespace satemu
