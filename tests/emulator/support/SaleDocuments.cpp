#include "support/SaleDocuments.h"

namespace satemu::testing {

std::string oneItemSale(const SaleParties& parties) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><CFe><infCFe "
         "versaoDadosEnt=\"0.08\"><ide><CNPJ>" +
         parties.softwareHouseCnpj + "</CNPJ><signAC>" + parties.signAC +
         "</signAC><numeroCaixa>099</numeroCaixa></ide><emit><CNPJ>" + parties.taxpayerCnpj +
         "</CNPJ><IE>000000000000</IE><cRegTribISSQN>1</cRegTribISSQN><indRatISSQN>N</"
         "indRatISSQN></emit>" +
         parties.destination +
         "<det nItem=\"1\"><prod><cProd>001</cProd><xProd>MiniPc Mirel</xProd><CFOP>5001</CFOP>"
         "<uCom>UN</uCom><qCom>1.0000</qCom><vUnCom>654.320</vUnCom><indRegra>A</indRegra></prod>"
         "<imposto><vItem12741>1.00</vItem12741><ICMS><ICMS00><Orig>0</Orig><CST>00</CST>"
         "<pICMS>12.00</pICMS></ICMS00></ICMS><PIS><PISAliq><CST>01</CST><vBC>654.32</vBC>"
         "<pPIS>0.0600</pPIS></PISAliq></PIS><COFINS><COFINSAliq><CST>01</CST><vBC>654.32</vBC>"
         "<pCOFINS>0.0400</pCOFINS></COFINSAliq></COFINS></imposto></det><total><vCFeLei12741>"
         "1.00</vCFeLei12741></total><pgto><MP><cMP>01</cMP><vMP>2000.00</vMP></MP></pgto>"
         "</infCFe></CFe>";
}

std::string cancellationDocument(const std::string& chave, const SaleParties& parties) {
  return "<CFeCanc><infCFe chCanc=\"" + chave + "\"><ide><CNPJ>" + parties.softwareHouseCnpj +
         "</CNPJ><signAC>" + parties.signAC +
         "</signAC><numeroCaixa>099</numeroCaixa></ide><emit/><dest/><total/><infAdic/>"
         "</infCFe></CFeCanc>";
}

}  // namespace satemu::testing
