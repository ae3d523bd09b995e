// The behaviour knobs as a program meets them through the library.
#include <gtest/gtest.h>

#include <chrono>

#include "StateFile.h"
#include "codec/Base64.h"
#include "native/LoadedEmulator.h"
#include "platform/Files.h"

namespace {

using satemu::testing::fields;
using satemu::testing::LoadedEmulator;
using satemu::testing::text;

class Knobs : public ::testing::Test {
 protected:
  void set(const std::string& name, const std::string& value) {
    satemu::DeviceState state = satemu::readState(platform::readFile(sat_.stateFile()));
    ASSERT_TRUE(satemu::setField(state, name, value)) << name;
    platform::writeFileAtomically(sat_.stateFile(), satemu::writeState(state));
  }
  void activate() {
    ASSERT_EQ(
        fields(sat_.call("AtivarSAT", 100, 1, text("12345678"), text("11222333000181"), 35))[1],
        "04000");
  }

  LoadedEmulator sat_;
};

TEST_F(Knobs, NullAndEmptyAnswers) {
  set("knobs.answer", "null");
  EXPECT_EQ(sat_.raw("ConsultarSAT", 1), nullptr);
  set("knobs.answer", "empty");
  EXPECT_EQ(sat_.call("ConsultarSAT", 2), "");
}

TEST_F(Knobs, ForcedCodeLastsForTheGivenCalls) {
  set("knobs.forcedCode", "098");
  set("knobs.forcedCalls", "2");
  EXPECT_EQ(sat_.call("ConsultarSAT", 1), "000001|08098|SAT em processamento. Tente novamente.||");
  // A forced refusal changes nothing on the device.
  EXPECT_EQ(fields(sat_.call("AtivarSAT", 2, 1, text("12345678"), text("11222333000181"), 35))[1],
            "04098");
  EXPECT_EQ(sat_.call("ConsultarSAT", 3), "000003|08000|SAT em operação||");
  activate();
  // The forced answer is what the session query finds.
  EXPECT_EQ(sat_.call("ConsultarNumeroSessao", 4, text("12345678"), 1),
            "000001|08098|SAT em processamento. Tente novamente.||");
}

TEST_F(Knobs, StatusQuirks) {
  activate();
  ASSERT_EQ(fields(sat_.call("BloquearSAT", 2, text("12345678")))[1], "16000");
  set("knobs.textEstadoOperacao", "1");
  set("knobs.missingListaFinal", "1");
  const std::vector<std::string> st =
      fields(sat_.call("ConsultarStatusOperacional", 3, text("12345678")));
  ASSERT_EQ(st.size(), 27u);
  EXPECT_EQ(st[21], std::string(44, '0'));  // LISTA_INICIAL still there
  EXPECT_EQ(st[26], "BLOQUEIO_CONTRIBUINTE");
}

TEST_F(Knobs, Base64WithLineBreaksAndAHugeLog) {
  set("knobs.crlfInBase64", "1");
  set("knobs.hugeLogMegabytes", "2");
  const std::string answer = sat_.call("ExtrairLogs", 1, text("qualquer"));
  const std::vector<std::string> f = fields(answer);
  ASSERT_EQ(f.size(), 6u);
  EXPECT_NE(f[5].find("\r\n"), std::string::npos);
  const std::string log = codec::decodeBase64(f[5]);
  EXPECT_GT(log.size(), 2u * 1024 * 1024);
  EXPECT_NE(log.find("extração de logs solicitada"), std::string::npos);
  // So big an answer is not kept in the state file.
  EXPECT_LT(std::filesystem::file_size(sat_.stateFile()), 1024u * 1024);
}

TEST_F(Knobs, EncodingsAndWrongEcho) {
  set("knobs.encoding", "windows-1252");
  EXPECT_EQ(sat_.call("ConsultarSAT", 1), "000001|08000|SAT em opera\xe7\xe3o||");
  set("knobs.encoding", "utf-8");
  set("knobs.wrongSessionEcho", "1");
  EXPECT_EQ(sat_.call("ConsultarSAT", 1), "000002|08000|SAT em operação||");
}

TEST_F(Knobs, ReusedSessionNumbersAreRefusedWhenAsked) {
  EXPECT_EQ(sat_.call("ConsultarSAT", 5), "000005|08000|SAT em operação||");
  EXPECT_EQ(sat_.call("ConsultarSAT", 5), "000005|08000|SAT em operação||");
  set("knobs.rejectReusedSessions", "1");
  EXPECT_EQ(sat_.call("ConsultarSAT", 5), "000005|08097|Número de sessão inválido||");
  EXPECT_EQ(sat_.call("ConsultarSAT", 6), "000006|08000|SAT em operação||");
  // The refused call did not replace what session 5 holds.
  activate();
  EXPECT_EQ(sat_.call("ConsultarNumeroSessao", 7, text("12345678"), 5),
            "000005|08000|SAT em operação||");
}

TEST_F(Knobs, LatencyDelaysTheAnswer) {
  set("knobs.latencyMs", "150");
  const auto start = std::chrono::steady_clock::now();
  sat_.call("ConsultarSAT", 1);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
}

}  // namespace
