#pragma once
// The fields of a successful operational status answer ("10000") by name.
// Devices write them in two ways that matter here: the full answer of 28
// fields, and one of 27 without LISTA_FINAL (the authority's own emulator
// leaves it out), where every later field sits one place to the left.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace health {

// The position of each field in the full answer.
enum class StatusField : std::size_t {
  NSERIE = 5,
  STATUS_LAN = 13,
  NIVEL_BATERIA = 14,
  MT_TOTAL = 15,
  MT_USADA = 16,
  DH_ATUAL = 17,
  LISTA_INICIAL = 21,
  LISTA_FINAL = 22,
  DH_CFE = 23,
  DH_ULTIMA = 24,
  CERT_EMISSAO = 25,
  CERT_VENCIMENTO = 26,
  ESTADO_OPERACAO = 27,
};

class StatusFields {
 public:
  // Splits the answer at "|"; the answer is the device's, in any shape.
  explicit StatusFields(std::string_view answer);

  // The field without the blanks and control characters some devices put
  // around it ("static\n"); nothing when the answer does not have it.
  std::optional<std::string_view> operator[](StatusField field) const;

 private:
  std::vector<std::string_view> fields_;
  bool withoutListaFinal_ = false;
};

// The text without bytes 0 to 32 at either end.
std::string_view trimmedField(std::string_view text);

}  // namespace health
