#pragma once
// This run's answers, for the support report: session, entry point, time and
// answer of each call, recorded by the command runner, where all three are
// known. Only answers are kept, never arguments, so an activation code never
// enters the record.
#include <cstddef>
#include <deque>
#include <string>

#include "platform/Clock.h"
#include "satlib/FuncoesSAT.h"

namespace satlib {

struct RecordedCall {
  int sessao = 0;
  EntryPoint entry = EntryPoint::ConsultarSAT;
  platform::TimeOfDay time{};
  std::string answer;  // cut to kLongestRecordedAnswer bytes
};

class CallRecorder {
 public:
  // A log's answer runs to megabytes; its start is what support reads.
  static constexpr std::size_t kLongestRecordedAnswer = 64 * 1024;
  // The latest calls are kept, so a long session holds its memory.
  static constexpr std::size_t kRecordedCalls = 200;

  explicit CallRecorder(const platform::Clock& clock) : clock_(clock) {}

  void record(int sessao, EntryPoint entry, std::string_view answer);
  const std::deque<RecordedCall>& calls() const { return calls_; }

 private:
  const platform::Clock& clock_;
  std::deque<RecordedCall> calls_;
};

}  // namespace satlib
