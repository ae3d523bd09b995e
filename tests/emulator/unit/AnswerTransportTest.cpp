#include <gtest/gtest.h>

#include "AnswerTransport.h"

namespace {

using satemu::Command;
using satemu::Function;
using satemu::Knobs;

Command call(Function function, int sessao) {
  Command c;
  c.function = function;
  c.sessao = sessao;
  return c;
}

bool isValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80             ? 1
                               : (lead & 0xE0) == 0xC0 ? 2
                               : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0 ? 4
                                                       : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

TEST(AnswerTransport, ForcedCodeUsesTheCalledFamilyOrTheCodeAsGiven) {
  Knobs knobs;
  knobs.forcedCode = "098";
  knobs.forcedCalls = 2;
  EXPECT_EQ(satemu::takeForcedAnswer(call(Function::ConsultarSAT, 42), knobs),
            "000042|08098|SAT em processamento. Tente novamente.||");
  // Sales carry CCCC even when forced.
  EXPECT_EQ(satemu::takeForcedAnswer(call(Function::EnviarDadosVenda, 43), knobs),
            "000043|06098|1999|SAT em processamento. Tente novamente.||");
  EXPECT_EQ(satemu::takeForcedAnswer(call(Function::ConsultarSAT, 44), knobs), std::nullopt);
  EXPECT_TRUE(knobs.forcedCode.empty());

  knobs.forcedCode = "04002";
  knobs.forcedCalls = -1;
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(satemu::takeForcedAnswer(call(Function::AtivarSAT, 7), knobs),
              "000007|04002|SEFAZ não reconhece este SAT (CNPJ inválido)||");
  EXPECT_EQ(knobs.forcedCalls, -1);
}

TEST(AnswerTransport, ForcedVerbatimAnswerFillsInTheSession) {
  Knobs knobs;
  knobs.forcedAnswer = "{sessao}|08000|0000|SAT em operação||";
  knobs.forcedCalls = 1;
  EXPECT_EQ(satemu::takeForcedAnswer(call(Function::ConsultarSAT, 5877), knobs),
            "005877|08000|0000|SAT em operação||");
  EXPECT_EQ(satemu::takeForcedAnswer(call(Function::ConsultarSAT, 5878), knobs), std::nullopt);
}

TEST(AnswerTransport, DistortionsOfTheAnswer) {
  const Command consultar = call(Function::ConsultarSAT, 12);
  const std::string answer = "000012|08000|SAT em operação||";
  Knobs knobs;
  EXPECT_EQ(satemu::deliver(consultar, answer, knobs), answer);

  knobs.encoding = satemu::AnswerEncoding::Windows1252;
  EXPECT_EQ(satemu::deliver(consultar, answer, knobs), "000012|08000|SAT em opera\xe7\xe3o||");

  knobs.encoding = satemu::AnswerEncoding::InvalidUtf8;
  const std::string broken = *satemu::deliver(consultar, answer, knobs);
  EXPECT_FALSE(isValidUtf8(broken));
  const std::string plain =
      *satemu::deliver(consultar, "000012|10000|Resposta com Sucesso|||x", knobs);
  EXPECT_FALSE(isValidUtf8(plain));
  EXPECT_EQ(plain, "000012|10000|Resposta com Sucesso\xff|||x");

  knobs.encoding = satemu::AnswerEncoding::Utf8;
  knobs.wrongSessionEcho = true;
  EXPECT_EQ(satemu::deliver(consultar, answer, knobs), "000013|08000|SAT em operação||");

  knobs.form = satemu::AnswerForm::Empty;
  EXPECT_EQ(satemu::deliver(consultar, answer, knobs), "");
  knobs.form = satemu::AnswerForm::Null;
  EXPECT_EQ(satemu::deliver(consultar, answer, knobs), std::nullopt);
}

// A fault the library handles itself leaves its answer as the other knobs
// make it.
TEST(AnswerTransport, AHandledFaultKeepsTheAnswer) {
  const Command consultar = call(Function::ConsultarSAT, 12);
  const std::string answer = "000012|08000|SAT em operação||";
  Knobs knobs;
  knobs.form = satemu::AnswerForm::HandledFault;
  EXPECT_EQ(satemu::deliver(consultar, answer, knobs), answer);
  knobs.encoding = satemu::AnswerEncoding::Windows1252;
  EXPECT_EQ(satemu::deliver(consultar, answer, knobs), "000012|08000|SAT em opera\xe7\xe3o||");
}

TEST(AnswerTransport, Windows1252CoversItsExtrasAndMarksTheRest) {
  EXPECT_EQ(satemu::toWindows1252("\xe2\x82\xac \xc3\x87 \xe2\x80\x9c \xe4\xb8\xad"),
            "\x80 \xc7 \x93 ?");
}

}  // namespace
