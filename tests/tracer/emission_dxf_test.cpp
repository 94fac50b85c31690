// The emission-level drawing: segment levels and band colours, the exact file
// layout and the painting on the map; and both drawings of the example town
// opened by two independent DXF readers (ezdxf and GDAL).
#include "tracer/emission_dxf.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <sstream>

#include "emission/emission_update.h"
#include "exchange/model_dxf_writer.h"
#include "platform/paths.h"
#include "project/emission_tables.h"
#include "project/project_file.h"
#include "support/recording_canvas.h"
#include "text/number_text.h"
#include "tracer_test_support.h"
#include "view/level_colour.h"

namespace sonvale {
namespace {

using namespace testing_tracer;

Configuration Corrections() {
  Configuration c;
  c.DistMin = 3;
  c.CorrLatoEdificato = 2;
  c.CorrStradaStretta = 3;
  c.CorrCanyon = 5;
  return c;
}

TEST(EmissionDxfTest, SegmentLevelAndBandColour) {
  const Configuration c = Corrections();
  struct Case {
    float width;
    double L, hsx, hdx;
    bool at75;
    int level;
  };
  const Case cases[] = {
      {10, 70.2, 0, 0, true, 70},   // Int(70.7)
      {10, 70.2, 0, 0, false, 72},  // d = 5: Int(70.7 + 1.761)
      {8, 60, 10, 10, true, 65},    // w = 4: the canyon (10 > 8) overrides the narrow street
      {8, 60, 6, 6, true, 63},      // narrow street only
      {8, 60, 6, 0, true, 62},      // buildings on one side
      {20, 60, 19, 19, true, 62},   // w = 10: too wide to be narrow, 19 > 20 not a canyon
      {18, 60, 19, 19, true, 65},   // w = 9: 19 > 18 is a canyon
      {1, 70.2, 0, 0, false, 74},   // w = 0.5 is raised to DistMin = 3: 70.7 + 3.98
      {10, 49.4, 0, 0, true, 49},   // Int(49.9): towards minus infinity
  };
  for (const Case& k : cases) {
    LineVertex v{0, 0, 0, k.width, k.width};
    EXPECT_EQ(SegmentEmissionLevel(v, k.L, k.hsx, k.hdx, c, k.at75), k.level)
        << "width " << k.width << " hsx " << k.hsx << " hdx " << k.hdx;
  }
  // No width and no minimum distance at the facade: bounded, not infinite.
  Configuration zero = c;
  zero.DistMin = 0;
  EXPECT_EQ(SegmentEmissionLevel(LineVertex{}, 60, 0, 0, zero, false), 32767);

  const std::pair<int, int> colours[] = {{70, 70},  {50, 190}, {51, 190}, {52, 180},
                                         {40, 190}, {85, 10},  {66, 100}, {45, 190}};
  for (auto [level, colour] : colours) EXPECT_EQ(BandColour(level), colour) << level;
}

std::string Lines(std::initializer_list<const char*> lines) {
  std::string s;
  for (const char* l : lines) s += std::string(l) + "\r\n";
  return s;
}

TEST(EmissionDxfTest, BandsBackgroundsAndLabelsInOrderAndOnTheMap) {
  Project p;
  Strada& road = p.strade.addEntity();
  road.LeqDay = 70.2;
  road.LeqNight = 50;
  // The second stretch has no length: no band, but a background and a label.
  road.vertices = {{0, 0, 0, 10, 10}, {100, 0, 0, 10, 10}, {100, 0, 0, 10, 10}};
  Binario& track = p.binari.addEntity();
  track.LeqDay = 65.6;
  track.vertices = {{0, 100, 0, 2, 2}, {0, 200, 0, 2, 2}};  // widths below DistMin (3 m)

  RecordingCanvas canvas(1000, 1000);
  canvas.setWindow({0, 1000, 1000, -1000});  // 1 m per pixel
  std::string text = EmissionDxfText(p, Corrections(), true, &canvas);

  auto corner = [](const char* code, const char* x, const char* y) {
    std::string yc = PrintInteger(std::stoi(code) + 10), zc = PrintInteger(std::stoi(code) + 20);
    return Lines({code, x, yc.c_str(), y, zc.c_str(), " 0"});
  };
  std::string expected =
      Lines({" 0 ", "SECTION", " 2 ", "ENTITIES", " 0 ", "SOLID", " 8 ", "70dB", " 62 ", " 70 "}) +
      corner(" 10 ", " 0 ", "-5 ") + corner(" 11 ", " 100 ", "-5 ") + corner(" 12 ", " 0 ", " 5 ") +
      corner(" 13 ", " 100 ", " 5 ") + Lines({" 0 ", "SOLID", " 8 ", "66dB", " 62 ", " 100 "}) +
      corner(" 10 ", " 1.5 ", " 100 ") + corner(" 11 ", " 1.5 ", " 200 ") +
      corner(" 12 ", "-1.5 ", " 100 ") + corner(" 13 ", "-1.5 ", " 200 ");
  expected += Lines({" 0 ", "SOLID", " 8 ", "0", " 62 ", " 61 "}) +
              corner(" 10 ", " 10 ", "-26.6 ") + corner(" 11 ", " 90 ", "-26.6 ") +
              corner(" 12 ", " 10 ", " 26.6 ") + corner(" 13 ", " 90 ", " 26.6 ") +
              Lines({" 0 ", "SOLID", " 8 ", "0", " 62 ", " 61 "}) +
              corner(" 10 ", " 60 ", "-26.6 ") + corner(" 11 ", " 140 ", "-26.6 ") +
              corner(" 12 ", " 60 ", " 26.6 ") + corner(" 13 ", " 140 ", " 26.6 ") +
              Lines({" 0 ", "SOLID", " 8 ", "0", " 62 ", " 61 "}) +
              corner(" 10 ", "-23.3 ", " 133.4 ") + corner(" 11 ", " 56.7 ", " 133.4 ") +
              corner(" 12 ", "-23.3 ", " 186.6 ") + corner(" 13 ", " 56.7 ", " 186.6 ");
  expected +=
      Lines({" 0 ",  "TEXT", " 8 ",  "0",      " 10 ", " 16.6 ", " 20 ", "-20 ", " 30 ", " 0 ",
             " 40 ", " 40 ", " 1 ",  "70",     " 0 ",  "TEXT",   " 8 ",  "0",    " 10 ", " 66.6 ",
             " 20 ", "-20 ", " 30 ", " 0 ",    " 40 ", " 40 ",   " 1 ",  "70",   " 0 ",  "TEXT",
             " 8 ",  "0",    " 10 ", "-16.7 ", " 20 ", " 140 ",  " 30 ", " 0 ",  " 40 ", " 40 ",
             " 1 ",  "66",   " 0 ",  "ENDSEC", " 0 ",  "EOF"});
  EXPECT_EQ(text, expected);

  // The map: one thick line per band (mean width in pixels, at least 5), in the
  // level colour scale; each level centred on its segment (8 x 12 px letters).
  auto lines = canvas.of(Drawn::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].pen.width, 10);
  EXPECT_EQ(lines[0].pen.colour, LevelColour((70 - 40) * 255.0 / 50));
  EXPECT_EQ(lines[0].x2, 100);
  EXPECT_EQ(lines[1].pen.width, 5);
  EXPECT_EQ(lines[1].pen.colour, LevelColour((66 - 40) * 255.0 / 50));
  auto texts = canvas.of(Drawn::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1].text, "70");
  EXPECT_EQ(texts[1].x1, 100 - 8);
  EXPECT_EQ(texts[1].y1, 0 + 6);
  EXPECT_EQ(texts[2].text, "66");
  EXPECT_EQ(texts[2].x1, -8);
  EXPECT_EQ(texts[2].y1, 156);
  EXPECT_EQ(canvas.pen().width, 1);

  // Night at the facade: d = w = 5 for the road, 50.5 + 1.76.
  p.Diurno = false;
  std::string night = EmissionDxfText(p, Corrections(), false);
  EXPECT_NE(night.find(Lines({" 8 ", "52dB", " 62 ", " 180 "})), std::string::npos);
}

// Entity counts by layer as a reader reports them: "NAME COUNT" lines.
std::map<std::string, long> CountLines(const std::string& out) {
  std::map<std::string, long> m;
  std::istringstream in(out);
  std::string name;
  long n = 0;
  while (in >> name >> n) m[name] = n;
  return m;
}

// ogrinfo's SQL answer: "Layer (String) = X" followed by "n (Integer) = N".
std::map<std::string, long> OgrLayerCounts(const std::string& out) {
  std::map<std::string, long> m;
  std::istringstream in(out);
  std::string line, layer;
  while (std::getline(in, line)) {
    size_t eq = line.find(" = ");
    if (eq == std::string::npos) continue;
    if (line.find("Layer (String)") != std::string::npos) layer = line.substr(eq + 3);
    if (line.find("n (Integer)") != std::string::npos) m[layer] = std::stol(line.substr(eq + 3));
  }
  return m;
}

const char* const kEzdxfScript =
    "import sys, collections\n"
    "from ezdxf import recover\n"
    "doc, auditor = recover.readfile(sys.argv[1])\n"
    "print('errors', len(auditor.errors))\n"
    "for e in auditor.errors: print('#', e.message, file=sys.stderr)\n"
    "c = collections.Counter(e.dxftype() for e in doc.modelspace())\n"
    "for k in sorted(c): print(k, c[k])\n";

TEST(EmissionDxfTest, ExampleTownDrawingsOpenInEzdxfAndGdal) {
  ASSERT_EQ(RunTool("/usr/bin/python3 -c 'import ezdxf'"), 0)
      << "/usr/bin/python3 lacks ezdxf (Debian python3-ezdxf; tools/install-deps.sh)";
  ASSERT_TRUE(HaveTool("ogrinfo"))
      << "ogrinfo is not installed (Debian gdal-bin; tools/install-deps.sh)";

  const std::string data = SONVALE_SOURCE_DIR "/data";
  Configuration config = ReadConfiguration(data + "/sonvale.ini");
  EmissionTables tables = LoadEmissionTables(TablePath(data, config.TablesDir, ""));
  Project town;
  ReadProjectFile(SONVALE_SOURCE_DIR "/examples/town/town.svp", town);
  UpdateEmissions(town, config, tables);

  fs::path dir = FreshDir("emission_dxf");
  const std::string model = (dir / "town.dxf").string();
  const std::string levels = (dir / "levels.dxf").string();
  WriteModelDxf(town, model);
  WriteEmissionDxf(town, config, true, levels);

  long segments = 0, bands = 0;
  auto countSegments = [&](const auto& table) {
    for (long i = 1; i <= table.count(); ++i) {
      for (long k = 1; k < table[i].Npunti(); ++k) {
        ++segments;
        if (table[i].vertex(k).X != table[i].vertex(k + 1).X ||
            table[i].vertex(k).Y != table[i].vertex(k + 1).Y)
          ++bands;
      }
    }
  };
  countSegments(town.strade);
  countSegments(town.binari);
  const long labelled = town.strade.count() + town.barriere.count() + town.case_.count();
  ASSERT_GT(town.faces.count(), 0);
  ASSERT_GT(town.sources.count(), 0);

  Spit(dir / "audit.py", kEzdxfScript);
  for (const std::string& f : {model, levels}) {
    std::string out;
    ASSERT_EQ(
        RunTool("/usr/bin/python3 " + Quote((dir / "audit.py").string()) + " " + Quote(f), &out), 0)
        << out;
    auto counts = CountLines(out);
    EXPECT_EQ(counts["errors"], 0) << out;
    if (f == model) {
      EXPECT_EQ(counts["3DFACE"], town.faces.count());
      EXPECT_EQ(counts["CIRCLE"], town.sources.count());
      EXPECT_EQ(counts["LINE"], town.receivers.count());
      EXPECT_EQ(counts["POLYLINE"], town.holes.count() + town.doors.count() + labelled);
      EXPECT_EQ(counts["TEXT"], labelled);
    } else {
      EXPECT_EQ(counts["SOLID"], bands + segments);
      EXPECT_EQ(counts["TEXT"], segments);
    }
  }

  for (const std::string& f : {model, levels}) {
    std::string out;
    ASSERT_EQ(RunTool("ogrinfo -ro -so -al " + Quote(f), &out), 0) << out;
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;
    const long total = f == model
                           ? town.faces.count() + town.sources.count() + town.receivers.count() +
                                 town.holes.count() + town.doors.count() + 2 * labelled
                           : bands + 2 * segments;
    EXPECT_NE(out.find("Feature Count: " + PlainInteger(total)), std::string::npos) << out;
    ASSERT_EQ(RunTool("ogrinfo -ro -q -dialect SQLite -sql "
                      "'SELECT Layer, COUNT(*) AS n FROM entities GROUP BY Layer' " +
                          Quote(f),
                      &out),
              0)
        << out;
    auto layers = OgrLayerCounts(out);
    if (f == model) {
      EXPECT_EQ(layers["STRADE"], town.strade.count());
      EXPECT_EQ(layers["NOMI-STRADE"], town.strade.count());
      EXPECT_EQ(layers["CASE"], 2 * town.case_.count());
      EXPECT_EQ(layers["BARRIERE"], 2 * town.barriere.count());
      EXPECT_EQ(layers["SOURCES"], town.sources.count());
      EXPECT_EQ(layers["HOLES"], town.holes.count());
    } else {
      long inBands = 0;
      for (const auto& [name, n] : layers) {
        if (name.size() > 2 && name.substr(name.size() - 2) == "dB") inBands += n;
      }
      EXPECT_EQ(inBands, bands);
      EXPECT_EQ(layers["0"], 2 * segments);
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace sonvale
