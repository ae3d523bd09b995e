#pragma once
// The pages whose commands send only the session number and the code of their
// own field (lock, unlock, deactivation, software update) share one sequence:
// the log page's text emptied once the code passed its check, the answer's
// code and message shown, the code field cleared after every attempt. Each
// page's test lists its buttons as cases of this fixture.
#include <string>
#include <vector>

#include "support/ProgramFixture.h"

namespace testing_support {

inline constexpr char16_t kCodeTooShort[] = u"Código de Ativação deve ter no mínimo 8 caracteres.";

class CodeOnlyPageFixture : public ProgramFixture {
 protected:
  struct Case {
    const char* name;
    ui::Button& sideButton;
    ui::Edit& code;
    ui::Button& button;
    satlib::EntryPoint entry;
    page::PageIndex page;
    bool confirms;
  };

  CodeOnlyPageFixture() { program.start(); }

  void open(const Case& c);
  void press(const Case& c, std::u16string code, const std::string& answer);
  // Side button, code trimmed, answer shown, log emptied, code cleared; and a
  // short code that keeps the log.
  void expectTheSequence(const std::vector<Case>& cases);
};

}  // namespace testing_support
