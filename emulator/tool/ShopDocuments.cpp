#include "ShopDocuments.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace satemu {
namespace {

constexpr const char* kBuyerCpf = "12345678909";

struct ShopItem {
  const char* code;
  const char* name;
  const char* ncm;
  const char* unit;
  const char* quantity;
  const char* unitPrice;
  const char* value;  // quantity times unit price, the base of PIS and COFINS
  const char* taxEstimate;
  const char* icms;
};

constexpr std::array<ShopItem, 3> kItems{{
    {"1001", "Pão francês", "19059090", "KG", "0.4000", "15.90", "6.36", "0.89",
     "<ICMS00><Orig>0</Orig><CST>00</CST><pICMS>7.00</pICMS></ICMS00>"},
    {"2040", "Café torrado e moído 500 g", "09012100", "UN", "1.0000", "18.90", "18.90", "3.50",
     "<ICMS00><Orig>0</Orig><CST>00</CST><pICMS>18.00</pICMS></ICMS00>"},
    {"3105", "Açúcar cristal 1 kg", "17019900", "UN", "2.0000", "4.79", "9.58", "1.20",
     "<ICMS40><Orig>0</Orig><CST>40</CST></ICMS40>"},
}};

// Joined piece by piece: GCC 12 misreports "literal" + std::string (-Wrestrict).
std::string joined(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) text += piece;
  return text;
}

std::string applicationIde(const DeviceState& state) {
  return joined({"<ide><CNPJ>", state.softwareHouseCnpj, "</CNPJ><signAC>", state.signAC,
                 "</signAC><numeroCaixa>001</numeroCaixa></ide>"});
}

std::string itemElement(std::size_t index, const ShopItem& item) {
  return joined({"<det nItem=\"",
                 std::to_string(index + 1),
                 "\"><prod><cProd>",
                 item.code,
                 "</cProd><xProd>",
                 item.name,
                 "</xProd><NCM>",
                 item.ncm,
                 "</NCM><CFOP>5102</CFOP><uCom>",
                 item.unit,
                 "</uCom><qCom>",
                 item.quantity,
                 "</qCom><vUnCom>",
                 item.unitPrice,
                 "</vUnCom><indRegra>A</indRegra></prod><imposto><vItem12741>",
                 item.taxEstimate,
                 "</vItem12741><ICMS>",
                 item.icms,
                 "</ICMS><PIS><PISAliq><CST>01</CST><vBC>",
                 item.value,
                 "</vBC><pPIS>0.0165</pPIS></PISAliq></PIS><COFINS><COFINSAliq>",
                 "<CST>01</CST><vBC>",
                 item.value,
                 "</vBC><pCOFINS>0.0760</pCOFINS></COFINSAliq></COFINS></imposto></det>"});
}

}  // namespace

std::string shopSale(const DeviceState& state) {
  std::string items;
  for (std::size_t i = 0; i < kItems.size(); ++i) items += itemElement(i, kItems[i]);
  // 34.84 in items, 0.84 off the subtotal, paid with 50.00 in cash.
  return joined({"<?xml version=\"1.0\" encoding=\"UTF-8\"?><CFe><infCFe versaoDadosEnt=\"0.08\">",
                 applicationIde(state), "<emit><CNPJ>", state.cnpj,
                 "</CNPJ><IE>111111111111</IE><IM>12345678</IM><cRegTribISSQN>3</cRegTribISSQN>"
                 "<indRatISSQN>N</indRatISSQN></emit><dest><CPF>",
                 kBuyerCpf, "</CPF><xNome>José da Conceição</xNome></dest>", items,
                 "<total><DescAcrEntr><vDescSubtot>0.84</vDescSubtot></DescAcrEntr>"
                 "<vCFeLei12741>5.59</vCFeLei12741></total><pgto><MP><cMP>01</cMP><vMP>50.00</vMP>"
                 "</MP></pgto><infAdic><infCpl>Obrigado pela preferência! Trocas em até 7 dias "
                 "com este cupom.</infCpl></infAdic></infCFe></CFe>"});
}

std::string shopCancellation(const DeviceState& state, const std::string& chave) {
  return joined({"<?xml version=\"1.0\" encoding=\"UTF-8\"?><CFeCanc><infCFe chCanc=\"", chave,
                 "\">", applicationIde(state), "<emit/><dest><CPF>", kBuyerCpf,
                 "</CPF></dest><total/><infAdic/></infCFe></CFeCanc>"});
}

}  // namespace satemu
