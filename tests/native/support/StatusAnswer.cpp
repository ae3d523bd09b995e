#include "support/StatusAnswer.h"

#include <vector>

namespace testing_support {

const std::string kNoCoupon(44, '0');

std::string statusAnswer(const std::map<health::StatusField, std::string>& changes) {
  std::vector<std::string> fields{"123456",
                                  "10000",
                                  "Resposta com Sucesso.",
                                  "",
                                  "",
                                  "900004019",
                                  "DHCP",
                                  "010.000.000.108",
                                  "30:40:03:19:19:40",
                                  "255.255.255.000",
                                  "010.000.000.001",
                                  "010.000.000.001",
                                  "000.000.000.000",
                                  "CONECTADO",
                                  "ALTO",
                                  "2048 MB",
                                  "512 MB",
                                  "20261210120000",
                                  "01.00.00",
                                  "00.08",
                                  "",
                                  kNoCoupon,
                                  kNoCoupon,
                                  "20261210110000",
                                  "20261210110000",
                                  "20211210",
                                  "20311210",
                                  "0"};
  for (const auto& [field, value] : changes) fields[static_cast<std::size_t>(field)] = value;
  std::string answer;
  for (const std::string& field : fields) answer += (answer.empty() ? "" : "|") + field;
  return answer;
}

}  // namespace testing_support
