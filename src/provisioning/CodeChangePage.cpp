#include "provisioning/CodeChangePage.h"

#include "page/PageLayout.h"
#include "platform/Text.h"

namespace provisioning {

namespace {
constexpr int kByCurrentCode = 1;
constexpr int kByEmergencyCode = 2;
}  // namespace

CodeChangePage::CodeChangePage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabCodAtiva", "PanelCodAtiva", u"CÓDIGO DE ATIVAÇÃO"),
      CheckMudaCodigo("CheckMudaCodigo", &frame.sheet),
      LabelCodigo("LabelCodigo", &frame.sheet),
      EdtCodigo("EdtCodigo", &frame.sheet),
      Checkemergencia("Checkemergencia", &frame.sheet),
      LabelNovoCodigo("LabelNovoCodigo", &frame.sheet),
      EdtNovoCodigo("EdtNovoCodigo", &frame.sheet),
      LabelNovoCodigo2("LabelNovoCodigo2", &frame.sheet),
      EdtNovoCodigo2("EdtNovoCodigo2", &frame.sheet),
      BtnTrocarCod("BtnTrocarCod", &frame.sheet),
      MemoCodAtiva("MemoCodAtiva", &frame.sheet),
      context_(context) {
  layOutControls();
  wireHandlers();
  CheckMudaCodigoClick();
}

void CodeChangePage::layOutControls() {
  page::layOut({
      {CheckMudaCodigo, {16, 40, 240, 17}, u"Trocar Código de Ativação"},
      {LabelCodigo, {16, 70, 240, 14}, u"Digite o Código de Ativação atual:"},
      {EdtCodigo, {16, 86, 230, 21}},
      {Checkemergencia, {260, 88, 160, 17}, u"Cód. de emergência"},
      {LabelNovoCodigo, {16, 116, 240, 14}, u"Digite o Novo Código de Ativação:"},
      {EdtNovoCodigo, {16, 132, 230, 21}},
      {LabelNovoCodigo2, {16, 162, 240, 14}, u"Confirme o Novo Código de Ativação:"},
      {EdtNovoCodigo2, {16, 178, 230, 21}},
      {BtnTrocarCod, {260, 174, 100, 29}, u"Trocar"},
      {MemoCodAtiva, {8, 340, 520, 58}, {}, page::Tab::Skip},
  });
  for (ui::Edit* code : {&EdtCodigo, &EdtNovoCodigo, &EdtNovoCodigo2}) {
    code->setMaxLength(32);
    code->setPasswordChar(u'*');
  }
  BtnTrocarCod.isDefault = true;
  page::setUpNotice(
      MemoCodAtiva,
      {u"ATENÇÃO:", u"ESTA FUNÇÃO DEVE SER UTILIZADA APENAS APÓS O SAT ESTAR ATIVADO. "});
}

void CodeChangePage::wireHandlers() {
  frame.sheet.onShow = [this] { TabCodAtivaShow(); };
  CheckMudaCodigo.onClick = [this] { CheckMudaCodigoClick(); };
  Checkemergencia.onClick = [this] { CheckemergenciaClick(); };
  BtnTrocarCod.onClick = [this] { BtnTrocarCodClick(); };
}

void CodeChangePage::clearCodes() {
  EdtCodigo.setText({});
  EdtNovoCodigo.setText({});
  EdtNovoCodigo2.setText({});
}

void CodeChangePage::BtnCodAtivacaoClick() {
  clearCodes();
  context_.host.showPage(page::kCodeChangePage);
}

void CodeChangePage::TabCodAtivaShow() {
  CheckMudaCodigoClick();
}

// The unlock rule: the form is usable only while the box is ticked.
void CodeChangePage::CheckMudaCodigoClick() {
  const bool unlocked = CheckMudaCodigo.checked();
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &EdtCodigo, &EdtNovoCodigo, &EdtNovoCodigo2, &Checkemergencia, &BtnTrocarCod})
    control->setEnabled(unlocked);
  if (unlocked) EdtCodigo.setFocus();
}

// The emergency rule: the label says which code is asked for, in red for
// the emergency code.
void CodeChangePage::CheckemergenciaClick() {
  const bool emergency = Checkemergencia.checked();
  LabelCodigo.setText(emergency ? u"Digite o Código de Ativação de Emergência:"
                                : u"Digite o Código de Ativação atual:");
  ui::Font font = LabelCodigo.font();
  font.color = emergency ? ui::kRed : ui::kDefaultColor;
  LabelCodigo.setFont(font);
  EdtCodigo.setFocus();
}

void CodeChangePage::refuseNewCode(std::u16string_view message) {
  page::refuseInput(context_.messages, message, EdtNovoCodigo, {&EdtNovoCodigo, &EdtNovoCodigo2});
}

void CodeChangePage::BtnTrocarCodClick() {
  const std::u16string novoCodigo = platform::trimmed(EdtNovoCodigo.text());
  if (page::isShortCode(novoCodigo))
    return refuseNewCode(u"Novo código de ativação deve ter no mínimo 8 caracteres.");
  if (novoCodigo != platform::trimmed(EdtNovoCodigo2.text()))
    return refuseNewCode(u"Erro na confirmação do novo Código de Ativação.");
  changeCode(novoCodigo);
}

void CodeChangePage::changeCode(const std::u16string& novoCodigo) {
  const int opcao = Checkemergencia.checked() ? kByEmergencyCode : kByCurrentCode;
  const std::string newCode = platform::toAnsi(novoCodigo);
  page::Command command;
  command.entryPoint = satlib::EntryPoint::TrocarCodigoDeAtivacao;
  // The current code is sent as it is, even empty: the device judges it.
  command.code = EdtCodigo.text();
  command.checkCode = false;
  command.call = [opcao, newCode](satlib::SatLibrary& library, int sessao,
                                  const std::string& codigo) {
    return library.TrocarCodigoDeAtivacao(sessao, codigo, opcao, newCode, newCode);
  };
  // A short answer is not silenced here: the report of an unexpected failure
  // ends the command and the fields keep what was typed.
  command.readingFailuresReported = true;
  command.react = [this](const page::AnswerFields& CamposRetorno) {
    context_.runner.showCodeAndMessage(CamposRetorno);
    if (CamposRetorno[1] == "18000") {
      Checkemergencia.setChecked(false);
      CheckemergenciaClick();
      CheckMudaCodigo.setChecked(false);
      CheckMudaCodigoClick();
      clearCodes();
    } else {
      clearCodes();
      EdtCodigo.setFocus();
    }
  };
  context_.runner.run(command);
}

}  // namespace provisioning
