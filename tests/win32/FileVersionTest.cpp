// A maker's library's version resource read as Windows hands it over, and
// "Sobre o Quorvel..." told from it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/SystemFacts.h"
#include "platform/Text.h"
#include "shell/SupportReport.h"
#include "ui/BoundedMessages.h"

namespace {

const platform::Path kProbe{std::filesystem::path(QUORVEL_VERSION_PROBE)};

TEST(FileVersion, IsReadFromTheTableThereWhateverLanguageIsDeclared) {
  const platform::FileVersion version = platform::fileVersionOf(kProbe);
  EXPECT_EQ(version.productName, u"Sonda de\nversão");
  EXPECT_EQ(version.fileVersion.size(), 20000u);
  EXPECT_TRUE(version.fileVersion.starts_with(u"1.999"));
}

// Each value is cut and kept on its line, so a version of 20,000 characters
// leaves every other line of the box in view, and no line runs off a screen.
TEST(AboutText, ShowsEveryLineWhateverTheLibrarySays) {
  satlib::LibraryFacts facts;
  facts.loaded = true;
  facts.path = kProbe;
  const std::u16string text = shell::aboutText(facts, kProbe.parent());
  EXPECT_LE(text.size(), ui::kLongestShownText);
  for (const char16_t* line : {u"\r\nSAT.DLL: ", u"\r\nTamanho: ", u"\r\nVersão do arquivo: 1.999",
                               u"\r\nProduto: Sonda de versão\r\n", u"\r\nArquitetura: ",
                               u"\r\nConvenção de chamada: ", u"\r\nFunções ausentes: "}) {
    EXPECT_NE(text.find(line), std::u16string::npos) << platform::toUtf8(line);
  }
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find(u"\r\n", start), text.size());
    // The lines that list entry points: short names with blanks between
    // them for the box to wrap at.
    if (text.compare(start, 7, u"Funções") != 0) {
      EXPECT_LE(end - start, 200u) << platform::toUtf8(text.substr(start, 80));
    }
    start = end + 2;
  }
}

}  // namespace
