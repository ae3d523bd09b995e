#include <gtest/gtest.h>

#include "StateFile.h"

namespace {

using satemu::DeviceState;

TEST(StateFile, EscapingSurvivesAnyAnswerBytes) {
  const std::string samples[] = {
      "000001|08000|SAT em operação||", "abc\r\ndef\\n",
      std::string("nul\0byte", 8),      "\xff\xfe invalid \xc3 utf-8 \xe2\x82",
      "  blanks at both ends  ",        "tab\there = equals [brackets]",
  };
  for (const std::string& raw : samples) {
    const std::string escaped = satemu::escapeValue(raw);
    EXPECT_EQ(escaped.find('\n'), std::string::npos);
    EXPECT_EQ(escaped.find('\r'), std::string::npos);
    EXPECT_EQ(satemu::unescapeValue(escaped), raw);
  }
  // Accented text stays readable.
  EXPECT_EQ(satemu::escapeValue("operação"), "operação");
}

TEST(StateFile, WholeStateRoundTrips) {
  DeviceState state;
  state.serial = "900004019";
  state.activated = true;
  state.activationCode = "código 12";
  state.cnpj = "11222333000181";
  state.cUF = 35;
  state.lockState = 2;
  state.network.tipoLan = "IPFIX";
  state.network.proxy = 1;
  state.knobs.latencyMs = 0;
  state.knobs.encoding = satemu::AnswerEncoding::Windows1252;
  state.knobs.form = satemu::AnswerForm::Null;
  state.knobs.crlfInBase64 = true;
  state.sessions.push_back({123456, "123456|06000|0000|ok|||QUJD\r\nREVG|x"});
  state.sessions.push_back({7, "000007|11003|Sessão não existe||"});
  state.log = {"2026-01-01 10:00:00.000|SAT|info|um", "2026-01-01 10:00:00.001|SAT|info|dois"};

  const DeviceState read = satemu::readState(satemu::writeState(state));
  EXPECT_EQ(satemu::writeState(read), satemu::writeState(state));
  EXPECT_EQ(read.activationCode, "código 12");
  EXPECT_EQ(read.knobs.encoding, satemu::AnswerEncoding::Windows1252);
  ASSERT_EQ(read.sessions.size(), 2u);
  EXPECT_EQ(read.sessions[0].number, 123456);
  EXPECT_EQ(read.sessions[0].answer, state.sessions[0].answer);
  EXPECT_EQ(read.log, state.log);
}

TEST(StateFile, HandWrittenFileWithKnobsOnly) {
  const DeviceState state = satemu::readState(
      "# a test's device\n"
      "[knobs]\n"
      "latencyMs=0\n"
      "  activationLatencyMs = 0  \r\n"
      "missingListaFinal = yes\n"
      "answer = empty\n"
      "unknownKnob = 1\n"
      "hugeLogMegabytes = lots\n");
  EXPECT_EQ(state.knobs.latencyMs, 0);
  EXPECT_EQ(state.knobs.activationLatencyMs, 0);
  EXPECT_TRUE(state.knobs.missingListaFinal);
  EXPECT_EQ(state.knobs.form, satemu::AnswerForm::Empty);
  EXPECT_EQ(state.knobs.hugeLogMegabytes, 0);  // not a number: default kept
  EXPECT_TRUE(state.serial.empty());
  EXPECT_FALSE(state.activated);
}

TEST(StateFile, SetFieldChecksNameAndValue) {
  DeviceState state;
  EXPECT_TRUE(satemu::setField(state, "knobs.latencyMs", "25"));
  EXPECT_EQ(state.knobs.latencyMs, 25);
  EXPECT_TRUE(satemu::setField(state, "device.lockState", "4"));
  EXPECT_EQ(satemu::fieldValue(state, "device.lockState"), "4");
  EXPECT_FALSE(satemu::setField(state, "knobs.latencyMs", "fast"));
  EXPECT_FALSE(satemu::setField(state, "knobs.encoding", "latin-9"));
  EXPECT_FALSE(satemu::setField(state, "nowhere.latencyMs", "1"));
  EXPECT_FALSE(satemu::setField(state, "latencyMs", "1"));
}

TEST(StateFile, EveryAnswerFormHasItsName) {
  const std::pair<satemu::AnswerForm, const char*> forms[] = {
      {satemu::AnswerForm::Normal, "normal"},
      {satemu::AnswerForm::Empty, "empty"},
      {satemu::AnswerForm::Null, "null"},
      {satemu::AnswerForm::Crash, "crash"},
      {satemu::AnswerForm::HandledFault, "handled-fault"},
      {satemu::AnswerForm::DelphiException, "delphi-exception"},
  };
  for (const auto& [form, name] : forms) {
    SCOPED_TRACE(name);
    DeviceState state;
    ASSERT_TRUE(satemu::setField(state, "knobs.answer", name));
    EXPECT_EQ(state.knobs.form, form);
    EXPECT_EQ(satemu::fieldValue(state, "knobs.answer"), name);
    EXPECT_EQ(satemu::readState(satemu::writeState(state)).knobs.form, form);
  }
}

}  // namespace
