// People of a GIS layer given to the buildings their places lie in: sums,
// the most sensitive use, places outside every building, and the words a
// population file would refuse.
#include "commands/exposure_population_layer.h"

#include <gtest/gtest.h>

#include "text/file_error.h"

namespace sonvale {
namespace {

Project TwoBuildings() {
  Project p;
  p.case_.addEntity().vertices = {{0, 0, 10}, {20, 0, 10}, {20, 12, 10}, {0, 12, 10}};
  p.case_.addEntity().vertices = {{40, 0, 10}, {50, 0, 10}, {50, 10, 10}, {40, 10, 10}};
  p.ExtendExtent(0, 0);
  p.ExtendExtent(50, 12);
  return p;
}

PopulationPlace Place(double x, double y, double people, std::optional<double> dwellings = {},
                      std::string use = "", std::string method = "") {
  PopulationPlace pl;
  pl.x = x;
  pl.y = y;
  pl.people = people;
  pl.dwellings = dwellings;
  pl.use = std::move(use);
  pl.method = std::move(method);
  pl.where = "layer people, feature 7";
  return pl;
}

TEST(PopulationLayer, PlacesGoToTheBuildingTheyLieIn) {
  const Project p = TwoBuildings();
  PopulationLayerReport report;
  const std::vector<PopulationRecord> r = PopulationFromPlaces(
      p,
      {Place(5, 5, 12, 5, "Residential"), Place(15, 6, 8, {}, "school", "loudest"),
       Place(30, 5, 4.5, 2), Place(45, 5, 3, {}, "other", ""), Place(46, 6, 2, {}, "", "median"),
       Place(16, 7, 1, 1, "other", "median")},
      "people.gpkg", report);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].building, 1);
  EXPECT_EQ(r[0].people, 21);
  EXPECT_EQ(*r[0].dwellings, 6);
  EXPECT_EQ(r[0].use, BuildingUse::School);  // a school among homes and a shop
  EXPECT_EQ(*r[0].method, AssignMethod::Loudest);
  EXPECT_EQ(r[1].building, 2);
  EXPECT_EQ(r[1].people, 5);
  EXPECT_FALSE(r[1].dwellings);
  EXPECT_EQ(r[1].use, BuildingUse::Residential);  // an unset use counts as homes
  EXPECT_EQ(*r[1].method, AssignMethod::Median);
  EXPECT_EQ(report.places, 6);
  EXPECT_EQ(report.placed, 5);
  EXPECT_EQ(report.peopleOutside, 4.5);
  EXPECT_EQ(PopulationLayerText(report),
            "6 features, 5 inside a building (2 buildings), 1 outside (4.5 people left out)");
}

TEST(PopulationLayer, UnknownWordsNameTheSourceAndFeature) {
  const Project p = TwoBuildings();
  PopulationLayerReport report;
  try {
    PopulationFromPlaces(p, {Place(5, 5, 1, {}, "shop")}, "people.gpkg", report);
    ADD_FAILURE() << "a shop was taken for a use";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "people.gpkg: layer people, feature 7: use \"shop\" is not "
              "residential, school, hospital or other");
  }
  // Even outside every building: the source is at fault, not the model.
  EXPECT_THROW(PopulationFromPlaces(p, {Place(30, 5, 1, {}, "", "half")}, "people.gpkg", report),
               FileError);
}

}  // namespace
}  // namespace sonvale
