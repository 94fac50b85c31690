#include "commands/message_language.h"

#include <gtest/gtest.h>

#include <map>

namespace sonvale {
namespace {

TEST(MessageLanguageTest, WholeTextsLinesAndKnownBeginnings) {
  const std::map<std::string, std::string> en = {
      {"Il file di HELP non è ancora disponibile...", "The HELP file is not available yet..."},
      {"Vuoi salvare il file ", "Do you want to save the file "},
      {"Vuoi salvare ", "Save "},  // shorter: the longest beginning wins
      {"Riga ", "Line "},
      {"Importazione completata.", "Import completed."},
      {"Fai click <destro> sulla entità che vuoi editare...",
       "<Right>-click the entity you want to edit..."},
  };
  TextLookup lookup = [&en](const std::string& t) -> std::optional<std::string> {
    auto it = en.find(t);
    if (it == en.end()) return std::nullopt;
    return it->second;
  };
  EXPECT_EQ(TranslateText("Il file di HELP non è ancora disponibile...", lookup),
            "The HELP file is not available yet...");
  EXPECT_EQ(TranslateText("Vuoi salvare il file /tmp/a b.svp ?", lookup),
            "Do you want to save the file /tmp/a b.svp ?");
  EXPECT_EQ(TranslateText("Importazione completata.\nRiga 12: campo vuoto\n\nstrade.csv", lookup),
            "Import completed.\nLine 12: campo vuoto\n\nstrade.csv");
  EXPECT_EQ(
      TranslateText("Fai click <destro> sulla entità che vuoi editare...  - (12.5,3.)", lookup),
      "<Right>-click the entity you want to edit...  - (12.5,3.)");
  // A beginning must end at a blank, ':', '=' or '(': no cut inside a word.
  EXPECT_EQ(TranslateText("Rigatone", lookup), "Rigatone");
  EXPECT_EQ(TranslateText("Lev(3) = 55.2", lookup), "Lev(3) = 55.2");
  EXPECT_EQ(TranslateText("", lookup), "");
}

}  // namespace
}  // namespace sonvale
