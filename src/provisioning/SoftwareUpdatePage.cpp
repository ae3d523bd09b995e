#include "provisioning/SoftwareUpdatePage.h"

#include "page/CodeOnlyCommand.h"
#include "page/PageLayout.h"

namespace provisioning {

SoftwareUpdatePage::SoftwareUpdatePage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TavAtualizaSW", "PanelAtualizaSW", u"ATUALIZAR SOFTWARE BÁSICO"),
      LabelCodAtiv7("LabelCodAtiv7", &frame.sheet),
      EdtCodAtiv7("EdtCodAtiv7", &frame.sheet),
      BtnAtualizarSW("BtnAtualizarSW", &frame.sheet),
      MemoAtualizaSW("MemoAtualizaSW", &frame.sheet),
      context_(context) {
  layOutControls();
  wireHandlers();
}

void SoftwareUpdatePage::layOutControls() {
  page::layOut({
      {LabelCodAtiv7, {16, 40, 230, 14}, u"Digite o Código de Ativação do SAT:"},
      {EdtCodAtiv7, {16, 56, 230, 21}},
      {BtnAtualizarSW, {260, 52, 100, 29}, u"Atualizar"},
      {MemoAtualizaSW, {8, 340, 520, 58}, {}, page::Tab::Skip},
  });
  EdtCodAtiv7.setPasswordChar(u'*');
  BtnAtualizarSW.isDefault = true;
  page::setUpNotice(
      MemoAtualizaSW,
      {u"ATENÇÃO:", u"ESTA FUNÇÃO DEVE SER UTILIZADA APENAS APÓS O SAT ESTAR ATIVADO. "});
}

void SoftwareUpdatePage::wireHandlers() {
  frame.sheet.onShow = [this] { TavAtualizaSWShow(); };
  BtnAtualizarSW.onClick = [this] { BtnAtualizarSWClick(); };
}

void SoftwareUpdatePage::BitAtualizaSWClick() {
  EdtCodAtiv7.setText({});
  context_.host.showPage(page::kSoftwareUpdatePage);
}

void SoftwareUpdatePage::TavAtualizaSWShow() {
  EdtCodAtiv7.setFocus();
}

void SoftwareUpdatePage::BtnAtualizarSWClick() {
  context_.runner.run(page::codeOnlyCommand(context_.host, EdtCodAtiv7,
                                            satlib::EntryPoint::AtualizarSoftwareSAT,
                                            &satlib::SatLibrary::AtualizarSoftwareSAT));
}

}  // namespace provisioning
