#include "ui/FailureTexts.h"

#include "platform/Files.h"

namespace ui {

const std::array<FailureText, 6> kFailureTexts = {{
    {FailureKind::DeviceCall,
     {},
     u"Verifique se o SAT está ligado e com o cabo conectado, feche outros programas que usam o "
     u"SAT e tente de novo."},
    {FailureKind::DeviceAnswer, u"O SAT não respondeu, ou a resposta veio incompleta.",
     u"Verifique se o SAT está ligado e com o cabo conectado e tente de novo."},
    {FailureKind::DeviceLibrary,
     u"O SAT.DLL desta pasta não tem uma função de que o programa precisa.",
     u"Peça ao fabricante do SAT o SAT.DLL atual e copie-o, com os arquivos que o acompanham, "
     u"para a pasta do programa."},
    {FailureKind::File, u"Não foi possível ler ou gravar um arquivo.",
     u"Feche os programas que possam estar usando o arquivo, verifique se a pasta permite "
     u"gravar e tente de novo."},
    {FailureKind::Settings, u"Um valor guardado nas configurações não pôde ser lido.",
     u"Digite o valor de novo na página e grave; o arquivo Parametros.xml fica na pasta do "
     u"programa."},
    {FailureKind::Unexpected, u"Ocorreu uma falha inesperada no programa.",
     u"Use \"Relatório para suporte...\" no menu da janela (clique com o botão direito na "
     u"barra de título) e envie o arquivo a quem dá suporte ao seu SAT."},
}};

FailureKind failureKindOf(const std::exception& failure) {
  if (const auto* marked = dynamic_cast<const FailureClass*>(&failure))
    return marked->failureKind();
  if (dynamic_cast<const platform::FileError*>(&failure)) return FailureKind::File;
  return FailureKind::Unexpected;
}

std::u16string failureMessage(FailureKind kind, std::u16string_view detail) {
  const FailureText* text = &kFailureTexts.back();
  for (const FailureText& candidate : kFailureTexts)
    if (candidate.kind == kind) text = &candidate;
  std::u16string message(text->happened.empty() ? detail : text->happened);
  message += u"\r\n";
  message += text->nextStep;
  if (!text->happened.empty() && !detail.empty()) {
    message += u"\r\nDetalhe: ";
    message += detail;
  }
  return message;
}

}  // namespace ui
