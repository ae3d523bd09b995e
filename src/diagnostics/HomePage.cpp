#include "diagnostics/HomePage.h"

#include "page/PageLayout.h"
#include "page/Pictures.h"
#include "platform/ProgramVersion.h"

namespace diagnostics {

HomePage::HomePage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabMirel", "PanelMirel", u"SAT MIREL"),
      Label8("Label8", &frame.sheet),
      lbloperante("lbloperante", &frame.sheet),
      BitBtn6("BitBtn6", &frame.sheet),
      ImgSAT("ImgSAT", &frame.sheet),
      Panel13("Panel13", &frame.sheet),
      LabelFabricante("LabelFabricante", &Panel13),
      Label7("Label7", &Panel13),
      context_(context) {
  layOutControls();
  wireHandlers();
}

void HomePage::wireHandlers() {
  BitBtn6.onClick = [this] { BtnPrincipalClick(); };
}

void HomePage::layOutControls() {
  page::layOut({
      {Label8, {11, 42, 60, 16}, u"Status:"},
      {lbloperante, {11, 67, 200, 16}, u"SAT inoperante"},
      {BitBtn6, {198, 97, 139, 29}, u"Consultar SAT"},
      {ImgSAT, {168, 138, 200, 200}},
  });
  const ui::Font bold13{u"Tahoma", 13, true, ui::kDefaultColor};
  Label8.setFont(bold13);
  lbloperante.setFont({u"Tahoma", 13, true, ui::kRed});
  lbloperante.setVisible(false);
  ImgSAT.png = std::string(page::devicePicture());
  ImgSAT.stretch = true;

  Panel13.setAlign(ui::Align::Bottom);
  Panel13.setBounds({0, 0, 0, 24});
  Panel13.bevel = ui::Bevel::Lowered;
  Panel13.setColor(ui::kSilver);
  const std::u16string version = u"Versão: " + std::u16string(platform::kProgramVersion);
  page::layOut({
      {LabelFabricante, {8, 5, 220, 14}, u"MIREL Equipamentos Fiscais"},
      {Label7, {436, 5, 92, 14}, version},
  });
  Label7.setAnchors({false, true, true, false});
}

void HomePage::centre() {
  const int pageWidth = frame.sheet.width();
  const int pageHeight = frame.sheet.height();
  ui::Rect picture = ImgSAT.bounds();
  picture.left = (pageWidth - picture.width) / 2;
  picture.top = (pageHeight - picture.height) * 2 / 3;
  ImgSAT.setBounds(picture);
  ui::Rect button = BitBtn6.bounds();
  button.left = (pageWidth - button.width) / 2;
  BitBtn6.setBounds(button);
}

void HomePage::showState(bool inOperation) {
  const ui::Color colour = inOperation ? ui::kGreen : ui::kRed;
  lbloperante.setVisible(true);
  lbloperante.setText(inOperation ? u"SAT em operação" : u"SAT inoperante");
  ui::Font labelFont = lbloperante.font();
  labelFont.color = colour;
  lbloperante.setFont(labelFont);
  context_.host.colourDeviceButton(colour);
}

void HomePage::BtnPrincipalClick() {
  context_.host.showPage(page::kHomePage);
  page::Command command;
  command.entryPoint = satlib::EntryPoint::ConsultarSAT;
  command.call = [](satlib::SatLibrary& library, int sessao, const std::string&) {
    return library.ConsultarSAT(sessao);
  };
  command.checkCode = false;
  command.react = [this](const page::AnswerFields& CamposRetorno) {
    const std::string_view code = CamposRetorno[1];
    if (code == "08097") context_.runner.showCodeAndMessage(CamposRetorno);
    showState(code == "08000");
  };
  command.onReadingFailed = [this] { showState(false); };
  try {
    context_.runner.run(command);
  } catch (...) {
    // A query without a usable answer (the library failed, or gave none)
    // never leaves the state of an earlier one on the page.
    showState(false);
    context_.host.showPage(page::kHomePage);
    throw;
  }
  context_.host.showPage(page::kHomePage);
}

}  // namespace diagnostics
