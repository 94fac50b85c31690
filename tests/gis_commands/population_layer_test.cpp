// Layers of people read for the façade exposure, written by GDAL's own ogr2ogr
// from GeoJSON texts: a place per feature (a point inside each polygon), the
// mapped figures, reprojection, and the errors of sources that do not fit.
#include "gis_commands/population_layer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "gis_commands/crs_wkt.h"
#include "gis_commands/geojson_sources.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

// An L-shaped block (its centroid lies outside it), an address point, and a
// feature without geometry.
const char* const kPeople = R"({"type": "FeatureCollection",
 "crs": {"type": "name", "properties": {"name": "urn:ogc:def:crs:EPSG::32632"}},
 "features": [
  {"type": "Feature", "properties": {"POP": 40, "DW": 17, "USE": "school", "HOW": "loudest"},
   "geometry": {"type": "Polygon", "coordinates": [[[500000, 4500000], [500030, 4500000],
     [500030, 4500004], [500004, 4500004], [500004, 4500030], [500000, 4500030],
     [500000, 4500000]]]}},
  {"type": "Feature", "properties": {"POP": 2.5, "DW": null, "USE": null, "HOW": null},
   "geometry": {"type": "Point", "coordinates": [500100.5, 4500200.25]}},
  {"type": "Feature", "properties": {"POP": 9, "DW": 1, "USE": null, "HOW": null},
   "geometry": null}
 ]})";

using PopulationLayerTest = GeoJsonSources;

TEST_F(PopulationLayerTest, APlacePerFeatureWithItsFigures) {
  const std::string gpkg = Convert(kPeople, "people.gpkg", "-f GPKG -nln people");
  PopulationLayerOptions o;
  o.fields = {{"people", "POP"}, {"dwellings", "DW"}, {"use", "USE"}, {"method", "HOW"}};
  const std::vector<PopulationPlace> places = ReadPopulationLayer(gpkg, o);
  ASSERT_EQ(places.size(), 2u);
  // Inside the L, not at its centroid.
  const PopulationPlace& block = places[0];
  EXPECT_TRUE((block.x <= 500004 && block.y <= 4500030) ||
              (block.y <= 4500004 && block.x <= 500030))
      << block.x << " " << block.y;
  EXPECT_GE(block.x, 500000);
  EXPECT_GE(block.y, 4500000);
  EXPECT_EQ(block.people, 40);
  EXPECT_EQ(*block.dwellings, 17);
  EXPECT_EQ(block.use, "school");
  EXPECT_EQ(block.method, "loudest");
  EXPECT_EQ(block.where, "layer people, feature 1");
  const PopulationPlace& address = places[1];
  EXPECT_EQ(address.x, 500100.5);
  EXPECT_EQ(address.y, 4500200.25);
  EXPECT_EQ(address.people, 2.5);
  EXPECT_FALSE(address.dwellings);
  EXPECT_EQ(address.use, "");

  // From degrees into the project's system.
  const std::string wgs = Convert(kPeople, "people84.gpkg", "-f GPKG -t_srs EPSG:4326");
  o.fields = {{"people", "POP"}};
  o.targetCrsWkt = CrsWkt(32632);
  const std::vector<PopulationPlace> back = ReadPopulationLayer(wgs, o);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_NEAR(back[1].x, 500100.5, 1e-3);
  EXPECT_NEAR(back[1].y, 4500200.25, 1e-3);
}

TEST_F(PopulationLayerTest, SourcesThatDoNotFitAreRefused) {
  const std::string gpkg = Convert(kPeople, "people.gpkg", "-f GPKG -nln people");
  auto message = [&](const PopulationLayerOptions& o) {
    try {
      ReadPopulationLayer(gpkg, o);
    } catch (const std::exception& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  PopulationLayerOptions o;
  o.fields = {{"people", "ABITANTI"}};
  EXPECT_NE(message(o).find("has no field ABITANTI (fields: POP, DW, USE, HOW)"), std::string::npos)
      << message(o);
  o.fields = {{"dwellings", "DW"}};
  EXPECT_NE(message(o).find("layer people: no field is named for the people (fields: POP, DW, "
                            "USE, HOW)"),
            std::string::npos)
      << message(o);
  o.fields = {{"people", "POP"}, {"households", "DW"}};
  EXPECT_THROW(ReadPopulationLayer(gpkg, o), std::invalid_argument);
  o.fields = {{"people", "USE"}};  // text where a number belongs
  EXPECT_NE(message(o).find("layer people, feature 1: people = \"school\" is not a number"),
            std::string::npos)
      << message(o);
  o.fields = {{"people", "POP"}};
  o.layer = "abitanti";
  EXPECT_NE(message(o).find("no layer named abitanti"), std::string::npos);
  // A second layer in the source: which one must be said.
  Convert(kPeople, "people.gpkg", "-f GPKG -update -nln again");
  o.layer = "";
  EXPECT_NE(message(o).find("the source holds 2 layers (people, again): name one with "
                            "--population-layer"),
            std::string::npos)
      << message(o);
  EXPECT_THROW(ReadPopulationLayer(dir_.file("missing.gpkg"),
                                   PopulationLayerOptions{{}, {{"people", "POP"}}, ""}),
               FileError);
}

}  // namespace
}  // namespace sonvale
