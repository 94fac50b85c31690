// The project file as written: exact bytes of the lines whose layout other
// programs and older readers depend on, and a full write/read round trip.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "project/project_file.h"
#include "support/file_contents.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

fs::path TempDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  fs::path dir = fs::temp_directory_path() / (std::string("sonvale_projfile_") + info->name() +
                                              "_" + std::to_string(static_cast<long>(::getpid())));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

Strada MakeRoad(std::string name, long pavement) {
  Strada s;
  s.Nome = std::move(name);
  s.Pendenza = 2;
  s.Pavimentaz = pavement;
  s.HmedSX = 7.25;
  s.HmedDX = .5;
  s.LeqDay = 71.3;
  s.LeqNight = 63.9;
  for (int v = 1; v <= 5; ++v) {
    s.NveicDay[v] = 1000 * v + 1;
    s.NveicNight[v] = 100 * v + 2;
    s.VelDay[v] = v + 2;
    s.VelNight[v] = 7 - v;
  }
  s.vertices = {{1520.5, 300, 12.25, .1f, 7.5f}, {-.5, 1e6, 0, 10, 5}, {1234567.125, -42, 3, 3, 3}};
  return s;
}

TEST(ProjectFileWrite, EmptyProjectIsTheBareLayout) {
  Project p;
  const std::string expected =
      "\"Sonvale noise model\",\"Vers.#\",\"3.6\"\r\n"
      "\"Nstrade\",0\r\n"
      "\"Nbinari\",0\r\n"
      "\"Nsezioni\",0\r\n"
      "\"Nbarr\",0\r\n"
      "\"Ncase\",0\r\n"
      "\"Nincr\",0\r\n"
      "\"Npunti\",0\r\n"
      "\"Punto n.\",\"X\",\"Y\",\"Z\"\r\n"
      "\"Quota Z mappatura\",0\r\n"
      "\"Sovralzo Z sul terreno\",0\r\n"
      "\"Calcolo Diffrazione Barriere\",#FALSE#\r\n"
      "\"Calcolo Diffrazione Case\",#FALSE#\r\n"
      "\"Calcolo su piano orizzontale\",0\r\n"
      "\"Calcolo nel periodo diurno\",#TRUE#\r\n"
      "\"Flag di Calcolo\",0\r\n"
      "\"Distanza Massima di Calcolo\",2500\r\n"
      "\"Nome File Altimetria\",\"\"\r\n"
      "\"Algorithm\",1\r\n"
      "\"Anno\",2008\r\n"
      "\"NdivX\",0\r\n"
      "\"NdivY\",0\r\n"
      "\"NdivO\",0\r\n"
      "\"NdivZ\",0\r\n"
      "\"Current plan\",0\r\n"
      "\"Plans\"\r\n"
      "\"Nplans\",0\r\n"
      "\"EntityList\"\r\n"
      "\"EndFile\"\r\n";
  EXPECT_EQ(ProjectFileText(p), expected);
}

TEST(ProjectFileWrite, LinesOfEachSection) {
  Project p;
  p.strade.addEntity() = MakeRoad("Via Roma", 3);
  p.sezioni.addEntity() = Sezione{0, 5, 0, 100, 5.5, 30};
  p.incroci.addEntity() = Incrocio{10.125, -3, 99};
  Punto& pt = p.punti.addEntity();
  pt = Punto{1, -2, 1.5, "P1, sud"};
  p.AzzeraStandard = p.IgnoraRidFonoass = p.AzzeraFonoass = p.IgnoraFisse = true;
  const std::string t = ProjectFileText(p);

  EXPECT_NE(t.find("\"Nstrade\",1\r\n\"Strada n.\",1,\"Nome\",\"Via Roma\",\"Npunti=\",3\r\n"
                   "\"Pendenza\",2,\"Pavimentaz.\",3\r\n"
                   "\"hmedia edifici lato SX\",7.25,\"hmedia edifici lato DX\",.5\r\n"
                   "\"Livello equivalente di emissione (a 7.5m dall'asse) day =\",71.3,"
                   "\"Livello equivalente di emissione (a 7.5m dall'asse) night =\",63.9\r\n"
                   "\"tipo V 1 - Nveic/day =\",1001,\"Velocità =\",3\r\n"),
            std::string::npos);
  EXPECT_NE(t.find("\"tipo V 5 - Nveic/night =\",502,\"Velocità =\",2\r\n"
                   "\"P.num.\",\"X\",\"Y\",\"Z\",\"SW\",\"EW\"\r\n"
                   " 1 , 1520.5 , 300 , 12.25 , .1 , 7.5 \r\n"
                   " 2 ,-.5 , 1000000 , 0 , 10 , 5 \r\n"
                   " 3 , 1234567.125 ,-42 , 3 , 3 , 3 \r\n"
                   "\"Nbinari\",0\r\n"),
            std::string::npos);
  EXPECT_NE(
      t.find("\"Sezione n.\",1\r\nXl=, 0 ,YL=, 5 ,ZL=, 0 \r\nXR=, 100 ,YR=, 5.5 ,ZR=, 30 \r\n"),
      std::string::npos);
  EXPECT_NE(t.find("\"Nincr\",1\r\n\"Incrocio n.\",1\r\n\"X\",\"Y\"\r\n 10.125 ,-3 \r\n"),
            std::string::npos);
  EXPECT_NE(t.find("\"Punto n.\",\"X\",\"Y\",\"Z\"\r\n 1 , 1 ,-2 , 1.5 ,\"P1, sud\"\r\n"),
            std::string::npos);
  EXPECT_NE(t.find("\"Flag di Calcolo\",-15\r\n"), std::string::npos);

  p.AzzeraStandard = p.IgnoraRidFonoass = p.AzzeraFonoass = false;
  EXPECT_NE(ProjectFileText(p).find("\"Flag di Calcolo\",-8\r\n"), std::string::npos);
}

TEST(ProjectFileWrite, LevelsOfFixedAndComputedRoads) {
  Project p;
  p.strade.addEntity() = MakeRoad("Fissa", -1);
  p.strade[1].LeqDay = 0;  // zeroed by "Ignora Strade Fisse"
  p.strade[1].LeqNight = 0;
  p.strade[1].FixLeqDay = 75.5;
  p.strade[1].FixLeqNight = 69.25;
  p.strade.addEntity() = MakeRoad("Calcolata", 0);
  p.strade[2].FixLeqDay = 99;  // left over from when it was fixed: not written
  const std::string t = ProjectFileText(p);
  EXPECT_NE(t.find("\"Pavimentaz.\",-1\r\n\"hmedia edifici lato SX\",7.25,"
                   "\"hmedia edifici lato DX\",.5\r\n"
                   "\"Livello equivalente di emissione (a 7.5m dall'asse) day =\",75.5,"
                   "\"Livello equivalente di emissione (a 7.5m dall'asse) night =\",69.25\r\n"),
            std::string::npos);
  EXPECT_NE(t.find("\"Pavimentaz.\",0\r\n\"hmedia edifici lato SX\",7.25,"
                   "\"hmedia edifici lato DX\",.5\r\n"
                   "\"Livello equivalente di emissione (a 7.5m dall'asse) day =\",71.3,"),
            std::string::npos);

  // Read back, the fixed road has its typed levels both as used and as typed.
  Project back;
  ReadProjectText("fixed.svp", t, back);
  EXPECT_EQ(back.strade[1].LeqDay, 75.5);
  EXPECT_EQ(back.strade[1].LeqNight, 69.25);
  EXPECT_EQ(back.strade[1].FixLeqDay, 75.5);
  EXPECT_EQ(back.strade[1].FixLeqNight, 69.25);
  EXPECT_EQ(back.strade[2].LeqDay, 71.3);
  EXPECT_EQ(back.strade[2].FixLeqDay, 0);
}

TEST(ProjectFileWrite, EntityListLayout) {
  Project p;
  Face& wall = p.faces.addEntity();  // wall with a hole and a door
  wall.IsWall = wall.HasOpenings = true;
  wall.Flag = 1;
  wall.Material = 7;
  wall.Nv = 3;
  wall.v = {Point3{0, 0, 0}, Point3{8, 0, 0}, Point3{8, 0, 3}};
  Face& bare = p.faces.addEntity();  // wall without openings
  bare.IsWall = true;
  bare.Material = 12;
  bare.Nv = 3;
  bare.v = {Point3{1, 1, 1}, Point3{2, 2, 2}, Point3{3, 3, 3}};
  Face& plain = p.faces.addEntity();
  plain.Material = 4;
  plain.Nv = 3;
  plain.v = {Point3{-1, 0, .5}, Point3{0, 0, 0}, Point3{0, 1, 0}};
  Hole& h = p.holes.addEntity();
  h.Face = 1;
  h.Material = 9;
  h.Nv = 1;
  h.v[0] = Point3{1, 0, 1};
  Door& d = p.doors.addEntity();
  d.Face = 1;
  d.Material = 11;
  d.Nv = 1;
  d.v[0] = Point3{5, -1, 2.1};
  Source& s = p.sources.addEntity();
  s = Source{4, 5, 1.2, 95, 88.5, 4, 15, 1.2, 0, "Pompa"};
  p.receivers.addEntity() = Receiver{2, 30, 1.5, 2, 0, 1.5};

  const std::string expected =
      "\"EntityList\"\r\n"
      "\"Wall\"\r\n"
      "\"Face\",1,7,3\r\n"
      "\"Coords.\",0,0,0\r\n"
      "\"Coords.\",8,0,0\r\n"
      "\"Coords.\",8,0,3\r\n"
      "\"Hole\",0,9,1\r\n"
      "\"Coords. \",1,0,1\r\n"
      "\"Door\",0,11,1\r\n"
      "\"Coords.\",5,-1,2.1\r\n"
      "\"EndWall\"\r\n"
      "\"Wall\"\r\n"
      "\"Face\",0,12,3\r\n"
      "\"Coords.\",1,1,1\r\n"
      "\"Coords.\",2,2,2\r\n"
      "\"Coords.\",3,3,3\r\n"
      "\"Face\",0,4,3\r\n"
      "\"Coords\",-1,0,.5\r\n"
      "\"Coords\",0,0,0\r\n"
      "\"Coords\",0,1,0\r\n"
      "\"Source\",4,5,1.2,95\r\n"
      "\"Lwnight\",88.5\r\n"
      "\"SrcTgt\",4,15,1.2,0\r\n"
      "\"Sourcename\",\"Pompa\"\r\n"
      "\"Receiver\",2,30,1.5\r\n"
      "\"RecTgt\",2,0,1.5\r\n"
      "\"EndFile\"\r\n";
  const std::string t = ProjectFileText(p);
  ASSERT_GE(t.size(), expected.size());
  EXPECT_EQ(t.substr(t.size() - expected.size()), expected);
}

TEST(ProjectFileWrite, QuotesAndLineBreaksInTextsAreCleaned) {
  Project p;
  p.strade.addEntity() = MakeRoad("Via \"Nuova\"\r\nbis", 0);
  p.punti.addEntity() = Punto{1, 2, 3, "a\"b\nc"};
  p.FileAltimetria = "dtm \"2\".grd";
  p.sources.addEntity().Nome = "x\"";
  const std::string t = ProjectFileText(p);
  EXPECT_NE(t.find("\"Nome\",\"Via 'Nuova' bis\",\"Npunti=\",3\r\n"), std::string::npos);
  EXPECT_NE(t.find(" 1 , 1 , 2 , 3 ,\"a'b c\"\r\n"), std::string::npos);

  Project back;
  ReadProjectText("clean.svp", t, back);
  EXPECT_EQ(back.strade[1].Nome, "Via 'Nuova' bis");
  EXPECT_EQ(back.strade[1].Pendenza, 2);  // the fields after the name stay in step
  EXPECT_EQ(back.strade[1].Npunti(), 3);
  EXPECT_EQ(back.punti[1].Nome, "a'b c");
  EXPECT_EQ(back.FileAltimetria, "dtm '2'.grd");
  EXPECT_EQ(back.sources[1].Nome, "x'");
  EXPECT_EQ(back.Anno, 2008);
}

// A project using every table and every setting with values unlike the defaults.
Project FullProject() {
  Project p;
  p.strade.addEntity() = MakeRoad("Via Sant'Anna, 3 – Caffè", 3);
  p.strade.addEntity() = MakeRoad("Viale Nuovo", 1);
  p.strade[2].vertices.resize(1);

  Binario& b = p.binari.addEntity();
  b.Nome = "Linea, Nord è";
  b.TipoArmamento = 1;
  b.HmedSX = 3.5;
  b.HmedDX = 11;
  b.LeqDay = 80.125;
  b.LeqNight = 77.5;
  for (int c = 1; c <= 3; ++c) {
    b.NtreniDay[c] = 10 * c;
    b.NtreniNight[c] = c;
    b.LungDay[c] = 100 * c + 5;
    b.LungNight[c] = 100 * c + 7;
    b.VelDay[c] = c;
    b.VelNight[c] = 3 - c;
  }
  b.vertices = {{900, 2100, 5, 0, 0}, {1100, -50, 5.75, 2.5f, 1.25f}};

  p.sezioni.addEntity() = Sezione{800, 2500, 0, 1200, 2500.5, 40};
  p.barriere.addEntity().vertices = {{150, 190, 3}, {250, -10, 4.5}};
  p.case_.addEntity().vertices = {{10, 10, 12}, {30, 10, 12}, {30, 25, 15.5}};
  p.case_.addEntity().vertices = {};
  p.incroci.addEntity() = Incrocio{10.125, -3, 0};
  p.incroci.addEntity() = Incrocio{-7.5, 1e-5, 0};
  p.punti.addEntity() = Punto{20, 40, 4, "Scuola, lato è"};
  p.punti.addEntity() = Punto{21, 41, 4.5, ""};
  p.plans.addEntity().vertices = {{0, 0, 0}, {100, 0, 1}, {100, 50, 2}};

  p.QuotaZ = 4.5;
  p.SovralzoZ = 1.5;
  p.DiffrBarriere = true;
  p.DiffrCase = true;
  p.ModoMappatura = MappingMode::Section;
  p.Diurno = false;
  p.AzzeraStandard = p.IgnoraRidFonoass = p.AzzeraFonoass = p.IgnoraFisse = true;
  p.DistMax = 1234.5;
  p.FileAltimetria = "dtm, zona è.grd";
  p.Algorithm = 2;
  p.Anno = 2015;
  p.NdivX = 31;
  p.NdivY = 32;
  p.NdivO = 33;
  p.NdivZ = 34;
  p.CurrentPlan = 1;

  Face& wall = p.faces.addEntity();
  wall.IsWall = wall.HasOpenings = true;
  wall.Flag = 1;
  wall.Material = 7;
  wall.Nv = 4;
  wall.v = {Point3{0, 0, 0}, Point3{8, 0, 0}, Point3{8, 0, 3}, Point3{0, 0, 3}};
  Face& bare = p.faces.addEntity();
  bare.IsWall = true;
  bare.Material = 12;
  bare.Nv = 3;
  bare.v = {Point3{1, 1, 1}, Point3{2, 2, 2}, Point3{3, 3, 3}, Point3{}};
  Face& plain = p.faces.addEntity();
  plain.Material = 4;
  plain.Nv = 4;
  plain.v = {Point3{-1, 0, .5}, Point3{0, 0, 0}, Point3{0, 1, 0}, Point3{-1, 1, .5}};
  Face& doorOnly = p.faces.addEntity();
  doorOnly.IsWall = doorOnly.HasOpenings = true;
  doorOnly.Material = 2;
  doorOnly.Nv = 3;
  doorOnly.v = {Point3{50, 0, 0}, Point3{60, 0, 0}, Point3{60, 0, 3}, Point3{}};
  Hole& h = p.holes.addEntity();
  h.Face = 1;
  h.Flag = 1;
  h.Material = 9;
  h.Nv = 4;
  h.v[0] = {1, 0, 1};
  h.v[1] = {2, 0, 1};
  h.v[2] = {2, 0, 2};
  h.v[3] = {1, 0, 2};
  for (short f : {short{1}, short{4}}) {
    Door& d = p.doors.addEntity();
    d.Face = f;
    d.Material = static_cast<short>(10 + f);
    d.Nv = 5;
    for (int k = 0; k < 5; ++k) d.v[static_cast<size_t>(k)] = {5.5 + k, -1.25 * f, .5 * k};
  }
  p.sources.addEntity() = Source{4, 5, 1.2, 95, 88.5, 4, 15, 1.2, 7, "Ventilatore, tetto è"};
  p.sources.addEntity() = Source{-4, 6, 0, 80, 0, 0, 0, 0, 0, ""};
  p.receivers.addEntity() = Receiver{2, 30, 1.5, 2, 0, 1.25};
  return p;
}

void ExpectSameRoad(const Strada& a, const Strada& b) {
  EXPECT_EQ(a.Nome, b.Nome);
  EXPECT_EQ(a.Pendenza, b.Pendenza);
  EXPECT_EQ(a.Pavimentaz, b.Pavimentaz);
  EXPECT_EQ(a.HmedSX, b.HmedSX);
  EXPECT_EQ(a.HmedDX, b.HmedDX);
  EXPECT_EQ(a.LeqDay, b.LeqDay);
  EXPECT_EQ(a.LeqNight, b.LeqNight);
  EXPECT_EQ(a.NveicDay, b.NveicDay);
  EXPECT_EQ(a.NveicNight, b.NveicNight);
  EXPECT_EQ(a.VelDay, b.VelDay);
  EXPECT_EQ(a.VelNight, b.VelNight);
  EXPECT_EQ(a.vertices, b.vertices);
}

template <class T>
void ExpectSameShape(const T& a, const T& b) {
  EXPECT_EQ(a.Flag, b.Flag);
  EXPECT_EQ(a.Material, b.Material);
  EXPECT_EQ(a.Nv, b.Nv);
  for (short k = 0; k < a.Nv; ++k) EXPECT_EQ(a.v[k], b.v[k]);
}

TEST(ProjectFileWrite, RoundTripReproducesEveryField) {
  const Project a = FullProject();
  const fs::path file = TempDir() / "full.svp";
  WriteProjectFile(a, file.string());

  Project b;  // an earlier project with other contents in the same slots
  b.faces.addEntity().IsWall = true;
  b.sources.addEntity().Lwnight = 70;
  b.strade.addEntity() = MakeRoad("Vecchia", 0);
  const ReadResult r = ReadProjectFile(file.string(), b);
  EXPECT_FALSE(r.yearMissing);
  EXPECT_EQ(r.unknownKeywords, 0);
  EXPECT_EQ(r.version, 3.6);

  ASSERT_EQ(b.strade.count(), 2);
  ExpectSameRoad(a.strade[1], b.strade[1]);
  ExpectSameRoad(a.strade[2], b.strade[2]);
  ASSERT_EQ(b.binari.count(), 1);
  const Binario &ta = a.binari[1], &tb = b.binari[1];
  EXPECT_EQ(ta.Nome, tb.Nome);
  EXPECT_EQ(ta.TipoArmamento, tb.TipoArmamento);
  EXPECT_EQ(ta.HmedSX, tb.HmedSX);
  EXPECT_EQ(ta.HmedDX, tb.HmedDX);
  EXPECT_EQ(ta.LeqDay, tb.LeqDay);
  EXPECT_EQ(ta.LeqNight, tb.LeqNight);
  EXPECT_EQ(ta.NtreniDay, tb.NtreniDay);
  EXPECT_EQ(ta.NtreniNight, tb.NtreniNight);
  EXPECT_EQ(ta.LungDay, tb.LungDay);
  EXPECT_EQ(ta.LungNight, tb.LungNight);
  EXPECT_EQ(ta.VelDay, tb.VelDay);
  EXPECT_EQ(ta.VelNight, tb.VelNight);
  EXPECT_EQ(ta.vertices, tb.vertices);

  ASSERT_EQ(b.sezioni.count(), 1);
  EXPECT_EQ(b.sezioni[1].XL, 800);
  EXPECT_EQ(b.sezioni[1].YL, 2500);
  EXPECT_EQ(b.sezioni[1].ZL, 0);
  EXPECT_EQ(b.sezioni[1].XR, 1200);
  EXPECT_EQ(b.sezioni[1].YR, 2500.5);
  EXPECT_EQ(b.sezioni[1].ZR, 40);
  ASSERT_EQ(b.barriere.count(), 1);
  EXPECT_EQ(b.barriere[1].vertices, a.barriere[1].vertices);
  ASSERT_EQ(b.case_.count(), 2);
  EXPECT_EQ(b.case_[1].vertices, a.case_[1].vertices);
  EXPECT_EQ(b.case_[2].Npunti(), 0);
  ASSERT_EQ(b.incroci.count(), 2);
  EXPECT_EQ(b.incroci[1].X, 10.125);
  EXPECT_EQ(b.incroci[1].Y, -3);
  EXPECT_EQ(b.incroci[2].X, -7.5);
  EXPECT_EQ(b.incroci[2].Y, 1e-5);
  ASSERT_EQ(b.punti.count(), 2);
  EXPECT_EQ(b.punti[1].Nome, "Scuola, lato è");
  EXPECT_EQ(b.punti[1].Z, 4);
  EXPECT_EQ(b.punti[2].Nome, "");
  EXPECT_EQ(b.punti[2].X, 21);
  ASSERT_EQ(b.plans.count(), 1);
  EXPECT_EQ(b.plans[1].vertices, a.plans[1].vertices);

  EXPECT_EQ(b.QuotaZ, 4.5);
  EXPECT_EQ(b.SovralzoZ, 1.5);
  EXPECT_TRUE(b.DiffrBarriere);
  EXPECT_TRUE(b.DiffrCase);
  EXPECT_EQ(b.ModoMappatura, MappingMode::Section);
  EXPECT_FALSE(b.Diurno);
  EXPECT_TRUE(b.AzzeraStandard);
  EXPECT_TRUE(b.IgnoraRidFonoass);
  EXPECT_TRUE(b.AzzeraFonoass);
  EXPECT_TRUE(b.IgnoraFisse);
  EXPECT_EQ(b.DistMax, 1234.5);
  EXPECT_EQ(b.FileAltimetria, "dtm, zona è.grd");
  EXPECT_EQ(b.Algorithm, 2);
  EXPECT_EQ(b.Anno, 2015);
  EXPECT_EQ(b.NdivX, 31);
  EXPECT_EQ(b.NdivY, 32);
  EXPECT_EQ(b.NdivO, 33);
  EXPECT_EQ(b.NdivZ, 34);
  EXPECT_EQ(b.CurrentPlan, 1);

  ASSERT_EQ(b.faces.count(), 4);
  const bool walls[] = {true, true, false, true};
  const bool openings[] = {true, false, false, true};
  for (long i = 1; i <= 4; ++i) {
    EXPECT_EQ(b.faces[i].IsWall, walls[i - 1]) << "face " << i;
    EXPECT_EQ(b.faces[i].HasOpenings, openings[i - 1]) << "face " << i;
    ExpectSameShape(a.faces[i], b.faces[i]);
  }
  ASSERT_EQ(b.holes.count(), 1);
  EXPECT_EQ(b.holes[1].Face, 1);
  ExpectSameShape(a.holes[1], b.holes[1]);
  ASSERT_EQ(b.doors.count(), 2);
  EXPECT_EQ(b.doors[1].Face, 1);
  EXPECT_EQ(b.doors[2].Face, 4);
  ExpectSameShape(a.doors[1], b.doors[1]);
  ExpectSameShape(a.doors[2], b.doors[2]);
  EXPECT_EQ(b.doors[2].v[4], (Point3{9.5, -5, 2}));

  ASSERT_EQ(b.sources.count(), 2);
  for (long i = 1; i <= 2; ++i) {
    const Source &sa = a.sources[i], &sb = b.sources[i];
    EXPECT_EQ(sa.X, sb.X);
    EXPECT_EQ(sa.Y, sb.Y);
    EXPECT_EQ(sa.Z, sb.Z);
    EXPECT_EQ(sa.Lw, sb.Lw);
    EXPECT_EQ(sa.Lwnight, sb.Lwnight);
    EXPECT_EQ(sa.TgtX, sb.TgtX);
    EXPECT_EQ(sa.TgtY, sb.TgtY);
    EXPECT_EQ(sa.TgtZ, sb.TgtZ);
    EXPECT_EQ(sa.Tgt4, sb.Tgt4);
    EXPECT_EQ(sa.Nome, sb.Nome);
  }
  ASSERT_EQ(b.receivers.count(), 1);
  EXPECT_EQ(b.receivers[1].X, 2);
  EXPECT_EQ(b.receivers[1].Y, 30);
  EXPECT_EQ(b.receivers[1].Z, 1.5);
  EXPECT_EQ(b.receivers[1].TgtX, 2);
  EXPECT_EQ(b.receivers[1].TgtY, 0);
  EXPECT_EQ(b.receivers[1].TgtZ, 1.25);

  // The extent covers what the reader widens it with: road, track, barrier,
  // building, point, plan, face, source and receiver vertices, nothing else
  // (the door at y = -5 and the crossing at x = -7.5 lie outside it).
  EXPECT_EQ(b.extent.Xmin, -4);           // source
  EXPECT_EQ(b.extent.Xmax, 1234567.125);  // road 1
  EXPECT_EQ(b.extent.Ymin, -50);          // track
  EXPECT_EQ(b.extent.Ymax, 1e6);          // road 1

  // Written again, the file is the same to the byte.
  EXPECT_EQ(ProjectFileText(b), FileContents(file));
  fs::remove_all(file.parent_path());
}

TEST(ProjectFileWrite, SaveReplacesOnlyWhenComplete) {
  const fs::path dir = TempDir();
  const fs::path file = dir / "town.svp";
  Project p;
  WriteProjectFile(p, file.string());
  p.strade.addEntity() = MakeRoad("Via Roma", 0);
  WriteProjectFile(p, file.string());
  EXPECT_EQ(FileContents(file), ProjectFileText(p));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  EXPECT_THROW(WriteProjectFile(p, (dir / "no such folder" / "x.svp").string()), FileError);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace sonvale
