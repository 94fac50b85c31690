#include "commands/message_language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

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

TEST(MessageLanguageTest, KnownEndingsAroundANameOrNumber) {
  const std::map<std::string, std::string> en = {
      {"Non ci sono entità tipo ", "There are no entities of type "},
      {" da rimpiazzare.", " to replace."},
      {"La modalita' tipo ", "The mode type "},
      {": esse verranno sovrascritte.", ": they will be overwritten."},
      {"Ho letto", "Read"},
      {"Valore non valido: ", "Invalid value: "},
      {"Distanza dalla facciata (m)", "Distance from the façade (m)"},
      {" archi", " arcs"},
      {" archi e nodi", " arcs and nodes"},
      {" punti senza la loro coordinata Y non sono stati usati",
       " points without their Y were not used"},
  };
  TextLookup lookup = [&en](const std::string& t) -> std::optional<std::string> {
    auto it = en.find(t);
    if (it == en.end()) return std::nullopt;
    return it->second;
  };
  EXPECT_EQ(TranslateText("Non ci sono entità tipo Strade da rimpiazzare.", lookup),
            "There are no entities of type Strade to replace.");
  EXPECT_EQ(TranslateText("La modalita' tipo Case: esse verranno sovrascritte.", lookup),
            "The mode type Case: they will be overwritten.");
  // A caption named after a beginning is translated too.
  EXPECT_EQ(TranslateText("Valore non valido: Distanza dalla facciata (m)", lookup),
            "Invalid value: Distance from the façade (m)");
  // The longest ending wins; a name with blanks in it stays whole.
  EXPECT_EQ(TranslateText("Ho letto 12 archi e nodi", lookup), "Read 12 arcs and nodes");
  EXPECT_EQ(TranslateText("Ho letto 12 archi", lookup), "Read 12 arcs");
  // An ending alone, after a number that begins the line.
  EXPECT_EQ(TranslateText("3 punti senza la loro coordinata Y non sono stati usati", lookup),
            "3 points without their Y were not used");
  // Something must stand before an ending: a line that is only one is a whole text.
  EXPECT_EQ(TranslateText(" archi", lookup), " arcs");
  EXPECT_EQ(TranslateText("archi", lookup), "archi");
  // An ending begins at a blank or ':', never inside a word.
  EXPECT_EQ(TranslateText("Ho letto 12,archi", lookup), "Read 12,archi");
}

TEST(MessageLanguageTest, PiecesBetweenSeveralNamesAndNumbers) {
  const std::map<std::string, std::string> en = {
      {"Importati ", "Imported "},
      {" elementi (", " elements ("},
      {"Strade", "Roads"},
      {" da ", " from "},
      {" oggetti di ", " objects of "},
      {"Numero non valido: ", "Invalid number: "},
      {"\". Il numero deve essere compreso tra ", "\". The number must be between "},
      {" e ", " and "},
  };
  TextLookup lookup = [&en](const std::string& t) -> std::optional<std::string> {
    auto it = en.find(t);
    if (it == en.end()) return std::nullopt;
    return it->second;
  };
  EXPECT_EQ(TranslateText("Importati 2 elementi (Strade) da 3 oggetti di /tmp/vie.gpkg", lookup),
            "Imported 2 elements (Roads) from 3 objects of /tmp/vie.gpkg");
  EXPECT_EQ(
      TranslateText("Numero non valido: \"12\". Il numero deve essere compreso tra 1 e 5.", lookup),
      "Invalid number: \"12\". The number must be between 1 and 5.");
  // A known word inside a name is no piece: it neither starts nor ends a word.
  EXPECT_EQ(TranslateText("Importati 2 elementi (Strade2) da 3 oggetti di Strade.gpkg", lookup),
            "Imported 2 elements (Strade2) from 3 objects of Strade.gpkg");
}

// A long line (a list of names on one line) is looked up piece by piece in a
// number of steps that grows with its length, not with its square, and its
// pieces are still found.
TEST(MessageLanguageTest, ALongLineCostsInProportionToItsLength) {
  long lookups = 0;
  TextLookup lookup = [&lookups](const std::string& t) -> std::optional<std::string> {
    ++lookups;
    if (t == "Strade non trovate: ") return "Roads not found: ";
    return std::nullopt;
  };
  std::string names;
  for (int k = 0; k < 2000; ++k) names += "via " + std::to_string(k) + " ";
  const std::string line = "Strade non trovate: " + names;
  EXPECT_EQ(TranslateText(line, lookup), "Roads not found: " + names);
  EXPECT_LT(lookups, 300L * static_cast<long>(line.size()));
}

}  // namespace
}  // namespace sonvale
