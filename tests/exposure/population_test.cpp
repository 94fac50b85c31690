// The population file: what it accepts, and the line and reason of every refusal.
#include "exposure/population.h"

#include <gtest/gtest.h>

#include "text/file_error.h"

namespace sonvale {
namespace {

// The error of a text for a project of 10 buildings, "line: message".
std::string ErrorOf(const std::string& text) {
  try {
    ParsePopulationText("pop.csv", text, 10);
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), "pop.csv");
    return std::to_string(e.line()) + ": " + e.message();
  }
  return "accepted";
}

TEST(PopulationFile, ReadsEveryColumnForm) {
  const std::string text =
      "\xEF\xBB\xBF"
      "Building,people,dwellings,use,method\r\n"
      "1,25\r\n"
      "\r\n"
      "2, 40.5 ,18,school,\r\n"
      "3,12,,Hospital,LOUDEST\r\n"
      "\"4\",0,0,other,facade-length\r\n";
  std::vector<PopulationRecord> r = ParsePopulationText("pop.csv", text, 10);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].building, 1);
  EXPECT_EQ(r[0].people, 25);
  EXPECT_FALSE(r[0].dwellings);
  EXPECT_EQ(r[0].use, BuildingUse::Residential);
  EXPECT_FALSE(r[0].method);
  EXPECT_EQ(r[1].line, 4);
  EXPECT_EQ(r[1].people, 40.5);
  EXPECT_EQ(*r[1].dwellings, 18);
  EXPECT_EQ(r[1].use, BuildingUse::School);
  EXPECT_EQ(r[2].use, BuildingUse::Hospital);
  EXPECT_EQ(*r[2].method, AssignMethod::Loudest);
  EXPECT_EQ(r[3].building, 4);
  EXPECT_EQ(*r[3].method, AssignMethod::FacadeLength);
  // What the side file keeps reads back the same.
  std::vector<PopulationRecord> back = ParsePopulationText("side", PopulationText(r), 10);
  ASSERT_EQ(back.size(), 4u);
  EXPECT_EQ(back[2].people, 12);
  EXPECT_EQ(back[2].use, BuildingUse::Hospital);
  EXPECT_EQ(*back[3].method, AssignMethod::FacadeLength);
  EXPECT_EQ(PopulationSideFile("/data/town.svp"), "/data/town.population.csv");
  EXPECT_EQ(PopulationSideFile("/data.d/town"), "/data.d/town.population.csv");
}

// A spreadsheet of a comma-decimal locale saves semicolons and decimal commas;
// the header line says so, and the figures are those of the comma file.
TEST(PopulationFile, ReadsTheSemicolonLayoutWithDecimalCommas) {
  std::vector<PopulationRecord> r = ParsePopulationText(
      "pop.csv",
      "\"building\";people;dwellings;use\r\n1;58,5;25,25;school\r\n2; 40.5 ;;\r\n3;7\r\n", 10);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].people, 58.5);
  EXPECT_EQ(*r[0].dwellings, 25.25);
  EXPECT_EQ(r[0].use, BuildingUse::School);
  EXPECT_EQ(r[1].people, 40.5);
  EXPECT_FALSE(r[1].dwellings);
  EXPECT_EQ(r[2].people, 7);
  const std::string h = "building;people\n";
  EXPECT_EQ(ErrorOf(h + "1;1,234,5\n"), "2: people is not a number: \"1,234,5\"");
  EXPECT_EQ(ErrorOf(h + "1;1.234,5\n"), "2: people is not a number: \"1.234,5\"");
  EXPECT_EQ(ErrorOf(h + "1;-3,5\n"), "2: people is negative: -3,5");
  EXPECT_EQ(ErrorOf(h + "1,5\n"), "2: building is not a number: \"1,5\"");
  // In the comma layout a decimal comma is a column too many, never a number.
  EXPECT_EQ(ErrorOf("building,people\n1,58,5,x\n"),
            "2: use \"x\" is not residential, school, hospital or other");
}

TEST(PopulationFile, RefusesBadLinesWithTheirNumber) {
  const std::string h = "building,people\n";
  EXPECT_EQ(ErrorOf(h + "0,5\n"), "2: building 0 is not a building of the project (1 to 10)");
  EXPECT_EQ(ErrorOf(h + "1,5\n99999,5\n"),
            "3: building 99999 is not a building of the project (1 to 10)");
  EXPECT_EQ(ErrorOf(h + "2.5,5\n"), "2: building 2.5 is not a building of the project (1 to 10)");
  EXPECT_EQ(ErrorOf(h + "1,-3\n"), "2: people is negative: -3");
  EXPECT_EQ(ErrorOf(h + "1\n"), "2: missing people");
  EXPECT_EQ(ErrorOf(h + "1,\n"), "2: missing people");
  EXPECT_EQ(ErrorOf(h + "1,many\n"), "2: people is not a number: \"many\"");
  EXPECT_EQ(ErrorOf(h + "x,5\n"), "2: building is not a number: \"x\"");
  EXPECT_EQ(ErrorOf(h + "1,5,-1\n"), "2: dwellings is negative: -1");
  EXPECT_EQ(ErrorOf(h + "1,5\n1,6\n"), "3: building 1 already given on line 2");
  EXPECT_EQ(ErrorOf(h + "1,5,,shop\n"),
            "2: use \"shop\" is not residential, school, hospital or other");
  EXPECT_EQ(ErrorOf(h + "1,5,,,half\n"),
            "2: method \"half\" is not median, facade-length or loudest");
  EXPECT_EQ(ErrorOf(h + "1,5,1,other,median,9\n"), "2: more than 5 columns");
  EXPECT_EQ(ErrorOf(h + "1,\"5\n"), "2: a quote is not closed");
  EXPECT_EQ(ErrorOf(h + "1,1e400\n"), "2: people is not a number: \"1e400\"");
  EXPECT_EQ(ErrorOf("1,5\n"),
            "1: the first line must be the header building,people[,dwellings][,use][,method]");
  EXPECT_EQ(ErrorOf(""), "1: the file is empty: the header line is missing");
  EXPECT_THROW(ReadPopulationFile("/nonexistent/pop.csv", 10), FileError);
}

TEST(PopulationFile, FiguresPerBuildingAndEstimate) {
  Project p;
  Casa a;
  a.vertices = {{0, 0, 9}, {20, 0, 9}, {20, 12, 9}, {0, 12, 9}};  // 9 m: 3 storeys
  p.case_.addEntity() = a;
  p.case_.addEntity() = a;
  std::vector<PopulationRecord> r = ParsePopulationText("pop", "building,people\n2,46\n", 2);
  EstimateOptions e;
  e.squareMetresPerPerson = 40;
  std::vector<BuildingPopulation> b = BuildingPopulations(p, r, e, 2.3, GroundHeight(0));
  // 240 m² x 3 storeys / 40 m² = 18 people; dwellings 18 / 2.3.
  EXPECT_TRUE(b[0].estimated);
  EXPECT_DOUBLE_EQ(b[0].people, 18);
  EXPECT_DOUBLE_EQ(b[0].dwellings, 18 / 2.3);
  EXPECT_TRUE(b[1].listed);
  EXPECT_DOUBLE_EQ(b[1].people, 46);
  EXPECT_DOUBLE_EQ(b[1].dwellings, 20);
  // Without an estimate an unlisted building has nobody.
  std::vector<BuildingPopulation> none = BuildingPopulations(p, r, {}, 2.3, GroundHeight(0));
  EXPECT_EQ(none[0].people, 0);
  EXPECT_FALSE(none[0].estimated);
}

}  // namespace
}  // namespace sonvale
