#include <gtest/gtest.h>

#include <sstream>

#include "AccessKey.h"
#include "Emulator.h"
#include "SatemuCommands.h"
#include "StateFile.h"
#include "codec/Base64.h"
#include "platform/Files.h"
#include "platform/Xml.h"
#include "support/AnswerFields.h"
#include "support/TempFolder.h"

namespace {

struct ToolRun {
  int exitCode;
  std::string out;
  std::string err;
};

class SatemuTool : public ::testing::Test {
 protected:
  ToolRun run(std::vector<std::string> arguments) {
    std::ostringstream out, err;
    const int code = satemu::runTool(arguments, stateFile_, out, err);
    return {code, out.str(), err.str()};
  }
  satemu::DeviceState state() const { return satemu::readState(platform::readFile(stateFile_)); }
  // A call as the library receives it.
  std::vector<std::string> call(satemu::Function function, int sessao,
                                const std::string& codigo = "12345678") {
    satemu::Command command;
    command.function = function;
    command.sessao = sessao;
    command.codigo = codigo;
    command.subComando = 1;
    command.cUF = 35;
    command.cnpj = function == satemu::Function::AtivarSAT ? kTaxpayer : kSoftwareHouse + kTaxpayer;
    command.assinatura = std::string(344, 'A');
    command.sessaoConsultada = consulted_;
    return satemu::testing::fields(satemu::runCommand(stateFile_, command).answer.value_or(""));
  }
  // The session number in the tool's "session NNNNNN: CODE" line.
  static int sessionOf(const ToolRun& run) { return std::stoi(run.out.substr(8, 6)); }

  const std::string kTaxpayer = "11222333000181";
  const std::string kSoftwareHouse = "16222333000181";
  int consulted_ = 0;

  satemu::testing::TempFolder folder_;
  std::filesystem::path stateFile_ = folder_.path() / "device.ini";
};

TEST_F(SatemuTool, EmergencyCodeIsStableUntilReset) {
  const ToolRun first = run({"emergency"});
  ASSERT_EQ(first.exitCode, 0);
  EXPECT_EQ(first.out, state().emergencyCode + "\n");
  EXPECT_EQ(run({"emergency"}).out, first.out);
  const std::string serial = state().serial;
  ASSERT_EQ(serial.size(), 9u);

  ASSERT_EQ(run({"set", "knobs.latencyMs", "0"}).exitCode, 0);
  ASSERT_EQ(run({"reset"}).exitCode, 0);
  EXPECT_NE(state().serial, serial);
  EXPECT_EQ(state().knobs.latencyMs, 0);  // reset keeps the knobs
  ASSERT_EQ(run({"reset-all"}).exitCode, 0);
  EXPECT_EQ(state().knobs.latencyMs, satemu::Knobs{}.latencyMs);
}

TEST_F(SatemuTool, SetsKnobsAndRefusesBadOnes) {
  EXPECT_EQ(run({"set", "knobs.encoding", "windows-1252", "device.lockState", "1"}).exitCode, 0);
  EXPECT_EQ(state().knobs.encoding, satemu::AnswerEncoding::Windows1252);
  EXPECT_EQ(state().lockState, 1);
  EXPECT_EQ(run({"get", "device.lockState"}).out, "1\n");

  const ToolRun bad = run({"set", "knobs.encoding", "ebcdic"});
  EXPECT_NE(bad.exitCode, 0);
  EXPECT_NE(bad.err.find("knobs.encoding"), std::string::npos);
  EXPECT_NE(run({"set", "knobs.latencyMs"}).exitCode, 0);
  EXPECT_NE(run({"frobnicate"}).exitCode, 0);

  ASSERT_EQ(run({"force", "099", "3"}).exitCode, 0);
  EXPECT_EQ(state().knobs.forcedCode, "099");
  EXPECT_EQ(state().knobs.forcedCalls, 3);
  ASSERT_EQ(run({"force-answer", "{sessao}|08000|x||"}).exitCode, 0);
  EXPECT_EQ(state().knobs.forcedCalls, 1);

  ASSERT_EQ(run({"quiet"}).exitCode, 0);
  EXPECT_EQ(state().knobs.latencyMs, 0);
  EXPECT_TRUE(state().knobs.forcedAnswer.empty());
  EXPECT_EQ(state().knobs.encoding, satemu::AnswerEncoding::Utf8);
}

TEST_F(SatemuTool, LayoutAndSlowCallsAreKnobsLikeTheOthers) {
  const std::string keys = run({"keys"}).out;
  for (const char* name : {"knobs.layout\n", "knobs.slowMs\n", "knobs.slowCalls\n"})
    EXPECT_NE(keys.find(name), std::string::npos) << name;

  EXPECT_EQ(run({"get", "knobs.layout"}).out, "current\n");
  ASSERT_EQ(run({"set", "knobs.layout", "legacy"}).exitCode, 0);
  EXPECT_EQ(state().knobs.layout, satemu::AnswerLayout::Legacy);
  EXPECT_NE(run({"show"}).out.find("\nlayout = legacy\n"), std::string::npos);
  EXPECT_NE(run({"set", "knobs.layout", "old"}).exitCode, 0);

  const struct {
    std::vector<std::string> arguments;
    int slowMs;
    int slowCalls;
  } accepted[] = {
      {{"slow", "1500"}, 1500, 1},
      {{"slow", "200", "3"}, 200, 3},
      {{"slow", "0", "0"}, 0, 0},
      {{"slow", "900", "2"}, 900, 2},
  };
  for (const auto& c : accepted) {
    ASSERT_EQ(run(c.arguments).exitCode, 0) << c.arguments[1];
    EXPECT_EQ(state().knobs.slowMs, c.slowMs);
    EXPECT_EQ(state().knobs.slowCalls, c.slowCalls);
  }
  const std::vector<std::string> refused[] = {
      {"slow"}, {"slow", "-5"}, {"slow", "10", "-1"}, {"slow", "soon"}, {"slow", "10", "2", "3"},
  };
  for (const auto& arguments : refused) {
    EXPECT_NE(run(arguments).exitCode, 0) << arguments.size();
    EXPECT_EQ(state().knobs.slowMs, 900);  // nothing saved
    EXPECT_EQ(state().knobs.slowCalls, 2);
  }

  ASSERT_EQ(run({"quiet"}).exitCode, 0);
  EXPECT_EQ(state().knobs.slowCalls, 0);
  EXPECT_EQ(state().knobs.slowMs, 0);
  EXPECT_EQ(state().knobs.layout, satemu::AnswerLayout::Current);
}

TEST_F(SatemuTool, SaleAndCancelRunOnTheDeviceForTheSessionQueries) {
  using satemu::Function;
  ASSERT_EQ(run({"quiet"}).exitCode, 0);
  const ToolRun early = run({"sale"});
  EXPECT_EQ(early.exitCode, 1);
  EXPECT_EQ(early.out, "session " + early.out.substr(8, 6) + ": 06002\n");
  ASSERT_EQ(call(Function::AtivarSAT, 1).at(1), "04000");
  ASSERT_EQ(call(Function::AssociarAssinatura, 2).at(1), "13000");

  const ToolRun sold = run({"sale"});
  ASSERT_EQ(sold.exitCode, 0) << sold.err;
  EXPECT_EQ(sold.out, "session " + sold.out.substr(8, 6) + ": 06000\n");
  const std::vector<std::string> last = call(Function::ConsultarUltimaSessaoFiscal, 3);
  ASSERT_EQ(last.size(), 12u);
  EXPECT_EQ(last[0], sold.out.substr(8, 6));
  EXPECT_EQ(last[1], "06000");
  EXPECT_TRUE(satemu::isValidAccessKey(last[8].substr(3))) << last[8];
  EXPECT_EQ(last[9], "34.00");
  const platform::XmlElement coupon = platform::parseXml(codec::decodeBase64(last[6]));
  const platform::XmlElement& inf = *coupon.child("infCFe");
  EXPECT_EQ(*inf.attribute("Id"), last[8]);
  EXPECT_EQ(inf.child("emit")->child("CNPJ")->text, kTaxpayer);
  EXPECT_EQ(inf.child("ide")->child("CNPJ")->text, kSoftwareHouse);
  EXPECT_EQ(inf.child("ide")->child("signAC")->text, std::string(344, 'A'));
  consulted_ = sessionOf(sold);
  EXPECT_EQ(call(Function::ConsultarNumeroSessao, 4), last);

  const ToolRun cancelled = run({"cancel"});
  ASSERT_EQ(cancelled.exitCode, 0) << cancelled.err;
  const std::vector<std::string> lastNow = call(Function::ConsultarUltimaSessaoFiscal, 5);
  EXPECT_EQ(lastNow.at(1), "07000");
  EXPECT_EQ(lastNow.at(0), cancelled.out.substr(8, 6));
  const platform::XmlElement cancellation = platform::parseXml(codec::decodeBase64(lastNow.at(6)));
  EXPECT_EQ(*cancellation.child("infCFe")->attribute("chCanc"), last[8]);
  const ToolRun again = run({"cancel"});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_EQ(again.out, "session " + again.out.substr(8, 6) + ": 07007\n");
  EXPECT_NE(again.err.find("|1218|"), std::string::npos) << again.err;
}

TEST_F(SatemuTool, StateOptionNamesTheFile) {
  std::vector<std::string> arguments{"show", "--state", "/somewhere/else.ini"};
  EXPECT_EQ(satemu::toolStateFile(arguments, "/tool"), "/somewhere/else.ini");
  EXPECT_EQ(arguments, std::vector<std::string>{"show"});
}

}  // namespace
