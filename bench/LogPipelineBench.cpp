// Times the log page's whole path on a device answer carrying a large log,
// from the answer the library gave to the memo ready to paint, and reads the
// peak memory it takes. Prints one JSON object for bench/log-pipeline.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>

#include "PeakMemory.h"
#include "codec/Base64.h"
#include "diagnostics/LogView.h"
#include "page/AnswerFields.h"
#include "page/CommandRunner.h"
#include "ui/TextSource.h"

namespace {

std::string readFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The answer as the runner holds it after the library call, made again before
// each run: the page decodes the log where the answer holds it. Copied into
// the same memory each time, as the runner copies the library's answer into
// memory of its own.
class Answers {
 public:
  explicit Answers(const char* path)
      : received_(readFile(path)), answer_(std::make_shared<std::string>(received_)) {}
  std::shared_ptr<std::string> fresh() {
    std::memcpy(answer_->data(), received_.data(), received_.size());
    return answer_;
  }

 private:
  const std::string received_;
  const std::shared_ptr<std::string> answer_;
};

// The shortest of the runs: the one the rest of the machine disturbed least.
// `prepare` runs before the clock starts; what `step` returns is freed after
// it stops, as the memo keeps it until the next log.
template <typename Prepare, typename Step>
double bestSeconds(int repetitions, Prepare prepare, Step step) {
  double best = std::numeric_limits<double>::infinity();
  for (int i = 0; i < repetitions; ++i) {
    auto input = prepare();
    const auto start = std::chrono::steady_clock::now();
    [[maybe_unused]] const auto result = step(input);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

struct ShownLog {
  std::u16string status;
  std::shared_ptr<const ui::TextSource> lines;
};

// What the program does with the answer until the log page's memo can paint:
// the status bar's text, the split, and the page's view of field 5.
ShownLog logPage(const std::shared_ptr<std::string>& answer, bool superLog) {
  ShownLog shown{page::statusText(*answer), nullptr};
  const page::AnswerFields CamposRetorno(answer);
  const diagnostics::DecodedLog decoded = diagnostics::decodeLog(CamposRetorno.keep(5));
  shown.lines =
      superLog ? diagnostics::superLogLines(decoded) : diagnostics::wholeLogLines(decoded);
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: log_pipeline_bench ANSWER_FILE REPETITIONS\n";
    return 2;
  }
  const int repetitions = std::stoi(argv[2]);
  Answers answers(argv[1]);
  const auto fresh = [&] { return answers.fresh(); };
  const std::size_t baseline = bench::peakResidentBytes();

  // The smaller view first: the peak only ever grows.
  const double superLogSeconds =
      bestSeconds(repetitions, fresh, [](const auto& answer) { return logPage(answer, true); });
  const std::size_t superLogPeak = bench::peakResidentBytes();
  const double wholeLogSeconds =
      bestSeconds(repetitions, fresh, [](const auto& answer) { return logPage(answer, false); });
  const std::size_t wholeLogPeak = bench::peakResidentBytes();

  // Each step alone.
  const double statusSeconds =
      bestSeconds(repetitions, fresh, [](const auto& answer) { return page::statusText(*answer); });
  const double splitSeconds = bestSeconds(
      repetitions, fresh, [](const auto& answer) { return page::AnswerFields(answer).count(); });
  const auto field = [&] { return page::AnswerFields(answers.fresh()).keep(5); };
  const double decodeSeconds = bestSeconds(repetitions, field, [](const page::KeptField& kept) {
    return codec::decodeBase64InPlace(kept.bytes);
  });
  const auto decoded = [&] { return diagnostics::decodeLog(field()); };
  const double indexSeconds = bestSeconds(
      repetitions, decoded, [](const auto& log) { return diagnostics::wholeLogLines(log); });
  const double superLogSearchSeconds = bestSeconds(
      repetitions, decoded, [](const auto& log) { return diagnostics::superLogLines(log); });

  const ShownLog superLog = logPage(answers.fresh(), true);
  // The block's lines, without the view's leading empty line; none when the
  // view says the log has no block.
  const bool blockFound = ui::wholeText(*superLog.lines) != diagnostics::kSuperLogNotFound;
  const std::size_t superLogLines = blockFound ? superLog.lines->lineCount() - 1 : 0;
  const ShownLog wholeLog = logPage(answers.fresh(), false);
  // The log's lines, without the dash line after them.
  const std::size_t logLines = wholeLog.lines->lineCount() - 1;
  const std::size_t logBytes = diagnostics::logUpToNul(decoded().log).size();

  std::cout << "{\"log_bytes\": " << logBytes << ", \"log_lines\": " << logLines
            << ", \"superlog_lines\": " << superLogLines
            << ", \"whole_log_seconds\": " << wholeLogSeconds
            << ", \"superlog_seconds\": " << superLogSeconds
            << ", \"status_seconds\": " << statusSeconds << ", \"split_seconds\": " << splitSeconds
            << ", \"decode_seconds\": " << decodeSeconds << ", \"index_seconds\": " << indexSeconds
            << ", \"superlog_search_seconds\": " << superLogSearchSeconds
            << ", \"baseline_bytes\": " << baseline << ", \"superlog_peak_bytes\": " << superLogPeak
            << ", \"whole_log_peak_bytes\": " << wholeLogPeak << "}\n";
  return EXIT_SUCCESS;
}
