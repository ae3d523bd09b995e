// The log ExtrairLogs hands out: every line in four parts, and the SuperLog
// blocks the superLog knob asks for.
#include <gtest/gtest.h>

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
    log.superLog(satemu::SuperLogForm::Mirel, {"ativação: subcomando 1"});
    log.write(satemu::LogSource::SatSefaz, satemu::LogLevel::Info,
              "equipamento vinculado ao contribuinte");
    log.superLog(satemu::SuperLogForm::Plain, {"CF-e-SAT emitido", "lote transmitido à SEFAZ"});
    log.error("código de ativação incorreto");
    log.superLog(satemu::SuperLogForm::Plain, {"cancelamento do CF-e-SAT"});
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
  EXPECT_EQ(parseLogLine(lines[lines.size() - 5])->text, "código de ativação incorreto");
  // A marker line is the marker once time, source and level are cut off.
  EXPECT_EQ(lines[lines.size() - 4].substr(24), satemu::kSuperLogPlainStart);
  EXPECT_EQ(lines[lines.size() - 4].substr(0, 24), satemu::stamp(now_) + "|SAT|info|");
}

TEST_F(DeviceLogRendering, SuperLogKnobChoosesTheBlocksShown) {
  const std::vector<std::string> lastExchange{std::string(satemu::kSuperLogPlainStart),
                                              "cancelamento do CF-e-SAT",
                                              std::string(satemu::kSuperLogEnd)};
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
  EXPECT_EQ(unterminated[unterminated.size() - 3].substr(24), satemu::kSuperLogPlainStart);
}

}  // namespace
