// The behaviour knobs as a program meets them through the library.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "AccessKey.h"
#include "DeviceClock.h"
#include "StateFile.h"
#include "codec/Base64.h"
#include "native/LoadedEmulator.h"
#include "platform/Files.h"
#include "support/SaleDocuments.h"

namespace {

using satemu::testing::fields;
using satemu::testing::LoadedEmulator;
using satemu::testing::SaleParties;
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

  satemu::Knobs knobs() const {
    return satemu::readState(platform::readFile(sat_.stateFile())).knobs;
  }
  // Milliseconds one call takes.
  long long timed(int sessao) {
    const auto start = std::chrono::steady_clock::now();
    sat_.call("ConsultarSAT", sessao);
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
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
  set("knobs.missingListaFinal", "1");
  int sessao = 3;
  for (const auto& [form, shown] :
       {std::pair{"number", "2"}, std::pair{"padded", " 2"}, std::pair{"signed", "+2"},
        std::pair{"text", "BLOQUEIO_CONTRIBUINTE"}}) {
    set("knobs.estadoOperacao", form);
    const std::vector<std::string> st =
        fields(sat_.call("ConsultarStatusOperacional", sessao++, text("12345678")));
    ASSERT_EQ(st.size(), 27u) << form;
    EXPECT_EQ(st[21], std::string(44, '0'));  // LISTA_INICIAL still there
    EXPECT_EQ(st[26], shown) << form;
  }
}

// Every condition the health checks read, set through the knobs. Dates are
// checked against the computer's clock read before and after the call.
TEST_F(Knobs, StatusConditions) {
  activate();
  set("knobs.certificateDaysLeft", "10");
  set("knobs.lastCommunicationMinutesAgo", "90");
  set("knobs.pendingCoupons", "3");
  set("knobs.memoryUsedPercent", "80");
  set("knobs.memoryForm", "bytes");
  set("knobs.clockOffsetSeconds", "-600");
  set("knobs.networkStatus", "NAO_CONECTADO");
  set("knobs.batteryLevel", "BAIXO");
  const std::int64_t before = satemu::currentMoment().epoch - 600;
  const std::vector<std::string> st =
      fields(sat_.call("ConsultarStatusOperacional", 2, text("12345678")));
  const std::int64_t after = satemu::currentMoment().epoch - 600;
  ASSERT_EQ(st.size(), 28u);
  EXPECT_EQ(st[13], "NAO_CONECTADO");
  EXPECT_EQ(st[14], "BAIXO");
  EXPECT_EQ(st[15], "2147483648");
  EXPECT_EQ(st[16], "1717986919");  // 80 %, rounded up
  const auto between = [&](const std::string& value, std::int64_t shift, auto form) {
    return form(satemu::momentAt(before + shift)) <= value &&
           value <= form(satemu::momentAt(after + shift));
  };
  EXPECT_TRUE(between(st[17], 0, satemu::stamp)) << st[17];
  EXPECT_TRUE(between(st[24], -90 * 60, satemu::stamp)) << st[24];
  EXPECT_TRUE(between(st[26], 10 * 24 * 60 * 60, satemu::date)) << st[26];
  // The device's first three coupons, in keys of its own.
  for (const std::string& key : {st[21], st[22]}) {
    EXPECT_TRUE(satemu::isValidAccessKey(key)) << key;
    EXPECT_EQ(key.substr(22, 9), st[5]);
  }
  EXPECT_EQ(st[21].substr(31, 6), "000001");
  EXPECT_EQ(st[22].substr(31, 6), "000003");

  set("knobs.memoryForm", "units");
  set("knobs.memoryUsedPercent", "95");
  set("knobs.pendingCoupons", "0");
  const std::vector<std::string> units =
      fields(sat_.call("ConsultarStatusOperacional", 3, text("12345678")));
  EXPECT_EQ(units[15], "2048 MB");
  EXPECT_EQ(units[16], "1946 MB");
  EXPECT_EQ(units[21], std::string(44, '0'));
  EXPECT_EQ(units[22], std::string(44, '0'));
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

TEST_F(Knobs, LegacyLayoutAnswersAssociationAndRefusalsWithoutValidationCode) {
  activate();
  set("knobs.layout", "legacy");
  const std::string signature(344, '1');
  const std::string pair = "16222333000181" + std::string("11222333000181");
  const auto associate = [&](int sessao, const char* code, const std::string& cnpjs) {
    return sat_.call("AssociarAssinatura", sessao, text(code), text(cnpjs), text(signature));
  };
  SaleParties parties;
  parties.softwareHouseCnpj = "16222333000181";
  parties.signAC = signature;
  parties.taxpayerCnpj = "11222333000181";
  const auto sell = [&](int sessao, const SaleParties& p) {
    const std::string document = satemu::testing::oneItemSale(p);
    return sat_.call("EnviarDadosVenda", sessao, text("12345678"), text(document));
  };
  SaleParties stranger = parties;
  stranger.softwareHouseCnpj = "00000000000191";
  SaleParties otherEmitter = parties;
  otherEmitter.taxpayerCnpj = "11222333000262";

  EXPECT_EQ(associate(1, "errado00", pair), "000001|13001|Código de ativação inválido||");
  EXPECT_EQ(associate(2, "12345678", "16222333000181" + std::string("00000000000191")),
            "000002|13007|CNPJ do emitente difere daquele constante da parametrização de uso||");
  EXPECT_EQ(sell(3, parties), "000003|06003|SAT não vinculado ao AC||");
  const std::string associated = associate(4, "12345678", pair);
  EXPECT_EQ(associated, "000004|13000|Assinatura do AC Registrada||");
  EXPECT_EQ(sell(5, stranger), "000005|06004|Vinculação do AC não confere||");
  EXPECT_EQ(sell(6, otherEmitter), "000006|06010|Erro de validação do conteúdo||");
  // An issued coupon keeps its CCCC.
  const std::vector<std::string> sold = fields(sell(7, parties));
  ASSERT_EQ(sold.size(), 12u);
  EXPECT_EQ(sold[2], "0000");
  const std::string notTheLastSale = "CFe" + std::string(44, '1');
  const std::string cancelDocument = satemu::testing::cancellationDocument(notTheLastSale, parties);
  const std::string refusedCancel = sat_.call("CancelarUltimaVenda", 8, text("12345678"),
                                              text(notTheLastSale), text(cancelDocument));
  EXPECT_EQ(refusedCancel, "000008|07007|Erro de validação do conteúdo||");

  // Stored answers are the ones given.
  EXPECT_EQ(sat_.call("ConsultarNumeroSessao", 9, text("12345678"), 4), associated);
  EXPECT_EQ(sat_.call("ConsultarUltimaSessaoFiscal", 10, text("12345678")), refusedCancel);

  set("knobs.layout", "current");
  EXPECT_EQ(
      fields(associate(11, "errado00", pair)),
      (std::vector<std::string>{"000011", "13001", "1999", "Código de ativação inválido", "", ""}));
}

// A wait shows as a lower bound on the call's time; a wait that should not
// happen is made a minute long, so that only a call that waited it fails,
// however slow the machine.
TEST_F(Knobs, SlowCallsWaitInPlaceOfTheLatencyAndCountDown) {
  set("knobs.latencyMs", "60000");
  set("knobs.slowMs", "300");
  set("knobs.slowCalls", "1");
  const long long slow = timed(1);
  EXPECT_GE(slow, 300);
  EXPECT_LT(slow, 60000) << "the slow call waited the latency too";
  EXPECT_EQ(knobs().slowCalls, 0);

  set("knobs.latencyMs", "0");
  set("knobs.slowCalls", "2");
  EXPECT_GE(timed(2), 300);
  EXPECT_EQ(knobs().slowCalls, 1);
  EXPECT_GE(timed(3), 300);
  EXPECT_EQ(knobs().slowCalls, 0);
  EXPECT_EQ(knobs().slowMs, 300);
  set("knobs.slowMs", "60000");
  EXPECT_LT(timed(4), 60000) << "a call after the countdown was slow";
}

TEST_F(Knobs, SlowCallSavesItsCountdownBeforeTheWait) {
  set("knobs.slowMs", "1500");
  set("knobs.slowCalls", "1");
  std::atomic<bool> answered{false};
  std::string answer;
  std::thread caller([&] {
    answer = sat_.call("ConsultarSAT", 1);
    answered = true;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(1200);
  while (knobs().slowCalls != 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  // A caller killed now leaves a file that no longer asks for the slow call.
  EXPECT_EQ(knobs().slowCalls, 0);
  EXPECT_FALSE(answered);
  // What the tool sets during the wait counts for the waiting call.
  set("knobs.forcedCode", "098");
  set("knobs.forcedCalls", "1");
  caller.join();
  EXPECT_EQ(answer, "000001|08098|SAT em processamento. Tente novamente.||");
}

// A call held for ten minutes answers once slowMs is set to 0: a test holds a
// call exactly as long as it needs.
TEST_F(Knobs, AHeldCallAnswersWhenReleased) {
  set("knobs.slowMs", "600000");
  set("knobs.slowCalls", "1");
  std::string answer;
  std::thread caller([&] { answer = sat_.call("ConsultarSAT", 1); });
  while (knobs().slowCalls != 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  set("knobs.slowMs", "0");
  caller.join();
  EXPECT_EQ(answer, "000001|08000|SAT em operação||");
}

}  // namespace
