#include "settings/NetworkDocument.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/Xml.h"

namespace settings {

void geraxml(const ParameterDataset& cds, const platform::Path& folder) {
  platform::XmlElement config{.name = "config"};
  const auto add = [&](std::string_view field) {
    config.children.push_back(
        {.name = std::string(field), .text = platform::toUtf8(cds.readText(field))});
  };
  add("tipoInter");
  if (cds.readText("tipoInter") == u"WIFI") {
    add("SSID");
    add("seg");
    if (cds.readText("seg") != u"NONE") add("codigo");
  }
  add("tipoLan");
  const std::u16string tipoLan = cds.readText("tipoLan");
  if (tipoLan == u"IPFIX") {
    for (const char* field : {"lanIP", "lanMask", "lanGW", "lanDNS1", "lanDNS2"}) add(field);
  } else if (tipoLan == u"PPPoE") {
    add("usuario");
    add("senha");
  }
  add("proxy");
  if (cds.readNumber("proxy") == 1) {
    for (const char* field : {"proxy_ip", "proxy_porta", "proxy_user", "proxy_senha"}) add(field);
  }
  // The line break after the root keeps the file byte for byte what the first
  // start writes for the default record.
  platform::writeFileAtomically(folder / u"ConfRede.xml",
                                platform::writeXml(config, platform::XmlLayout::Compact) + "\r\n");
}

}  // namespace settings
