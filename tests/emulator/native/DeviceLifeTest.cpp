// A whole device life through the exported entry points of the Linux build.
#include <gtest/gtest.h>

#include <map>

#include "AccessKey.h"
#include "DeviceClock.h"
#include "DeviceLog.h"
#include "StateFile.h"
#include "codec/Base64.h"
#include "native/LoadedEmulator.h"
#include "platform/Files.h"
#include "platform/Xml.h"
#include "support/LogLines.h"
#include "support/SaleDocuments.h"

namespace {

using satemu::testing::fields;
using satemu::testing::LoadedEmulator;
using satemu::testing::SaleParties;
using satemu::testing::text;

const std::string kTaxpayer = "11222333000181";
const std::string kSoftwareHouse = "16222333000181";
const std::string kSignature(344, '1');

class DeviceLife : public ::testing::Test {
 protected:
  std::string status(int sessao, const std::string& code) {
    return sat_.call("ConsultarStatusOperacional", sessao, text(code));
  }
  std::string sale(int sessao, const std::string& code, const SaleParties& parties) {
    const std::string document = satemu::testing::oneItemSale(parties);
    return sat_.call("EnviarDadosVenda", sessao, text(code), text(document));
  }
  satemu::DeviceState state() const {
    return satemu::readState(platform::readFile(sat_.stateFile()));
  }
  void editState(const std::string& name, const std::string& value) {
    satemu::DeviceState edited = state();
    ASSERT_TRUE(satemu::setField(edited, name, value));
    platform::writeFileAtomically(sat_.stateFile(), satemu::writeState(edited));
  }

  // The coupon in the answer field: well-formed, its Id the key of the answer.
  platform::XmlElement couponOf(const std::string& base64, const std::string& chave) {
    const platform::XmlElement coupon = platform::parseXml(codec::decodeBase64(base64));
    const platform::XmlElement* inf = coupon.child("infCFe");
    EXPECT_NE(inf, nullptr);
    if (inf) {
      EXPECT_EQ(*inf->attribute("Id"), chave);
    }
    EXPECT_EQ(chave.substr(0, 3), "CFe");
    EXPECT_TRUE(satemu::isValidAccessKey(chave.substr(3))) << chave;
    return coupon;
  }

  SaleParties associatedParties() const {
    SaleParties parties;
    parties.softwareHouseCnpj = kSoftwareHouse;
    parties.signAC = kSignature;
    parties.taxpayerCnpj = kTaxpayer;
    return parties;
  }

  void activateAndAssociate() {
    ASSERT_EQ(fields(sat_.call("AtivarSAT", 1, 1, text("12345678"), text(kTaxpayer), 35))[1],
              "04000");
    const std::string pair = kSoftwareHouse + kTaxpayer;
    ASSERT_EQ(fields(sat_.call("AssociarAssinatura", 2, text("12345678"), text(pair),
                               text(kSignature)))[1],
              "13000");
  }

  LoadedEmulator sat_;
};

TEST_F(DeviceLife, FactoryNewDeviceAnswersQueriesButNoFiscalCommand) {
  EXPECT_EQ(sat_.call("ConsultarSAT", 42), "000042|08000|SAT em operação||");
  const std::vector<std::string> st = fields(status(43, "qualquer"));
  ASSERT_EQ(st.size(), 28u);
  EXPECT_EQ(st[1], "10000");
  EXPECT_EQ(st[5], state().serial);
  EXPECT_EQ(st[5].size(), 9u);
  EXPECT_EQ(st[6], "DHCP");
  EXPECT_EQ(st[20], "");  // no coupon yet
  EXPECT_EQ(st[27], "0");
  EXPECT_EQ(fields(sale(44, "12345678", associatedParties()))[1], "06002");
  EXPECT_EQ(sat_.call("BloquearSAT", 45, text("12345678")),
            "000045|16001|Código de ativação inválido||");
  EXPECT_EQ(sat_.call("ConsultarUltimaSessaoFiscal", 46, text("12345678")),
            "000046|19002|SAT ainda não ativado||");
}

TEST_F(DeviceLife, ActivationChecksItsDataOnce) {
  EXPECT_EQ(fields(sat_.call("AtivarSAT", 1, 1, text("12345678"), text("11222333000182"), 35))[1],
            "04002");
  EXPECT_EQ(fields(sat_.call("AtivarSAT", 2, 1, text("1234567"), text(kTaxpayer), 35))[1], "04099");
  EXPECT_EQ(fields(sat_.call("AtivarSAT", 3, 1, text("12345678"), text(kTaxpayer), 99))[1],
            "04099");
  EXPECT_FALSE(state().activated);

  const std::vector<std::string> activated =
      fields(sat_.call("AtivarSAT", 4, 1, text("12345678"), text(kTaxpayer), 35));
  ASSERT_EQ(activated.size(), 6u);
  EXPECT_EQ(activated[2], "Ativado corretamente");
  EXPECT_EQ(codec::decodeBase64(activated[5]).rfind("-----BEGIN CERTIFICATE REQUEST-----", 0), 0u);
  EXPECT_EQ(sat_.call("AtivarSAT", 5, 1, text("87654321"), text(kTaxpayer), 35),
            "000005|04003|SAT já ativado||");

  const std::vector<std::string> st = fields(status(6, "12345678"));
  EXPECT_EQ(st[25].size(), 8u);
  EXPECT_EQ(std::stoi(st[26].substr(0, 4)) - std::stoi(st[25].substr(0, 4)), 5);
  EXPECT_EQ(st[26].substr(4), st[25].substr(4));
}

TEST_F(DeviceLife, ActivationRefusesCnpjsThatAreNotValid) {
  const std::string refused[] = {
      "00000000000000",  // check digits add up, but nobody has it
      "11222333000182",  "11222333000191",     "1122233300018",
      "112223330001811", "11.222.333/0001-81", "",
  };
  for (const std::string& cnpj : refused) {
    EXPECT_EQ(sat_.call("AtivarSAT", 1, 1, text("12345678"), text(cnpj), 35),
              "000001|04002|SEFAZ não reconhece este SAT (CNPJ inválido)||")
        << cnpj;
  }
  EXPECT_FALSE(state().activated);
  // Leading zeros alone are no reason to refuse.
  EXPECT_EQ(fields(sat_.call("AtivarSAT", 9, 1, text("12345678"), text("00000000000191"), 35))[1],
            "04000");
  EXPECT_EQ(state().cnpj, "00000000000191");
}

TEST_F(DeviceLife, WholeLife) {
  activateAndAssociate();

  // Association: the taxpayer half must be the activated CNPJ; the answer carries CCCC.
  const std::string otherPair = kSoftwareHouse + "16222333000181";
  const std::vector<std::string> refused = fields(
      sat_.call("AssociarAssinatura", 3, text("12345678"), text(otherPair), text(kSignature)));
  EXPECT_EQ(refused[1], "13007");
  EXPECT_EQ(refused.size(), 6u);

  // Network, and the status that reflects it.
  const std::string bad = "<config><tipoInter>ETHE</tipoInter><tipoLan>IPFIX</tipoLan></config>";
  EXPECT_EQ(sat_.call("ConfigurarInterfaceDeRede", 4, text("12345678"), text(bad)),
            "000004|12002|Dados fora do padrão a ser informado||");
  const std::string fixed =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><config><tipoInter>ETHE</tipoInter><tipoLan>"
      "IPFIX</tipoLan><lanIP>192.168.0.10</lanIP><lanMask>255.255.255.0</lanMask><lanGW>"
      "192.168.0.1</lanGW><lanDNS1>8.8.8.8</lanDNS1><lanDNS2>8.8.4.4</lanDNS2><proxy>0</proxy>"
      "</config>";
  EXPECT_EQ(sat_.call("ConfigurarInterfaceDeRede", 5, text("12345678"), text(fixed)),
            "000005|12000|Rede Configurada com Sucesso||");
  std::vector<std::string> st = fields(status(6, "12345678"));
  ASSERT_EQ(st.size(), 28u);
  EXPECT_EQ(std::vector<std::string>(st.begin() + 6, st.begin() + 13),
            (std::vector<std::string>{"IPFIX", "192.168.000.010", state().mac, "255.255.255.000",
                                      "192.168.000.001", "008.008.008.008", "008.008.004.004"}));

  // End-to-end test with the activation-mode document: a complete coupon numbered 000000.
  SaleParties testParties;
  testParties.taxpayerCnpj = kTaxpayer;
  const std::string testDocument = satemu::testing::oneItemSale(testParties);
  const std::vector<std::string> test =
      fields(sat_.call("TesteFimAFim", 7, text("12345678"), text(testDocument)));
  ASSERT_EQ(test.size(), 9u);
  EXPECT_EQ(test[1], "09000");
  EXPECT_EQ(test[7], "000000");
  const platform::XmlElement testCoupon = couponOf(test[5], test[8]);
  const platform::XmlElement& testInf = *testCoupon.child("infCFe");
  EXPECT_EQ(testInf.child("ide")->child("nCFe")->text, "000000");
  EXPECT_EQ(testInf.child("ide")->child("tpAmb")->text, "2");
  EXPECT_EQ(testInf.child("ide")->child("signAC")->text, std::string(344, '0'));
  EXPECT_EQ(testInf.child("emit")->child("enderEmit")->child("xMun")->text, "São Paulo");
  EXPECT_EQ(testInf.child("det")->child("prod")->child("vItem")->text, "654.32");
  EXPECT_EQ(
      testInf.child("det")->child("imposto")->child("ICMS")->child("ICMS00")->child("vICMS")->text,
      "78.52");
  EXPECT_EQ(testInf.child("total")->child("vCFe")->text, "654.32");
  EXPECT_EQ(testInf.child("pgto")->child("vTroco")->text, "1345.68");
  EXPECT_EQ(test[8].substr(3 + 31, 6), "000000");

  // Sales: only with the associated software house and signature.
  SaleParties stranger = associatedParties();
  stranger.softwareHouseCnpj = "00000000000191";
  EXPECT_EQ(fields(sale(8, "12345678", stranger))[1], "06004");
  const std::string sold = sale(9, "12345678", associatedParties());
  const std::vector<std::string> saleFields = fields(sold);
  ASSERT_EQ(saleFields.size(), 12u);
  EXPECT_EQ(saleFields[1], "06000");
  EXPECT_EQ(saleFields[2], "0000");
  EXPECT_EQ(saleFields[9], "654.32");
  EXPECT_EQ(saleFields[11].size(), 344u);
  couponOf(saleFields[6], saleFields[8]);
  EXPECT_EQ(saleFields[8].substr(3 + 31, 6), "000001");
  EXPECT_EQ(fields(status(10, "12345678"))[20], saleFields[8].substr(3));

  // Session queries return stored answers verbatim.
  EXPECT_EQ(sat_.call("ConsultarNumeroSessao", 11, text("12345678"), 9), sold);
  EXPECT_EQ(sat_.call("ConsultarNumeroSessao", 12, text("12345678"), 5),
            "000005|12000|Rede Configurada com Sucesso||");
  EXPECT_EQ(sat_.call("ConsultarNumeroSessao", 13, text("12345678"), 424242),
            "000013|11003|Sessão não existe||");
  EXPECT_EQ(sat_.call("ConsultarUltimaSessaoFiscal", 14, text("12345678")), sold);

  // Cancellation of the last sale, once.
  const std::string cancelDocument =
      satemu::testing::cancellationDocument(saleFields[8], associatedParties());
  const std::string cancelled = sat_.call("CancelarUltimaVenda", 15, text("12345678"),
                                          text(saleFields[8]), text(cancelDocument));
  const std::vector<std::string> cancelFields = fields(cancelled);
  ASSERT_EQ(cancelFields.size(), 12u);
  EXPECT_EQ(cancelFields[1], "07000");
  const platform::XmlElement cancelCoupon = couponOf(cancelFields[6], cancelFields[8]);
  EXPECT_EQ(cancelCoupon.name, "CFeCanc");
  EXPECT_EQ(*cancelCoupon.child("infCFe")->attribute("chCanc"), saleFields[8]);
  EXPECT_EQ(sat_.call("ConsultarUltimaSessaoFiscal", 16, text("12345678")), cancelled);
  EXPECT_EQ(fields(sat_.call("CancelarUltimaVenda", 17, text("12345678"), text(saleFields[8]),
                             text(cancelDocument)))[2],
            "1218");
  EXPECT_EQ(sat_.call("CancelarUltimaVenda", 117, text("errado00"), text(saleFields[8]),
                      text(cancelDocument)),
            "000117|07001|1999|Código ativação inválido||");

  // Lock and unlock.
  EXPECT_EQ(sat_.call("BloquearSAT", 18, text("12345678")),
            "000018|16000|Equipamento SAT bloqueado com sucesso||");
  EXPECT_EQ(fields(status(19, "12345678"))[27], "2");
  EXPECT_EQ(fields(sale(20, "12345678", associatedParties()))[1], "06006");
  EXPECT_EQ(fields(sat_.call("BloquearSAT", 21, text("12345678")))[1], "16002");
  EXPECT_EQ(fields(sat_.call("DesbloquearSAT", 22, text("12345678")))[1], "17000");
  EXPECT_EQ(sat_.call("DesbloquearSAT", 122, text("12345678")),
            "000122|17005|SAT ja desbloqueado||");
  EXPECT_EQ(fields(status(23, "12345678"))[27], "0");
  editState("device.lockState", "1");  // the authority locks it
  EXPECT_EQ(sat_.call("DesbloquearSAT", 24, text("12345678")),
            "000024|17003|SAT bloqueado pela SEFAZ||");
  editState("device.lockState", "0");

  // Code change with the current code, then with the emergency code.
  EXPECT_EQ(sat_.call("TrocarCodigoDeAtivacao", 25, text("12345678"), 1, text("novocodigo"),
                      text("novocodigo")),
            "000025|18000|Código de ativação alterado com sucesso||");
  EXPECT_EQ(fields(status(26, "12345678"))[1], "10001");
  EXPECT_EQ(fields(sat_.call("TrocarCodigoDeAtivacao", 27, text("errado00"), 2, text("outro123"),
                             text("outro123")))[1],
            "18002");
  const std::string emergency = state().emergencyCode;
  EXPECT_EQ(fields(sat_.call("TrocarCodigoDeAtivacao", 28, text(emergency), 2, text("outro123"),
                             text("outro123")))[1],
            "18000");
  EXPECT_EQ(fields(status(29, "outro123"))[1], "10000");

  // Logs: one line per event in four parts, a SuperLog block per exchange with the authority.
  editState("knobs.superLog", "several");
  const std::vector<std::string> logs = fields(sat_.call("ExtrairLogs", 30, text("outro123")));
  ASSERT_EQ(logs.size(), 6u);
  EXPECT_EQ(logs[1], "15000");
  std::map<std::string, std::size_t> linesBy;
  std::size_t mirel = 0, plain = 0, ends = 0;
  const std::vector<std::string> lines = satemu::testing::logLines(codec::decodeBase64(logs[5]));
  for (const std::string& line : lines) {
    const auto parsed = satemu::testing::parseLogLine(line);
    ASSERT_TRUE(parsed) << line;
    ++linesBy[parsed->source + "|" + parsed->level];
    mirel += parsed->text == satemu::kSuperLogMirelStart;
    plain += parsed->text == satemu::kSuperLogPlainStart;
    ends += parsed->text == satemu::kSuperLogEnd;
  }
  EXPECT_GE(mirel, 3u);  // activation, association, end-to-end test
  EXPECT_GE(plain, 4u);  // sale, cancellation, lock, unlock
  EXPECT_EQ(ends, mirel + plain);
  for (const char* kind :
       {"SAT|info", "SAT|erro", "SAT|debug", "AC-SAT|info", "AC-SAT|erro", "SAT-SEFAZ|info"})
    EXPECT_GT(linesBy[kind], 0u) << kind;
  EXPECT_EQ(satemu::testing::parseLogLine(lines[lines.size() - 2])->text,
            "Recebida mensagem referente função ExtrairLogs");
  EXPECT_EQ(satemu::testing::parseLogLine(lines.back())->text, "extração de logs solicitada");
}

TEST_F(DeviceLife, ThreeWrongCodesLockCommandsUntilTheStatedTime) {
  activateAndAssociate();
  EXPECT_EQ(status(3, "errado01"), "000003|10001|Código de ativação inválido||");
  EXPECT_EQ(status(4, "errado02"), "000004|10001|Código de ativação inválido||");
  EXPECT_EQ(status(5, "errado03"), "000005|10001|SAT bloqueado, código de ativação incorreto||");
  // The right code does not help while the lock-out lasts.
  EXPECT_EQ(fields(sale(6, "12345678", associatedParties())),
            (std::vector<std::string>{"000006", "06009", "1999",
                                      "SAT bloqueado, código de ativação incorreto", "", ""}));
  const std::string until = state().codeLockedUntil;
  ASSERT_EQ(until.size(), 14u);
  EXPECT_GT(until, satemu::stamp(satemu::currentMoment()));

  editState("device.codeLockedUntil", "20000101000000");
  EXPECT_EQ(fields(status(8, "12345678"))[1], "10000");
}

TEST_F(DeviceLife, OnlyTheLastHundredSessionsAreKept) {
  for (int sessao = 1; sessao <= 105; ++sessao) sat_.call("ConsultarSAT", sessao);
  activateAndAssociate();  // sessions 1 and 2 again
  EXPECT_EQ(fields(sat_.call("ConsultarNumeroSessao", 200, text("12345678"), 6))[1], "11003");
  EXPECT_EQ(sat_.call("ConsultarNumeroSessao", 201, text("12345678"), 8),
            "000008|08000|SAT em operação||");
  EXPECT_EQ(fields(sat_.call("ConsultarNumeroSessao", 202, text("12345678"), 2))[1], "13000");
}

}  // namespace
