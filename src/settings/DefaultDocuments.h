#pragma once
// The settings files as the program writes them on its first start. The
// device and older installations expect exactly these bytes.
#include <string_view>

namespace settings {

inline constexpr std::string_view kDefaultConfRede =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><config>"
    "<tipoInter>ETHE</tipoInter>"
    "<tipoLan>DHCP</tipoLan>"
    "<proxy>0</proxy></config>\r\n";

inline constexpr std::string_view kDefaultParametros =
    "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"tipoInter\" fieldtype=\"string\" WIDTH=\"4\"/>"
    "<FIELD attrname=\"SSID\" fieldtype=\"string\" WIDTH=\"32\"/>"
    "<FIELD attrname=\"seg\" fieldtype=\"string\" WIDTH=\"8\"/>"
    "<FIELD attrname=\"codigo\" fieldtype=\"string\" WIDTH=\"64\"/>"
    "<FIELD attrname=\"tipoLan\" fieldtype=\"string\" WIDTH=\"8\"/>"
    "<FIELD attrname=\"lanIP\" fieldtype=\"string\" WIDTH=\"15\"/>"
    "<FIELD attrname=\"lanMask\" fieldtype=\"string\" WIDTH=\"15\"/>"
    "<FIELD attrname=\"lanGW\" fieldtype=\"string\" WIDTH=\"15\"/>"
    "<FIELD attrname=\"lanDNS1\" fieldtype=\"string\" WIDTH=\"15\"/>"
    "<FIELD attrname=\"lanDNS2\" fieldtype=\"string\" WIDTH=\"15\"/>"
    "<FIELD attrname=\"usuario\" fieldtype=\"string\" WIDTH=\"64\"/>"
    "<FIELD attrname=\"senha\" fieldtype=\"string\" WIDTH=\"64\"/>"
    "<FIELD attrname=\"proxy\" fieldtype=\"string\" WIDTH=\"1\"/>"
    "<FIELD attrname=\"proxy_ip\" fieldtype=\"string\" WIDTH=\"15\"/>"
    "<FIELD attrname=\"proxy_porta\" fieldtype=\"string\" WIDTH=\"5\"/>"
    "<FIELD attrname=\"proxy_user\" fieldtype=\"string\" WIDTH=\"64\"/>"
    "<FIELD attrname=\"proxy_senha\" fieldtype=\"string\" WIDTH=\"64\"/>"
    "<FIELD attrname=\"CNPJContribuinte\" fieldtype=\"string\" WIDTH=\"14\"/>"
    "<FIELD attrname=\"uf\" fieldtype=\"string\" WIDTH=\"2\"/>"
    "<FIELD attrname=\"TipoCert\" fieldtype=\"i4\"/>"
    "<FIELD attrname=\"CSR\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\" WIDTH=\"1024\"/>"
    "<FIELD attrname=\"Assinatura\" fieldtype=\"string.uni\" WIDTH=\"688\"/>"
    "<FIELD attrname=\"CNPJSH\" fieldtype=\"string\" WIDTH=\"14\"/>"
    "</FIELDS><PARAMS CHANGE_LOG=\"1 0 4\"/></METADATA><ROWDATA>"
    "<ROW RowState=\"4\" tipoInter=\"ETHE\" SSID=\"\" codigo=\"\" tipoLan=\"DHCP\" "
    "lanIP=\"\" lanMask=\"\" lanGW=\"\" lanDNS1=\"\" lanDNS2=\"\" usuario=\"\" senha=\"\" "
    "proxy=\"0\" proxy_ip=\"\" proxy_porta=\"\" proxy_user=\"\" proxy_senha=\"\" uf=\"35\"/>"
    "</ROWDATA></DATAPACKET>\r\n";

}  // namespace settings
