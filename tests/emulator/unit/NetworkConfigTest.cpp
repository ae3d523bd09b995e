#include <gtest/gtest.h>

#include "NetworkConfig.h"

namespace {

std::string config(const std::string& children) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><config>" + children + "</config>";
}

const std::string kEthernetDhcp = "<tipoInter>ETHE</tipoInter><tipoLan>DHCP</tipoLan>";
const std::string kFixed =
    "<tipoInter>ETHE</tipoInter><tipoLan>IPFIX</tipoLan><lanIP>192.168.0.10</lanIP>"
    "<lanMask>255.255.255.0</lanMask><lanGW>192.168.0.1</lanGW><lanDNS1>8.8.8.8</lanDNS1>"
    "<lanDNS2></lanDNS2>";

TEST(NetworkConfig, AcceptsTheDocumentsApplicationsSend) {
  const std::string accepted[] = {
      config(kEthernetDhcp + "<proxy>0</proxy>"),
      config(kEthernetDhcp),  // proxy left out means none
      config(kFixed + "<proxy>0</proxy>"),
      config(kEthernetDhcp +
             "<proxy>1</proxy><proxy_ip>10.0.0.5</proxy_ip><proxy_porta>3128"
             "</proxy_porta><proxy_user>u</proxy_user><proxy_senha>s</proxy_senha>"),
      config(kEthernetDhcp + "<proxy>2</proxy>"),
      config("<tipoInter>WIFI</tipoInter><SSID>loja</SSID><seg>WPA-PERSONAL</seg><codigo>x</codigo>"
             "<tipoLan>dhcp</tipoLan><proxy>0</proxy>"),
      config("<tipoInter>ETHE</tipoInter><tipoLan>PPPoE</tipoLan><usuario>u</usuario>"
             "<senha>p</senha><proxy>0</proxy>"),
  };
  for (const std::string& document : accepted)
    EXPECT_TRUE(satemu::parseNetworkConfig(document).has_value()) << document;
}

TEST(NetworkConfig, RefusesDataOutOfThePattern) {
  const std::string refused[] = {
      "",
      "<config><tipoInter>ETHE</tipoInter>",
      "<rede>" + kEthernetDhcp + "</rede>",
      config("<tipoLan>DHCP</tipoLan><proxy>0</proxy>"),
      config("<tipoInter>ETHX</tipoInter><tipoLan>DHCP</tipoLan>"),
      config("<tipoInter>ETHE</tipoInter><tipoLan>STATIC</tipoLan>"),
      config("<tipoInter>WIFI</tipoInter><tipoLan>DHCP</tipoLan>"),
      config("<tipoInter>ETHE</tipoInter><tipoLan>IPFIX</tipoLan><lanIP>192.168.0.300</lanIP>"
             "<lanMask>255.255.255.0</lanMask><lanGW>192.168.0.1</lanGW>"),
      config("<tipoInter>ETHE</tipoInter><tipoLan>IPFIX</tipoLan><lanIP>192.168.0.3</lanIP>"),
      config("<tipoInter>ETHE</tipoInter><tipoLan>PPPoE</tipoLan><usuario>u</usuario>"),
      config(kEthernetDhcp + "<proxy>3</proxy>"),
      config(kEthernetDhcp + "<proxy>1</proxy><proxy_ip>10.0.0.5</proxy_ip><proxy_porta>70000"
                             "</proxy_porta>"),
      config(kEthernetDhcp + "<proxy>1</proxy>"),
  };
  for (const std::string& document : refused)
    EXPECT_FALSE(satemu::parseNetworkConfig(document).has_value()) << document;
}

TEST(NetworkConfig, AddressesArePaddedForTheStatus) {
  EXPECT_EQ(satemu::paddedAddress("10.0.0.108"), "010.000.000.108");
  EXPECT_EQ(satemu::paddedAddress("192.168.001.001"), "192.168.001.001");
  EXPECT_EQ(satemu::paddedAddress("1.2.3"), "");
  EXPECT_EQ(satemu::paddedAddress("1.2.3.4.5"), "");
  EXPECT_EQ(satemu::paddedAddress("1.2.3.0004"), "");
  EXPECT_EQ(satemu::paddedAddress(" 1.2.3.4"), "");
}

}  // namespace
