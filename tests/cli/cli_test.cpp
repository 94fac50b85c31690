// Runs sonvale-cli as a consultant's script would and checks what it writes,
// prints and returns.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "support/cli_run.h"
#include "support/file_contents.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

const std::string kTown = std::string(SONVALE_SOURCE_DIR) + "/examples/town/town.svp";

// A project with one road and no traffic at all.
std::string EmptyRoadProject() {
  return "\"Sonvale noise model\",\"Vers.#\",\"3.6\"\r\n"
         "\"Nstrade\",1\r\n"
         "\"Strada n.\",1,\"Nome\",\"Vuota\",\"Npunti=\",2\r\n"
         "\"Pendenza\",0,\"Pavimentaz.\",0\r\n"
         "\"hmedia edifici lato SX\",0,\"hmedia edifici lato DX\",0\r\n"
         "\"Livello equivalente di emissione (a 7.5m dall'asse) day =\",0,"
         "\"Livello equivalente di emissione (a 7.5m dall'asse) night =\",0\r\n"
         "\"tipo V 1 - Nveic/day =\",0,\"Velocità =\",0\r\n"
         "\"tipo V 2 - Nveic/day =\",0,\"Velocità =\",0\r\n"
         "\"tipo V 3 - Nveic/day =\",0,\"Velocità =\",0\r\n"
         "\"tipo V 4 - Nveic/day =\",0,\"Velocità =\",0\r\n"
         "\"tipo V 5 - Nveic/day =\",0,\"Velocità =\",0\r\n"
         "\"tipo V 1 - Nveic/night =\",0,\"Velocità =\",0\r\n"
         "\"tipo V 2 - Nveic/night =\",0,\"Velocità =\",0\r\n"
         "\"tipo V 3 - Nveic/night =\",0,\"Velocità =\",0\r\n"
         "\"tipo V 4 - Nveic/night =\",0,\"Velocità =\",0\r\n"
         "\"tipo V 5 - Nveic/night =\",0,\"Velocità =\",0\r\n"
         "\"P.num.\",\"X\",\"Y\",\"Z\",\"SW\",\"EW\"\r\n"
         " 1 , 0 , 0 , 0 , 10 , 10 \r\n"
         " 2 , 100 , 0 , 0 , 10 , 10 \r\n"
         "\"Nbinari\",0\r\n\"Nsezioni\",0\r\n\"Nbarr\",0\r\n\"Ncase\",0\r\n\"Nincr\",0\r\n"
         "\"Npunti\",0\r\n\"Punto n.\",\"X\",\"Y\",\"Z\"\r\n"
         "\"Quota Z mappatura\",0\r\n\"Sovralzo Z sul terreno\",0\r\n"
         "\"Calcolo Diffrazione Barriere\",#FALSE#\r\n\"Calcolo Diffrazione Case\",#FALSE#\r\n"
         "\"Calcolo su piano orizzontale\",0\r\n\"Calcolo nel periodo diurno\",#TRUE#\r\n"
         "\"Flag di Calcolo\",0\r\n\"Distanza Massima di Calcolo\",2500\r\n"
         "\"Nome File Altimetria\",\"\"\r\n\"Algorithm\",0\r\n\"Anno\",0\r\n"
         "\"NdivX\",10\r\n\"NdivY\",10\r\n\"NdivO\",10\r\n\"NdivZ\",10\r\n"
         "\"Current plan\",0\r\n\"Plans\"\r\n\"Nplans\",0\r\n\"EntityList\"\r\n\"EndFile\"\r\n";
}

TEST(CliTest, ResaveStopsOnMissingEmissionUnlessYes) {
  ScratchFolder dir;
  const std::string in = dir.file("empty.svp");
  WriteTextFile(in, EmptyRoadProject());

  CliRun r = Cli("resave " + Quote(in) + " " + Quote(dir.file("out.svp")));
  EXPECT_EQ(r.status, 3) << r.out;
  EXPECT_NE(r.out.find("Alcune entità Strade o Binari non sono state dotate di dati di emissione "
                       "acustica - Proseguo comunque ?"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(std::ifstream(dir.file("out.svp")).good());

  // With --yes it writes; --year answers the year question of a file without one.
  r = Cli("resave " + Quote(in) + " " + Quote(dir.file("out.svp")) + " --yes --year 2012");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(FileContents(dir.file("out.svp")).find("\"Anno\",2012\r\n"), std::string::npos);
  r = Cli("resave " + Quote(in) + " " + Quote(dir.file("out2.svp")) + " --yes");
  EXPECT_NE(FileContents(dir.file("out2.svp")).find("\"Anno\",2008\r\n"), std::string::npos);
}

TEST(CliTest, BadInputGivesStatusTwoAndFileLine) {
  ScratchFolder dir;
  const std::string bad = dir.file("bad.svp");
  WriteTextFile(bad, "\"x\",\"Vers.#\",\"3.6\"\r\n\"Nstrade\",due\r\n");
  CliRun r = Cli("info " + Quote(bad));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out.rfind(bad + ":2: ", 0), 0u) << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;

  EXPECT_EQ(Cli("info " + Quote(dir.file("missing.svp"))).status, 2);
  EXPECT_EQ(Cli("map " + Quote(kTown) + " --out x.grd --ndiv 0,10").status, 2);
  EXPECT_EQ(Cli("map " + Quote(kTown)).status, 2);  // no --out
  EXPECT_EQ(Cli("frobnicate").status, 2);
}

// What a bad file makes the program print: status 2, a short message naming the
// file and the line, with no byte that a terminal would take for a command.
void ExpectCleanRefusal(const CliRun& r, const std::string& says) {
  EXPECT_EQ(r.status, 2) << r.out;
  EXPECT_NE(r.out.find(says), std::string::npos) << r.out;
  EXPECT_LT(r.out.size(), 400u) << r.out;
  EXPECT_TRUE(std::none_of(r.out.begin(), r.out.end(), [](char c) {
    return c != '\n' && static_cast<unsigned char>(c) < 0x20;
  })) << r.out;
}

// The same in one line that starts with FILE:LINE.
void ExpectOneCleanLine(const CliRun& r, const std::string& start, const std::string& says) {
  ExpectCleanRefusal(r, says);
  EXPECT_EQ(r.out.rfind(start, 0), 0u) << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
}

TEST(CliTest, GarbageInAnyReaderGivesOneShortPrintableLine) {
  ScratchFolder dir;
  // An unknown mapping mode is refused where the file says it, not when mapping.
  const std::string mode = dir.file("mode.svp");
  std::string text = EmptyRoadProject();
  text.replace(text.find("orizzontale\",0"), 13, "orizzontale\",7");
  WriteTextFile(mode, text);
  const long line = std::count(text.begin(), text.begin() + text.find("orizzontale\",7"), '\n') + 1;
  const std::string at = mode + ":" + std::to_string(line) + ": ";
  ExpectOneCleanLine(Cli("info " + Quote(mode)), at, "Modo di mappatura sconosciuto:7");
  ExpectOneCleanLine(Cli("map " + Quote(mode) + " --out " + Quote(dir.file("m.grd"))), at,
                     "Modo di mappatura sconosciuto:7");

  // A binary grid given as terrain is named for what it is.
  const std::string binary = dir.file("binary.grd");
  WriteTextFile(binary, std::string("DSBB\x02\x00\x02\x00", 8) + std::string(64, '\x1b'));
  ExpectOneCleanLine(Cli("map " + Quote(kTown) + " --mode terrain --terrain " + Quote(binary) +
                         " --out " + Quote(dir.file("t.grd"))),
                     binary + ":1: ", "binary grid (DSBB)");

  // A megabyte line with escape sequences in a DXF drawing.
  const std::string dxf = dir.file("garbage.dxf");
  WriteTextFile(dxf, "0\nSECTION\n2\nENTITIES\n0\nLINE\n\x1b]2;x\x07" +
                         std::string(1'000'000, 'A') + "\n1\n0\nEOF\n");
  ExpectCleanRefusal(Cli("import-dxf " + Quote(dxf) + " --out " + Quote(dir.file("o.svp"))),
                     dxf + ":7: Invalid group code line: \"\\x1B]2;x\\x07AAA");
}

TEST(CliTest, CsvImportIntoAFullTableWritesWhatFitsAndSaysSoOnStderr) {
  ScratchFolder dir;
  const std::string csv = dir.file("punti.csv");
  std::string text = "N,X,Y,Z,NOME\n";
  for (long i = 1; i <= 40002; ++i) text += "1,2,3,4,P\n";
  WriteTextFile(csv, text);
  const std::string out = dir.file("out.svp");
  CliRun r = Cli("import-csv punti " + Quote(csv) + " --out " + Quote(out) + " --yes");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find(csv + ":40002: the point table is full (40000): 2 records from this line "
                             "on were left out"),
            std::string::npos)
      << r.out;
  r = Cli("info " + Quote(out));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Punti         40000"), std::string::npos) << r.out;
}

TEST(CliTest, InfoAndEmissionOfTheExampleTown) {
  CliRun r = Cli("info " + Quote(kTown));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Strade           30"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Case             60"), std::string::npos);

  r = Cli("emission " + Quote(kTown));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("roads and tracks without emission: 0"), std::string::npos) << r.out;
  // Two years later every computed road is 1 dB quieter; the fixed road and the track stay.
  CliRun later = Cli("emission " + Quote(kTown) + " --year 2010");
  ASSERT_EQ(later.status, 0);
  EXPECT_NE(r.out, later.out);
}

TEST(CliTest, MapOfTheExampleTownOpensInGdal) {
  ScratchFolder dir;
  const std::string base = dir.file("town.grd");
  CliRun r = Cli("map " + Quote(kTown) + " --out " + Quote(base) + " --ndiv 20,15 --quiet");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find(dir.file("town_D.grd")), std::string::npos);
  EXPECT_NE(r.out.find(dir.file("town_N.grd")), std::string::npos);
  EXPECT_EQ(FileContents(dir.file("town_D.grd")).rfind("DSAA\r\n 21  16 \r\n", 0), 0u);

  ASSERT_EQ(std::system("command -v gdalinfo >/dev/null 2>&1"), 0)
      << "gdalinfo is not installed (Debian gdal-bin; tools/install-deps.sh)";
  for (const char* name : {"town_D.grd", "town_N.grd"}) {
    const CliRun info = RunCommand("gdalinfo -stats " + Quote(dir.file(name)));
    const std::string& out = info.out;
    EXPECT_EQ(info.status, 0) << out;
    EXPECT_NE(out.find("Size is 21, 16"), std::string::npos) << out;
    EXPECT_NE(out.find("STATISTICS_VALID_PERCENT=100"), std::string::npos) << out;
  }
}

TEST(CliTest, FastAndReferenceEnginesWriteTheSameGrids) {
  ScratchFolder dir;
  const std::string common = Quote(kTown) + " --ndiv 30,30 --quiet --period day";
  ASSERT_EQ(Cli("map " + common + " --out " + Quote(dir.file("f.grd")) + " --engine fast").status,
            0);
  ASSERT_EQ(Cli("map " + common + " --out " + Quote(dir.file("r.grd")) +
                " --engine reference --threads 1")
                .status,
            0);
  std::string fast = FileContents(dir.file("f_D.grd"));
  EXPECT_GT(fast.size(), 1000u);
  EXPECT_EQ(fast, FileContents(dir.file("r_D.grd")));
  EXPECT_EQ(Cli("map " + common + " --out x.grd --engine quick").status, 2);
}

TEST(CliTest, PointsWriteTheDataFileAndTheList) {
  ScratchFolder dir;
  CliRun r = Cli("points " + Quote(kTown) + " --out " + Quote(dir.file("p.dat")) + " --quiet");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("  N. Nome       X          Y         Z    LeqDay LeqNight"),
            std::string::npos);
  std::string dat = FileContents(dir.file("p.dat"));
  EXPECT_EQ(dat.rfind("N.\tX\tY\tZ\tLeq Day\tLeq Night\r\n", 0), 0u) << dat;
  EXPECT_EQ(std::count(dat.begin(), dat.end(), '\n'), 16);  // header and 15 points
}

}  // namespace
}  // namespace sonvale
