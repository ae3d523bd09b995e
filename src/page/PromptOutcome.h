#pragma once
// What the last prompt window left behind: the confirmed code and whether it
// was cancelled. The code prompt and the test-parameter dialog share the flag,
// so it always describes the prompt window that closed last.
#include <string>

namespace page {

struct PromptOutcome {
  std::u16string CodigoDigitado;
  int DialogoCancelado = 1;  // non-zero: cancelled
};

}  // namespace page
