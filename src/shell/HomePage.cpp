#include "shell/HomePage.h"

#include "shell/Pictures.h"

namespace shell {

HomePage::HomePage(ui::Control* pageControl)
    : frame(pageControl, "TabMirel", "PanelMirel", u"SAT MIREL"),
      Label8("Label8", &frame.sheet),
      lbloperante("lbloperante", &frame.sheet),
      BitBtn6("BitBtn6", &frame.sheet),
      ImgSAT("ImgSAT", &frame.sheet),
      Panel13("Panel13", &frame.sheet),
      LabelFabricante("LabelFabricante", &Panel13),
      Label7("Label7", &Panel13) {
  const ui::Font bold13{u"Tahoma", 13, true, ui::kDefaultColor};
  Label8.setText(u"Status:");
  Label8.setFont(bold13);
  Label8.setBounds({11, 42, 60, 16});

  lbloperante.setText(u"SAT inoperante");
  lbloperante.setFont({u"Tahoma", 13, true, ui::kRed});
  lbloperante.setBounds({11, 67, 200, 16});
  lbloperante.setVisible(false);

  BitBtn6.setText(u"Consultar SAT");
  BitBtn6.setBounds({198, 97, 139, 29});
  BitBtn6.setTabOrder(0);

  ImgSAT.png = std::string(devicePicture());
  ImgSAT.stretch = true;
  ImgSAT.setBounds({168, 138, 200, 200});

  Panel13.setAlign(ui::Align::Bottom);
  Panel13.setBounds({0, 0, 0, 24});
  Panel13.bevel = ui::Bevel::Lowered;
  Panel13.setColor(ui::kSilver);
  LabelFabricante.setText(u"MIREL Equipamentos Fiscais");
  LabelFabricante.setBounds({8, 5, 220, 14});
  Label7.setText(u"Versão: 3.0.0.3");
  Label7.setBounds({436, 5, 92, 14});
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

}  // namespace shell
