#pragma once
// The 23 fields of the parameter record, in the order Parametros.xml defines
// them, and what a field keeps of a value stored into it.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

struct ParameterField {
  std::string_view name;
  std::string_view packetType;  // "string" (8-bit text), "i4", "bin.hex" or "string.uni"
  std::string_view subtype;     // empty but for the CSR memo
  int width;                    // as the packet gives it; 0: the packet gives none
};

inline constexpr std::size_t kParameterFieldCount = 23;

inline constexpr std::array<ParameterField, kParameterFieldCount> kParameterFields{{
    {"tipoInter", "string", "", 4},    {"SSID", "string", "", 32},
    {"seg", "string", "", 8},          {"codigo", "string", "", 64},
    {"tipoLan", "string", "", 8},      {"lanIP", "string", "", 15},
    {"lanMask", "string", "", 15},     {"lanGW", "string", "", 15},
    {"lanDNS1", "string", "", 15},     {"lanDNS2", "string", "", 15},
    {"usuario", "string", "", 64},     {"senha", "string", "", 64},
    {"proxy", "string", "", 1},        {"proxy_ip", "string", "", 15},
    {"proxy_porta", "string", "", 5},  {"proxy_user", "string", "", 64},
    {"proxy_senha", "string", "", 64}, {"CNPJContribuinte", "string", "", 14},
    {"uf", "string", "", 2},           {"TipoCert", "i4", "", 0},
    {"CSR", "bin.hex", "Text", 1024},  {"Assinatura", "string.uni", "", 688},
    {"CNPJSH", "string", "", 14},
}};

// One value per field in table order; nullopt is a field without a value.
using ParameterRecord = std::array<std::optional<std::u16string>, kParameterFieldCount>;

// The field's position; names match without regard to case, since the packet
// defines `uf` and the pages address it as `UF`. nullopt for an unknown name.
std::optional<std::size_t> findParameterField(std::string_view name);

// What the field keeps of `value`: 8-bit text fields hold it in the system's
// code page, cut to their width; `Assinatura` holds at most 344 UTF-16 units
// (its width counts bytes); `TipoCert` and `CSR` keep it unchanged.
std::u16string storedValue(const ParameterField& field, std::u16string_view value);

}  // namespace settings
