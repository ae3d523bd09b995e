#include <gtest/gtest.h>

#include "support/CodeOnlyPageFixture.h"

namespace {

class SoftwareUpdatePage : public testing_support::CodeOnlyPageFixture {};

TEST_F(SoftwareUpdatePage, RunsTheUpdateWithTheCodeOfItsField) {
  provisioning::SoftwareUpdatePage& page = main.TavAtualizaSW;
  expectTheSequence({{"update", main.BitAtualizaSW, page.EdtCodAtiv7, page.BtnAtualizarSW,
                      satlib::EntryPoint::AtualizarSoftwareSAT, page::kSoftwareUpdatePage, false}});
  EXPECT_TRUE(page.BtnAtualizarSW.isDefault) << "Enter in the code field starts the update";
}

}  // namespace
