// Writes the files bench/log-pipeline measures on: the device's answer to a
// log request carrying a generated log (log-answer.txt) and that answer's
// Base64 field alone (log-field5.b64), for tools that take only Base64.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "SampleLog.h"
#include "codec/Base64.h"

namespace {

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_log_answer FOLDER LOG_BYTES\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const std::string log = bench::sampleLog(std::stoull(argv[2]));
  const std::string base64 = codec::encodeBase64(log);
  std::filesystem::create_directories(folder);
  writeFile(folder / "log-answer.txt", "482913|15000|Transferência completa|||" + base64);
  writeFile(folder / "log-field5.b64", base64);
  std::cout << log.size() << " bytes of log\n";
  return EXIT_SUCCESS;
}
