// The exposure command on the example town: the files it writes, a run split in
// parts joined into the same files, and bad population files refused with
// their line, status 2 and no output folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/cli_run.h"
#include "support/file_contents.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

const std::string kTown = std::string(SONVALE_SOURCE_DIR) + "/examples/town/town.svp";

fs::path Fresh(const std::string& name) {
  fs::path dir = fs::path(testing::TempDir()) / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void Write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

TEST(ExposureCli, WritesTheFilesOfOneRunAndItsParts) {
  fs::path dir = Fresh("exposure_run");
  Write(dir / "pop.csv",
        "building,people,dwellings,use,method\n1,120\n2,300,,school\n3,50,20,,loudest\n");
  const std::string common = Quote(kTown) + " --population " + Quote((dir / "pop.csv").string()) +
                             " --estimate 40 --yes --quiet --threads 2";
  CliRun one = Cli("exposure " + common + " --out " + Quote((dir / "one").string()));
  ASSERT_EQ(one.status, 0) << one.out;
  for (const char* f : {"facade_points.csv", "buildings.csv", "exposure.csv", "health.csv",
                        "report.html", "people_per_band.png", "facade_points.png"}) {
    EXPECT_TRUE(fs::exists(dir / "one" / f)) << f;
  }
  EXPECT_FALSE(fs::exists(dir / "one" / "areas.csv"));  // no grids given
  const std::string points = FileContents(dir / "one" / "facade_points.csv");
  EXPECT_EQ(points.rfind("building,facade,point,x,y,z,length,day,night,lden,people,road_day,"
                         "road_night,road_lden,rail_day,rail_night,rail_lden\r\n",
                         0),
            0u);
  const std::string exposure = FileContents(dir / "one" / "exposure.csv");
  EXPECT_EQ(exposure.rfind("source,indicator,band,people,dwellings,schools,hospitals,"
                           "people_exact,dwellings_exact\r\nroad,Lden,55-59,",
                           0),
            0u);
  // 3 sources x 2 indicators x 5 bands, and the school counted once per table.
  EXPECT_EQ(std::count(exposure.begin(), exposure.end(), '\n'), 31);
  const std::string report = FileContents(dir / "one" / "report.html");
  EXPECT_NE(report.find("taken equal to the day level"), std::string::npos);
  EXPECT_NE(report.find("12,4,8"), std::string::npos);

  // Two parts and the merge give the files of the single run.
  for (const char* part : {"1/2", "2/2"}) {
    CliRun r =
        Cli("exposure " + common + " --part " + part + " --out " + Quote((dir / "parts").string()));
    ASSERT_EQ(r.status, 0) << r.out;
  }
  CliRun merge = Cli("exposure-merge " + common + " --out " + Quote((dir / "merged").string()) +
                     " " + Quote((dir / "parts" / "exposure.part2of2").string()) + " " +
                     Quote((dir / "parts" / "exposure.part1of2").string()));
  ASSERT_EQ(merge.status, 0) << merge.out;
  for (const char* f : {"facade_points.csv", "buildings.csv", "exposure.csv", "health.csv"})
    EXPECT_EQ(FileContents(dir / "merged" / f), FileContents(dir / "one" / f)) << f;
  CliRun lacking = Cli("exposure-merge " + common + " --out " + Quote((dir / "m2").string()) + " " +
                       Quote((dir / "parts" / "exposure.part2of2").string()));
  EXPECT_EQ(lacking.status, 2);
  EXPECT_NE(lacking.out.find("part 1 of 2 is missing"), std::string::npos) << lacking.out;
  EXPECT_FALSE(fs::exists(dir / "m2"));
}

TEST(ExposureCli, AreasFromAMapAndStyledGeoPackages) {
  fs::path dir = Fresh("exposure_map");
  const std::string grd = (dir / "m.grd").string();
  CliRun map = Cli("map " + Quote(kTown) + " --out " + Quote(grd) +
                   " --mode plane --ndiv 20,20 --yes --quiet");
  ASSERT_EQ(map.status, 0) << map.out;
  CliRun r = Cli("exposure " + Quote(kTown) + " --estimate 40 --map " + Quote(grd) +
                 " --crs EPSG:32632 --yes --quiet --out " + Quote((dir / "out").string()));
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string areas = FileContents(dir / "out" / "areas.csv");
  EXPECT_EQ(areas.rfind("indicator,threshold,area_km2,people,dwellings,people_exact,"
                        "dwellings_exact\r\nLden,55,",
                        0),
            0u)
      << areas;
  EXPECT_EQ(std::count(areas.begin(), areas.end(), '\n'), 4);
  for (const char* f : {"facade_points.gpkg", "buildings.gpkg"}) {
    const std::string gpkg = FileContents(dir / "out" / f);
    EXPECT_EQ(gpkg.rfind("SQLite format 3", 0), 0u) << f;
    EXPECT_NE(gpkg.find("lden_band"), std::string::npos) << f;  // the style's field
  }
}

// People of a GIS layer of address points go to the buildings the points lie
// in, from the fields named or found by their usual names; the run says how
// many fell outside, and a missing field is bad input.
TEST(ExposureCli, PeopleOfAGisLayer) {
  fs::path dir = Fresh("exposure_gis_people");
  Write(dir / "people.geojson", R"({"type": "FeatureCollection", "features": [
  {"type": "Feature", "properties": {"POP": 12, "USO": "school"},
   "geometry": {"type": "Point", "coordinates": [500140, 4500100]}},
  {"type": "Feature", "properties": {"POP": 8.5, "USO": null},
   "geometry": {"type": "Point", "coordinates": [500150, 4500130]}},
  {"type": "Feature", "properties": {"POP": 3, "USO": null},
   "geometry": {"type": "Point", "coordinates": [1, 1]}}]})");
  const std::string source = Quote((dir / "people.geojson").string());
  CliRun r = Cli("exposure " + Quote(kTown) + " --population-gis " + source +
                 " --population-fields people=POP,use=USO --yes --quiet --out " +
                 Quote((dir / "out").string()));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("3 features, 2 inside a building (1 building), 1 outside (3 people left "
                       "out)"),
            std::string::npos)
      << r.out;
  const std::string buildings = FileContents(dir / "out" / "buildings.csv");
  EXPECT_NE(buildings.find("\r\n1,20.50,8.91,school,"), std::string::npos) << buildings;
  EXPECT_NE(buildings.find("\r\n2,0.00,0.00,residential,"), std::string::npos) << buildings;

  // Without --population-fields, the fields are found by their usual names.
  CliRun found = Cli("exposure " + Quote(kTown) + " --population-gis " + source +
                     " --yes --quiet --out " + Quote((dir / "found").string()));
  ASSERT_EQ(found.status, 0) << found.out;
  EXPECT_NE(found.out.find("1 outside (3 people left out); fields people=POP, use=USO"),
            std::string::npos)
      << found.out;
  EXPECT_EQ(FileContents(dir / "found" / "buildings.csv"), buildings);

  CliRun bad = Cli("exposure " + Quote(kTown) + " --population-gis " + source +
                   " --population-fields people=ABITANTI --yes --quiet --out " +
                   Quote((dir / "bad").string()));
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("has no field ABITANTI"), std::string::npos) << bad.out;
  EXPECT_FALSE(fs::exists(dir / "bad"));
  CliRun both = Cli("exposure " + Quote(kTown) + " --population-gis " + source +
                    " --population x.csv --out " + Quote((dir / "both").string()));
  EXPECT_EQ(both.status, 2);
}

TEST(ExposureCli, BadPopulationFilesEndWithTheirLine) {
  fs::path dir = Fresh("exposure_bad");
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"building,people\n0,5\n", ":2: building 0 is not a building of the project"},
      {"building,people\n1,5\n99999,5\n", ":3: building 99999 is not a building of the project"},
      {"building,people\n1,-4\n", ":2: people is negative: -4"},
      {"building,people\n\n7\n", ":3: missing people"},
      {"building,people\n7,lots\n", ":2: people is not a number: \"lots\""},
  };
  for (const auto& c : cases) {
    Write(dir / "pop.csv", c.text);
    const fs::path out = dir / "out";
    CliRun r =
        Cli("exposure " + Quote(kTown) + " --population " + Quote((dir / "pop.csv").string()) +
            " --out " + Quote(out.string()) + " --yes --quiet");
    EXPECT_EQ(r.status, 2) << c.text;
    EXPECT_NE(r.out.find((dir / "pop.csv").string() + c.message), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    EXPECT_FALSE(fs::exists(out)) << c.text;
  }
  CliRun periods =
      Cli("exposure " + Quote(kTown) + " --periods 12,4,9 --out " + Quote((dir / "out").string()));
  EXPECT_EQ(periods.status, 2);
  EXPECT_FALSE(fs::exists(dir / "out"));
}

}  // namespace
}  // namespace sonvale
