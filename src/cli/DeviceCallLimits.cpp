#include "cli/DeviceCallLimits.h"

#include "health/Wording.h"

namespace cli {

namespace {

std::u16string seconds(int count) {
  return health::counted(count, u"segundo", u"segundos");
}

}  // namespace

std::u16string noAnswerWithin(int limit) {
  return u"O SAT não respondeu em " + seconds(limit) + u" (--tempo-limite).";
}

std::u16string busyFor(int limit) {
  return u"O SAT está ocupado: outro programa (o Quorvel ou outra consulta) não o liberou em " +
         seconds(limit) + u" (--tempo-limite).";
}

}  // namespace cli
