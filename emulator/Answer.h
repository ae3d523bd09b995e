#pragma once
// Building the pipe-separated answers of the device.
#include <string>
#include <string_view>
#include <vector>

#include "Command.h"

namespace satemu {

// The session number as the device echoes it: six digits with leading zeros.
std::string sessionText(int sessao);

std::string joinFields(const std::vector<std::string>& fields);

// Field 1 of an answer, its return code; empty when the answer has none.
std::string returnCodeOf(std::string_view answer);

// xx000, and 04006 (the CSR for an ICP-Brasil certificate).
bool isSuccessCode(std::string_view code);

// sessao|EEEEE|mensagem|cod|mensagemSEFAZ, with CCCC after EEEEE where the
// layout has it (validationCode empty: "0000" on success, "1999" otherwise;
// where the layout lacks the field, validationCode is dropped).
std::string plainAnswer(Function function, int sessao, int detail, AnswerLayout layout,
                        std::string_view sefazCode = {}, std::string_view sefazMessage = {},
                        std::string_view validationCode = {});

// The leading fields of plainAnswer as a list, for answers that append more.
std::vector<std::string> answerHead(Function function, int sessao, int detail, AnswerLayout layout,
                                    std::string_view sefazCode = {},
                                    std::string_view sefazMessage = {},
                                    std::string_view validationCode = {});

// plainAnswer with a return code of any family (a forced code), in the
// layout of the function called.
std::string answerWithCode(Function function, int sessao, int codeFamily, int detail,
                           AnswerLayout layout);

}  // namespace satemu
