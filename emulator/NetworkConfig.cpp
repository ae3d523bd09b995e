#include "NetworkConfig.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "platform/Xml.h"

namespace satemu {
namespace {

std::string childText(const platform::XmlElement& root, std::string_view name) {
  const platform::XmlElement* child = root.child(name);
  return child ? child->text : std::string();
}

bool lengthWithin(const std::string& text, std::size_t low, std::size_t high) {
  return text.size() >= low && text.size() <= high;
}

std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

bool isPort(const std::string& text) {
  int port = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  return error == std::errc() && end == text.data() + text.size() && port >= 0 && port <= 65535;
}

bool isAddress(const std::string& text) {
  return !paddedAddress(text).empty();
}

bool optionalAddress(const std::string& text) {
  return text.empty() || isAddress(text);
}

bool validLan(NetworkSettings& s) {
  const std::string lan = upper(s.tipoLan);
  if (lan == "DHCP") {
    s.tipoLan = "DHCP";
    return true;
  }
  if (lan == "IPFIX") {
    s.tipoLan = "IPFIX";
    return isAddress(s.lanIP) && isAddress(s.lanMask) && isAddress(s.lanGW) &&
           optionalAddress(s.lanDNS1) && optionalAddress(s.lanDNS2);
  }
  if (lan == "PPPOE") {
    s.tipoLan = "PPPoE";
    return lengthWithin(s.usuario, 1, 64) && lengthWithin(s.senha, 1, 64);
  }
  return false;
}

bool validInterface(const NetworkSettings& s) {
  if (s.tipoInter == "ETHE") return true;
  return s.tipoInter == "WIFI" && lengthWithin(s.ssid, 1, 32) && s.seg.size() <= 25 &&
         s.codigo.size() <= 64;
}

bool validProxy(const NetworkSettings& s) {
  if (s.proxy == 0 || s.proxy == 2) return true;
  return s.proxy == 1 && isAddress(s.proxyIp) && isPort(s.proxyPorta) && s.proxyUser.size() <= 64 &&
         s.proxySenha.size() <= 64;
}

}  // namespace

std::string paddedAddress(std::string_view address) {
  int parts[4];
  const char* cursor = address.data();
  const char* end = address.data() + address.size();
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (cursor == end || *cursor != '.') return {};
      ++cursor;
    }
    const char* start = cursor;
    const auto [next, error] = std::from_chars(cursor, end, parts[i]);
    if (error != std::errc() || next - start > 3 || parts[i] < 0 || parts[i] > 255) return {};
    cursor = next;
  }
  if (cursor != end) return {};
  char text[20];
  std::snprintf(text, sizeof text, "%03d.%03d.%03d.%03d", parts[0], parts[1], parts[2], parts[3]);
  return text;
}

std::optional<NetworkSettings> parseNetworkConfig(std::string_view document) {
  platform::XmlElement root;
  try {
    root = platform::parseXml(document);
  } catch (const platform::XmlError&) {
    return std::nullopt;
  }
  if (root.name != "config") return std::nullopt;
  NetworkSettings s;
  s.tipoInter = upper(childText(root, "tipoInter"));
  s.ssid = childText(root, "SSID");
  s.seg = childText(root, "seg");
  s.codigo = childText(root, "codigo");
  s.tipoLan = childText(root, "tipoLan");
  s.lanIP = childText(root, "lanIP");
  s.lanMask = childText(root, "lanMask");
  s.lanGW = childText(root, "lanGW");
  s.lanDNS1 = childText(root, "lanDNS1");
  s.lanDNS2 = childText(root, "lanDNS2");
  s.usuario = childText(root, "usuario");
  s.senha = childText(root, "senha");
  const std::string proxy = childText(root, "proxy");
  if (proxy.empty()) {
    s.proxy = 0;
  } else if (proxy.size() == 1 && proxy[0] >= '0' && proxy[0] <= '2') {
    s.proxy = proxy[0] - '0';
  } else {
    return std::nullopt;
  }
  s.proxyIp = childText(root, "proxy_ip");
  s.proxyPorta = childText(root, "proxy_porta");
  s.proxyUser = childText(root, "proxy_user");
  s.proxySenha = childText(root, "proxy_senha");
  if (!validInterface(s) || !validLan(s) || !validProxy(s)) return std::nullopt;
  return s;
}

}  // namespace satemu
