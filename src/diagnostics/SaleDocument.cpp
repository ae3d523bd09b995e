#include "diagnostics/SaleDocument.h"

#include "platform/Text.h"

namespace diagnostics {

namespace {

constexpr char kHead[] =
    R"(<?xml version="1.0" encoding="UTF-8"?><CFe><infCFe versaoDadosEnt="0.08"><ide>)";

constexpr char kItemTotalsAndPayment[] =
    R"(<det nItem="1"><prod><cProd>001</cProd><xProd>MiniPc Mirel</xProd><CFOP>5001</CFOP>)"
    R"(<uCom>UN</uCom><qCom>1.0000</qCom><vUnCom>654.320</vUnCom><indRegra>A</indRegra></prod>)"
    R"(<imposto><vItem12741>1.00</vItem12741><ICMS><ICMS00><Orig>0</Orig><CST>00</CST>)"
    R"(<pICMS>12.00</pICMS></ICMS00></ICMS><PIS><PISAliq><CST>01</CST><vBC>654.32</vBC>)"
    R"(<pPIS>0.0600</pPIS></PISAliq></PIS><COFINS><COFINSAliq><CST>01</CST><vBC>654.32</vBC>)"
    R"(<pCOFINS>0.0400</pCOFINS></COFINSAliq></COFINS></imposto></det><total>)"
    R"(<vCFeLei12741>1.00</vCFeLei12741></total><pgto><MP><cMP>01</cMP><vMP>2000.00</vMP>)"
    R"(</MP></pgto></infCFe></CFe>)";

std::string escaped(std::u16string_view value) {
  std::string out;
  for (const char c : platform::toAnsi(value)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string element(const char* name, const std::string& value) {
  return std::string("<") + name + ">" + value + "</" + name + ">";
}

}  // namespace

std::string saleDocument(TestVariant variant, const SaleValues& values) {
  const bool production = variant == TestVariant::Production;
  std::string document = kHead;
  document +=
      element("CNPJ", production ? escaped(values.softwareHouseCnpj) : std::string(14, '0'));
  document += element("signAC", production ? escaped(values.signature) : std::string(344, '0'));
  document += "<numeroCaixa>099</numeroCaixa></ide><emit>";
  document += element("CNPJ", escaped(values.taxpayerCnpj));
  document += element("IE", production ? escaped(values.taxpayerIe) : std::string(12, '0'));
  document += "<cRegTribISSQN>1</cRegTribISSQN><indRatISSQN>N</indRatISSQN></emit>";
  document += production ? "<dest><CNPJ>47230518000185</CNPJ></dest>" : "<dest/>";
  document += kItemTotalsAndPayment;
  return document;
}

}  // namespace diagnostics
