#include "peers/PeerFixture.h"

namespace peer_tests {
namespace {

class MaskEditPeerTest : public PeerTest {
 protected:
  MaskEditPeerTest() : cnpj("EdtCNPJ", &form) {
    cnpj.editMask = u"99.999.999/9999-99;0;_";
    cnpj.setBounds({10, 10, 150, 21});
    cnpj.onChange = [this] { ++changes; };
    createAndShow();
    edit = handleOf(cnpj);
  }
  ui::MaskEdit cnpj;
  HWND edit = nullptr;
  int changes = 0;
};

TEST_F(MaskEditPeerTest, ACnpjTypedKeyByKeyShowsThePunctuationAndStoresTheDigits) {
  EXPECT_EQ(windowText(cnpj), u"__.___.___/____-__");
  setSelection(edit, 0, 0);
  typeText(edit, u"12345678000195");
  EXPECT_EQ(windowText(cnpj), u"12.345.678/0001-95");
  EXPECT_EQ(cnpj.text(), u"12345678000195");
  EXPECT_EQ(changes, 14);
}

TEST_F(MaskEditPeerTest, LettersAreRefusedAndTheFieldStaysAsItWas) {
  setSelection(edit, 0, 0);
  typeText(edit, u"1a-2");
  EXPECT_EQ(windowText(cnpj), u"12.___.___/____-__");
  EXPECT_EQ(cnpj.text(), u"12");
}

TEST_F(MaskEditPeerTest, BackspaceDeleteAndPasteKeepTheMask) {
  cnpj.setText(u"12345678000195");
  EXPECT_EQ(windowText(cnpj), u"12.345.678/0001-95");

  setSelection(edit, 3, 3);  // just after the first dot
  sendChar(edit, u'\b');
  EXPECT_EQ(windowText(cnpj), u"1_.345.678/0001-95");
  EXPECT_EQ(cnpj.text(), u"1345678000195");

  setSelection(edit, 10, 10);  // on the slash
  sendKey(edit, VK_DELETE);
  EXPECT_EQ(windowText(cnpj), u"1_.345.678/_001-95");

  putOnClipboard(u"99.888.777/6666-55");
  setSelection(edit, 0, 18);
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(windowText(cnpj), u"99.888.777/6666-55");
  EXPECT_EQ(cnpj.text(), u"99888777666655");
}

TEST_F(MaskEditPeerTest, ArrowsSkipThePunctuation) {
  cnpj.setText(u"12345678000195");
  setSelection(edit, 1, 1);
  sendKey(edit, VK_RIGHT);
  DWORD start = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  EXPECT_EQ(start, 3u);
  sendKey(edit, VK_LEFT);
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  EXPECT_EQ(start, 1u);
}

TEST_F(MaskEditPeerTest, TextSetFromOutsideLandsInTheSlots) {
  // How a driving program fills the field.
  SetWindowTextW(edit, L"12345678000195");
  EXPECT_EQ(windowText(cnpj), u"12.345.678/0001-95");
  EXPECT_EQ(cnpj.text(), u"12345678000195");
}

}  // namespace
}  // namespace peer_tests
