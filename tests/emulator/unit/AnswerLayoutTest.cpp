// The two answer layouts: current devices put CCCC in every sale,
// cancellation and association answer; older ones only in issued coupons.
#include <gtest/gtest.h>

#include "Answer.h"
#include "AnswerTransport.h"

namespace {

using satemu::AnswerLayout;
using satemu::Command;
using satemu::Function;

Command call(Function function, int sessao) {
  Command c;
  c.function = function;
  c.sessao = sessao;
  return c;
}

TEST(AnswerLayout, ValidationCodeFieldByFunctionOutcomeAndLayout) {
  const struct {
    Function function;
    int detail;
    std::string validationCode;
    AnswerLayout layout;
    std::string expected;
  } cases[] = {
      {Function::AssociarAssinatura, 0, "", AnswerLayout::Current,
       "000007|13000|0000|Assinatura do AC Registrada||"},
      {Function::AssociarAssinatura, 0, "", AnswerLayout::Legacy,
       "000007|13000|Assinatura do AC Registrada||"},
      {Function::AssociarAssinatura, 3, "", AnswerLayout::Current,
       "000007|13003|1999|Assinatura fora do padrão informado||"},
      {Function::AssociarAssinatura, 3, "", AnswerLayout::Legacy,
       "000007|13003|Assinatura fora do padrão informado||"},
      {Function::EnviarDadosVenda, 10, "1224", AnswerLayout::Current,
       "000007|06010|1224|Erro de validação do conteúdo||"},
      {Function::EnviarDadosVenda, 10, "1224", AnswerLayout::Legacy,
       "000007|06010|Erro de validação do conteúdo||"},
      {Function::CancelarUltimaVenda, 2, "1270", AnswerLayout::Legacy,
       "000007|07002|Cupom inválido||"},
      // An issued coupon keeps CCCC on every device.
      {Function::EnviarDadosVenda, 0, "", AnswerLayout::Legacy,
       "000007|06000|0000|Emitido com sucesso + conteúdo notas||"},
      {Function::CancelarUltimaVenda, 0, "", AnswerLayout::Legacy,
       "000007|07000|0000|Cupom cancelado com sucesso + conteúdo CF-e-SAT cancelado||"},
      // Functions without CCCC are the same in both layouts.
      {Function::ConsultarSAT, 0, "", AnswerLayout::Legacy, "000007|08000|SAT em operação||"},
      {Function::AtivarSAT, 2, "", AnswerLayout::Current,
       "000007|04002|SEFAZ não reconhece este SAT (CNPJ inválido)||"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(satemu::plainAnswer(c.function, 7, c.detail, c.layout, {}, {}, c.validationCode),
              c.expected);
  }
}

TEST(AnswerLayout, ForcedCodesAndBrokenMessagesFollowTheLayout) {
  satemu::Knobs knobs;
  knobs.layout = AnswerLayout::Legacy;
  knobs.forcedCode = "098";
  knobs.forcedCalls = 2;
  EXPECT_EQ(satemu::takeForcedAnswer(call(Function::AssociarAssinatura, 8), knobs),
            "000008|13098|SAT em processamento. Tente novamente.||");
  EXPECT_EQ(satemu::takeForcedAnswer(call(Function::EnviarDadosVenda, 9), knobs),
            "000009|06098|SAT em processamento. Tente novamente.||");

  // The stray byte lands at the end of the message, wherever the layout puts it.
  knobs.encoding = satemu::AnswerEncoding::InvalidUtf8;
  const Command associar = call(Function::AssociarAssinatura, 10);
  EXPECT_EQ(satemu::deliver(associar, "000010|13000|Assinatura do AC Registrada||", knobs),
            "000010|13000|Assinatura do AC Registrada\xff||");
  knobs.layout = AnswerLayout::Current;
  EXPECT_EQ(satemu::deliver(associar, "000010|13000|0000|Assinatura do AC Registrada||", knobs),
            "000010|13000|0000|Assinatura do AC Registrada\xff||");
}

}  // namespace
