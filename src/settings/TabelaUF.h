#pragma once
// The 27 Brazilian federative units in alphabetical order of their
// abbreviations. The parameter record's `uf` stores a position in this table
// and the activation page's state list shows it in this order, so position
// and item index coincide; the IBGE code is what the device is sent.
#include <array>
#include <string_view>

namespace settings {

struct FederativeUnit {
  std::u16string_view abbreviation;
  std::u16string_view ibgeCode;  // two decimal digits
};

inline constexpr std::array<FederativeUnit, 27> TabelaUF{{
    {u"AC", u"12"}, {u"AL", u"27"}, {u"AM", u"13"}, {u"AP", u"16"}, {u"BA", u"29"}, {u"CE", u"23"},
    {u"DF", u"53"}, {u"ES", u"32"}, {u"GO", u"52"}, {u"MA", u"21"}, {u"MG", u"31"}, {u"MS", u"50"},
    {u"MT", u"51"}, {u"PA", u"15"}, {u"PB", u"25"}, {u"PE", u"26"}, {u"PI", u"22"}, {u"PR", u"41"},
    {u"RJ", u"33"}, {u"RN", u"24"}, {u"RO", u"11"}, {u"RR", u"14"}, {u"RS", u"43"}, {u"SC", u"42"},
    {u"SE", u"28"}, {u"SP", u"35"}, {u"TO", u"17"},
}};

}  // namespace settings
