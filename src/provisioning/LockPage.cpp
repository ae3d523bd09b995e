#include "provisioning/LockPage.h"

#include "page/CodeOnlyCommand.h"
#include "page/PageLayout.h"

namespace provisioning {

namespace {
// Each of the first five lines ends in LF CR, the sixth in LF LF CR.
constexpr char16_t kDeactivationWarning[] =
    u"Atenção:\n\r"
    u"Verifique se após finalizar esta função o LED \"SAT Bloqueado\" está piscando.\n\r"
    u"Isto indica que o processo de DESATIVAÇÂO foi concluído na retaguarda da SEFAZ.\n\r"
    u"Para que o SAT recupere as configurações de fábrica você deve agora pressionar o botão "
    u"reset por 5 segundos.\n\r"
    u"Por favor aguarde.\n\r"
    u"Esta função pode demorar alguns minutos.\n\n\r"
    u"Clique OK para continuar.";
}  // namespace

LockPage::LockPage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabBloq", "PanelBloq", u"BLOQUEAR/DESBLOQUEAR"),
      LabelCodAtiv6("LabelCodAtiv6", &frame.sheet),
      EdtCodAtiv6("EdtCodAtiv6", &frame.sheet),
      BitBtn5("BitBtn5", &frame.sheet),
      BitBloquSAT("BitBloquSAT", &frame.sheet),
      BitDesatSAT("BitDesatSAT", &frame.sheet),
      MemoBloq("MemoBloq", &frame.sheet),
      context_(context) {
  layOutControls();
  wireHandlers();
}

void LockPage::layOutControls() {
  page::layOut({
      {LabelCodAtiv6, {16, 40, 230, 14}, u"Digite o Código de Ativação do SAT:"},
      {EdtCodAtiv6, {16, 56, 230, 21}},
      {BitBtn5, {16, 92, 100, 29}, u"Desbloquear"},
      {BitBloquSAT, {124, 92, 100, 29}, u"Bloquear"},
      {BitDesatSAT, {232, 92, 100, 29}, u"Desativar"},
      {MemoBloq, {8, 312, 520, 86}, {}, page::Tab::Skip},
  });
  EdtCodAtiv6.setPasswordChar(u'*');
  BitBtn5.isDefault = true;
  page::setUpNotice(
      MemoBloq, {u"ATENÇÃO: ", u"ESTAS OPÇÕES REFEREM-SE APENAS AO BLOQUEIO PELO CONTRIBUINTE. AS ",
                 u"MESMAS NÃO TEM  EFEITO PARA CASOS  DE BLOQUEIO PELA SEFAZ, OU ",
                 u"BLOQUEIO AUTONOMO OU BLOQUEIO DEVIDO A ERRO DO CÓDIGO DE ", u"ATIVAÇÃO."});
}

void LockPage::wireHandlers() {
  frame.sheet.onShow = [this] { TabBloqShow(); };
  BitBtn5.onClick = [this] { BitBtn5Click(); };
  BitBloquSAT.onClick = [this] { BitBloquSATClick(); };
  BitDesatSAT.onClick = [this] { BitDesatSATClick(); };
}

void LockPage::BtnBloquearSATClick() {
  EdtCodAtiv6.setText({});
  context_.host.showPage(page::kLockPage);
}

void LockPage::TabBloqShow() {
  EdtCodAtiv6.setFocus();
}

void LockPage::BitBloquSATClick() {
  context_.runner.run(page::codeOnlyCommand(context_.host, EdtCodAtiv6,
                                            satlib::EntryPoint::BloquearSAT,
                                            &satlib::SatLibrary::BloquearSAT));
}

void LockPage::BitBtn5Click() {
  context_.runner.run(page::codeOnlyCommand(context_.host, EdtCodAtiv6,
                                            satlib::EntryPoint::DesbloquearSAT,
                                            &satlib::SatLibrary::DesbloquearSAT));
}

// Deactivation is the taxpayer's lock, sent once the user has read what to
// do on the device afterwards; a cancelled warning keeps the code typed.
void LockPage::BitDesatSATClick() {
  if (context_.messages.confirm(kDeactivationWarning)) BitBloquSATClick();
}

}  // namespace provisioning
