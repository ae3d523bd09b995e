#pragma once
// The pieces the health sentences are made of.
#include <cstdint>
#include <string>
#include <string_view>

namespace health {

// "1 dia", "3 dias": the count and the word in the number it takes.
std::u16string counted(std::int64_t count, std::u16string_view singular,
                       std::u16string_view plural);

// A length of time in its two largest units: "45 segundos", "7 minutos e
// 12 segundos", "3 horas", "2 dias e 1 hora". Negative lengths as positive.
std::u16string duration(std::int64_t seconds);

// A value as the device sent it, between quotes: decoded from UTF-8,
// control characters shown as U+FFFD and cut after 40 characters, since it
// may be anything.
std::u16string quoted(std::string_view value);

}  // namespace health
