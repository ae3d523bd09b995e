// Times the log page's pipeline on a device answer carrying a large log, and
// reads the peak memory it takes. Prints one JSON object for bench/log-pipeline.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <string>

#include "PeakMemory.h"
#include "codec/Base64.h"
#include "diagnostics/LogView.h"
#include "page/AnswerFields.h"

namespace {

std::string readFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The shortest of the runs: the one the rest of the machine disturbed least.
template <typename Step>
double bestSeconds(int repetitions, Step step) {
  double best = std::numeric_limits<double>::infinity();
  for (int i = 0; i < repetitions; ++i) {
    const auto start = std::chrono::steady_clock::now();
    // Freed once the clock is read: the page hands the text on to its memo.
    [[maybe_unused]] const auto result = step();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

// What the log page does with the answer's field 5, for each of its views.
std::u16string wholeLogPage(const std::string& field) {
  const std::string log = codec::decodeBase64(field);
  return diagnostics::wholeLogText(diagnostics::logUpToNul(log));
}

std::u16string superLogPage(const std::string& field) {
  const std::string log = codec::decodeBase64(field);
  return diagnostics::superLogText(diagnostics::logUpToNul(log));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: log_pipeline_bench ANSWER_FILE REPETITIONS\n";
    return 2;
  }
  const int repetitions = std::stoi(argv[2]);
  const std::string answer = readFile(argv[1]);
  const page::AnswerFields CamposRetorno(answer);
  const std::string& field = CamposRetorno[5];
  const std::size_t baseline = bench::peakResidentBytes();

  // The smaller view first: the peak only ever grows.
  const double superLogSeconds = bestSeconds(repetitions, [&] { return superLogPage(field); });
  const std::size_t superLogPeak = bench::peakResidentBytes();
  const double wholeLogSeconds = bestSeconds(repetitions, [&] { return wholeLogPage(field); });
  const std::size_t wholeLogPeak = bench::peakResidentBytes();

  const std::string decoded = codec::decodeBase64(field);
  const std::string_view log = diagnostics::logUpToNul(decoded);
  const double decodeSeconds = bestSeconds(repetitions, [&] { return codec::decodeBase64(field); });
  const double wholeTextSeconds =
      bestSeconds(repetitions, [&] { return diagnostics::wholeLogText(log); });
  const double superLogTextSeconds =
      bestSeconds(repetitions, [&] { return diagnostics::superLogText(log); });
  // The first write to fresh pages costs a page fault each; the pipeline's
  // results go to fresh pages, so this much of its time is the kernel's.
  const std::size_t wholeTextUnits = diagnostics::wholeLogText(log).size();
  const double freshLogSeconds =
      bestSeconds(repetitions, [&] { return std::string(log.size(), '\0'); });
  const double freshTextSeconds =
      bestSeconds(repetitions, [&] { return std::u16string(wholeTextUnits, u'\0'); });

  const std::u16string superLog = diagnostics::superLogText(log);
  // The text starts with an empty line.
  const auto superLogLines = std::count(superLog.begin(), superLog.end(), u'\n') - 1;

  std::cout << "{\"log_bytes\": " << log.size() << ", \"superlog_lines\": " << superLogLines
            << ", \"whole_log_seconds\": " << wholeLogSeconds
            << ", \"superlog_seconds\": " << superLogSeconds
            << ", \"decode_seconds\": " << decodeSeconds
            << ", \"whole_text_seconds\": " << wholeTextSeconds
            << ", \"superlog_text_seconds\": " << superLogTextSeconds
            << ", \"fresh_log_seconds\": " << freshLogSeconds
            << ", \"fresh_text_seconds\": " << freshTextSeconds
            << ", \"baseline_bytes\": " << baseline << ", \"superlog_peak_bytes\": " << superLogPeak
            << ", \"whole_log_peak_bytes\": " << wholeLogPeak << "}\n";
  return EXIT_SUCCESS;
}
