#include "satlib/CallRecorder.h"

namespace satlib {

void CallRecorder::record(int sessao, EntryPoint entry, std::string_view answer) {
  if (calls_.size() == kRecordedCalls) calls_.pop_front();
  calls_.push_back(
      {sessao, entry, clock_.now(), std::string(answer.substr(0, kLongestRecordedAnswer))});
}

}  // namespace satlib
