#pragma once
// Sale documents as applications send them to the device.
#include <string>

namespace satemu::testing {

struct SaleParties {
  std::string softwareHouseCnpj = "00000000000000";
  std::string signAC = std::string(344, '0');
  std::string taxpayerCnpj;
  std::string destination = "<dest/>";
};

// The one-item document of the program's end-to-end test (654.32 paid with 2000.00).
std::string oneItemSale(const SaleParties& parties);

// The cancellation document for the last sale.
std::string cancellationDocument(const std::string& chave, const SaleParties& parties);

}  // namespace satemu::testing
