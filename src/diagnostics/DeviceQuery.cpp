#include "diagnostics/DeviceQuery.h"

#include "shell/PageFrame.h"

namespace diagnostics {

DeviceQuery::DeviceQuery(shell::CommandRunner& runner, ui::Form& mainWindow, ui::PageControl& pages,
                         ui::Label& lbloperante, ui::Button& BtnPrincipal)
    : runner_(runner),
      mainWindow_(mainWindow),
      pages_(pages),
      lbloperante_(lbloperante),
      BtnPrincipal_(BtnPrincipal) {}

void DeviceQuery::showState(bool inOperation) {
  const ui::Color color = inOperation ? ui::kGreen : ui::kRed;
  lbloperante_.setText(inOperation ? u"SAT em operação" : u"SAT inoperante");
  ui::Font labelFont = lbloperante_.font();
  labelFont.color = color;
  lbloperante_.setFont(labelFont);
  ui::Font buttonFont = BtnPrincipal_.font();
  buttonFont.color = color;
  BtnPrincipal_.setFont(buttonFont);
}

void DeviceQuery::run() {
  pages_.setActivePageIndex(shell::kPaginaPrincipal);
  shell::Command command;
  command.entryPoint = satlib::EntryPoint::ConsultarSAT;
  command.call = [](satlib::SatLibrary& library, int sessao, const std::string&) {
    return library.ConsultarSAT(sessao);
  };
  command.checkCode = false;
  command.react = [this](const shell::AnswerFields& CamposRetorno) {
    lbloperante_.setVisible(true);
    const std::string& code = CamposRetorno[1];
    if (code == "08097") runner_.showCodeAndMessage(CamposRetorno);
    showState(code == "08000");
  };
  command.onReadingFailed = [this] {
    lbloperante_.setVisible(true);
    showState(false);
  };
  runner_.run(command);
  pages_.setActivePageIndex(shell::kPaginaPrincipal);
  mainWindow_.repaintAll();
}

}  // namespace diagnostics
