// The log ExtrairLogs hands out: every line in four parts, and the SuperLog
// blocks the superLog knob asks for.
#include <gtest/gtest.h>

#include <algorithm>

#include "DeviceLog.h"
#include "support/LogLines.h"

namespace {

using satemu::testing::lastSuperLogBlock;
using satemu::testing::logLines;
using satemu::testing::parseLogLine;

class DeviceLogRendering : public ::testing::Test {
 protected:
  // Three exchanges with the authority among the device's other lines.
  DeviceLogRendering() {
    satemu::DeviceLog log(lines_, now_);
    log.write(satemu::LogSource::AcSat, satemu::LogLevel::Info,
              "Recebida mensagem referente função AtivarSAT");
    log.superLog(satemu::SuperLogForm::Mirel, {"ativação: subcomando 1"},
                 "equipamento vinculado ao contribuinte", satemu::LogLevel::Info);
    log.superLog(satemu::SuperLogForm::Plain, {"CF-e-SAT emitido", "lote transmitido à SEFAZ"},
                 "lote recusado", satemu::LogLevel::Error);
    log.error("código de ativação incorreto");
    log.superLog(satemu::SuperLogForm::Plain, {"cancelamento do CF-e-SAT"},
                 "cancelamento processado", satemu::LogLevel::Info);
    log.write(satemu::LogSource::AcSat, satemu::LogLevel::Error,
              "Enviada resposta da função BloquearSAT, sessão 000009: 16001");
  }

  std::vector<std::string> rendered(satemu::SuperLogBlocks blocks, int fillerMegabytes = 0) const {
    satemu::Knobs knobs;
    knobs.superLog = blocks;
    knobs.hugeLogMegabytes = fillerMegabytes;
    return logLines(satemu::renderLog(lines_, knobs, now_));
  }

  satemu::Moment now_ = satemu::momentAt(1561035130);
  std::vector<std::string> lines_;
};

TEST_F(DeviceLogRendering, EveryLineHasTimeSourceLevelAndText) {
  const std::vector<std::string> lines = rendered(satemu::SuperLogBlocks::Several, 1);
  ASSERT_GT(lines.size(), 10000u);  // the filler, then the device's own lines
  for (const std::string& line : lines) {
    const auto parsed = parseLogLine(line);
    ASSERT_TRUE(parsed) << line;
    EXPECT_EQ(parsed->stamp, satemu::stamp(now_));
  }
  const auto last = parseLogLine(lines.back());
  EXPECT_EQ(last->source, "AC-SAT");
  EXPECT_EQ(last->level, "erro");
  EXPECT_EQ(parseLogLine(lines[lines.size() - 7])->text, "código de ativação incorreto");
  // A marker line is the marker once time, source and level are cut off.
  EXPECT_EQ(lines[lines.size() - 6].substr(24), satemu::kSuperLogPlainStart);
  EXPECT_EQ(lines[lines.size() - 6].substr(0, 24), satemu::stamp(now_) + "|SAT|info|");
  // Inside a block, lines whose time, source and level are not 24 bytes.
  const auto connection = parseLogLine(lines[lines.size() - 5]);
  EXPECT_EQ(connection->source + "|" + connection->level, "SAT|debug");
  const auto reply = parseLogLine(lines[lines.size() - 3]);
  EXPECT_EQ(reply->source + "|" + reply->level + "|" + reply->text,
            "SAT-SEFAZ|info|cancelamento processado");
  const auto refusal = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.ends_with("|SAT-SEFAZ|erro|lote recusado");
  });
  EXPECT_NE(refusal, lines.end()) << "the reply's level is the one given";
}

// The filler too: every line of the log ends in CR LF, and the lines are the
// ones the LF log holds.
TEST_F(DeviceLogRendering, CrLfLineEndsWhenAsked) {
  satemu::Knobs knobs;
  knobs.crlfInLog = true;
  knobs.hugeLogMegabytes = 1;
  const std::string huge = satemu::renderLog(lines_, knobs, now_);
  ASSERT_TRUE(huge.ends_with("\r\n"));
  for (std::size_t at = huge.find('\n'); at != std::string::npos; at = huge.find('\n', at + 1))
    ASSERT_EQ(huge[at - 1], '\r') << "a line ending in LF alone, at byte " << at;
  EXPECT_EQ(huge.find("\r\r"), std::string::npos);

  knobs.hugeLogMegabytes = 0;
  std::string log = satemu::renderLog(lines_, knobs, now_);
  std::erase(log, '\r');
  knobs.crlfInLog = false;
  EXPECT_EQ(log, satemu::renderLog(lines_, knobs, now_));
}

TEST_F(DeviceLogRendering, SuperLogKnobChoosesTheBlocksShown) {
  const std::vector<std::string> lastExchange{
      std::string(satemu::kSuperLogPlainStart), "conexão com a SEFAZ aberta",
      "cancelamento do CF-e-SAT", "cancelamento processado", std::string(satemu::kSuperLogEnd)};
  const struct {
    satemu::SuperLogBlocks blocks;
    std::size_t markerLines;
    bool blockFound;
  } cases[] = {
      {satemu::SuperLogBlocks::Normal, 2, true},
      {satemu::SuperLogBlocks::Several, 6, true},
      {satemu::SuperLogBlocks::None, 0, false},
      {satemu::SuperLogBlocks::Unterminated, 1, false},
  };
  const std::size_t exchangeLines = lines_.size() - 6;
  for (const auto& c : cases) {
    const std::vector<std::string> lines = rendered(c.blocks);
    EXPECT_EQ(lines.size(), exchangeLines + c.markerLines) << static_cast<int>(c.blocks);
    const auto block = lastSuperLogBlock(lines);
    EXPECT_EQ(block.has_value(), c.blockFound) << static_cast<int>(c.blocks);
    if (block) {
      EXPECT_EQ(*block, lastExchange);
    }
  }
  // Unterminated keeps the start marker of the last exchange, with nothing closing it.
  const std::vector<std::string> unterminated = rendered(satemu::SuperLogBlocks::Unterminated);
  EXPECT_EQ(unterminated[unterminated.size() - 5].substr(24), satemu::kSuperLogPlainStart);
}

}  // namespace
