#include <gtest/gtest.h>

#include <filesystem>

#include "support/ProgramFixture.h"

namespace {

using testing_support::ProgramFixture;

class Startup : public ProgramFixture {};

TEST_F(Startup, NormalStartShowsTheHomePage) {
  program.start();
  EXPECT_FALSE(main.terminateRequested());
  EXPECT_EQ(main.text(), u"SAT - MIREL (Ativação - Versão: 3.0.0.3)");
  EXPECT_EQ(main.PageControl.activePageIndex(), page::kHomePage);
  EXPECT_EQ(main.StatusBar.text(), u"");
  EXPECT_FALSE(main.TabMirel.lbloperante.visible());
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(Startup, WithoutTheLibraryFileOneMessageThenTheEnd) {
  std::filesystem::remove(folder.path() / "SAT.DLL");
  program.start();
  EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{u"Erro: SAT.DLL não foi encotrada."});
  EXPECT_TRUE(main.terminateRequested());
}

TEST_F(Startup, LibraryThatDoesNotLoadOpensOnTheTestsPage) {
  library.loads = false;
  program.start();
  EXPECT_FALSE(main.terminateRequested());
  EXPECT_EQ(main.PageControl.activePageIndex(), page::kTestsPage);
}

TEST_F(Startup, SideButtonsSelectTheirPages) {
  program.start();
  const struct {
    ui::Button& button;
    int page;
  } cases[] = {
      {main.BtnConfRede, page::kNetworkPage},          {main.BtnAtivacao, page::kActivationPage},
      {main.BtnAssocAssin, page::kSignaturePage},      {main.BtnTestefimafim, page::kTestsPage},
      {main.BtnCodAtivacao, page::kCodeChangePage},    {main.BtnBloquearSAT, page::kLockPage},
      {main.BitAtualizaSW, page::kSoftwareUpdatePage},
  };
  for (const auto& c : cases) {
    user([&] { c.button.click(); });
    EXPECT_EQ(main.PageControl.activePageIndex(), c.page) << c.button.name();
  }
  user([&] { main.BtnSair.click(); });
  EXPECT_TRUE(main.closeRequested());
}

TEST_F(Startup, ResizingKeepsThePictureAndButtonCentred) {
  program.start();
  main.setClientSizeFromUser(1000, 700);
  const auto& page = main.TabMirel.frame.sheet;
  EXPECT_EQ(page.width(), 1000 - 132);
  EXPECT_EQ(page.height(), 700 - 19);
  const auto picture = main.TabMirel.ImgSAT.bounds();
  EXPECT_EQ(picture.left, (page.width() - 200) / 2);
  EXPECT_EQ(picture.top, (page.height() - 200) * 2 / 3);
  EXPECT_EQ(main.TabMirel.BitBtn6.bounds().left, (page.width() - 139) / 2);
  EXPECT_EQ(main.TabMirel.BitBtn6.bounds().top, 97);
}

}  // namespace

namespace {

TEST_F(Startup, StatusAndLogButtonsAskForTheCodeThenShowTheirPage) {
  program.start();
  const struct {
    ui::Button& button;
    int page;
  } cases[] = {
      {main.BitBtnStatus, page::kStatusPage},
      {main.BitLogs, page::kLogPage},
      {main.BitSuperLog, page::kLogPage},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    main.PageControl.setActivePageIndex(page::kHomePage);
    program.prompt.CodigoDigitado = u"left over";
    user([&] { c.button.click(); });  // the prompt is closed with its close box
    EXPECT_EQ(dialogs.texts(testing_support::DialogKind::Modal),
              std::vector<std::u16string>{u"TFValida"})
        << c.button.name();
    EXPECT_EQ(program.prompt.DialogoCancelado, 1);
    EXPECT_EQ(program.prompt.CodigoDigitado, u"");
    EXPECT_EQ(main.PageControl.activePageIndex(), c.page) << c.button.name();
    EXPECT_TRUE(library.calls.empty());
  }
}

}  // namespace
