// GIS sources for the tests, written by GDAL's own ogr2ogr from GeoJSON texts,
// in a scratch folder of the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/cli_run.h"
#include "support/table_files.h"

namespace sonvale {

class GeoJsonSources : public ::testing::Test {
 protected:
  // Writes the GeoJSON text and converts it with ogr2ogr and its arguments into
  // the file `name` of the scratch folder.
  std::string Convert(const char* geojson, const std::string& name, const std::string& args) {
    std::string json = dir_.file(name + ".geojson");
    WriteTextFile(json, geojson);
    std::string out = dir_.file(name);
    CliRun r = RunCommand("ogr2ogr " + args + " " + Quote(out) + " " + Quote(json));
    EXPECT_EQ(r.status, 0) << r.out;
    return out;
  }
  ScratchFolder dir_;
};

}  // namespace sonvale
