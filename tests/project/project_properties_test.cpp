// Random projects, from a fixed seed, written and read back: every saved field
// comes back as it was.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "model/project.h"
#include "project/project_file.h"

namespace sonvale {
namespace {

class RandomProject {
 public:
  explicit RandomProject(unsigned seed) : random_(seed) {}

  int whole(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  // Values the file's 15 significant digits hold exactly.
  double coordinate() { return whole(-4'000'000, 4'000'000) / 8.0 + 500000; }
  double level() { return whole(0, 12000) / 100.0; }
  // Texts with what a file could trip on: commas, apostrophes, accents, inner blanks.
  std::string name() {
    static const char* const pieces[] = {"Via", " Roma", ",",  " 3", "'",
                                         "è",   "Caffè", "#1", ";",  "ß"};
    std::string s = "N";
    for (int k = whole(0, 5); k > 0; --k) s += pieces[whole(0, 9)];
    return s;
  }
  std::vector<LineVertex> lineVertices() {
    std::vector<LineVertex> v(static_cast<size_t>(whole(0, 6)));
    for (LineVertex& x : v) {
      x = {coordinate(), coordinate(), whole(-80, 800) / 4.0, whole(0, 200) / 4.0f,
           whole(0, 200) / 4.0f};
    }
    return v;
  }
  std::vector<Point3> points() {
    std::vector<Point3> v(static_cast<size_t>(whole(0, 5)));
    for (Point3& x : v) x = {coordinate(), coordinate(), whole(-80, 800) / 4.0};
    return v;
  }

  Project make() {
    Project p;
    for (int k = whole(0, 4); k > 0; --k) {
      Strada& s = p.strade.addEntity();
      s.Nome = name();
      s.Pendenza = whole(0, 2);
      s.Pavimentaz = whole(0, 3);
      s.HmedSX = whole(0, 120) / 4.0;
      s.HmedDX = whole(0, 120) / 4.0;
      s.LeqDay = level();
      s.LeqNight = level();
      for (int c = 1; c <= 5; ++c) {
        s.NveicDay[c] = whole(0, 90000);
        s.NveicNight[c] = whole(0, 9000);
        s.VelDay[c] = whole(0, 7);
        s.VelNight[c] = whole(0, 7);
      }
      s.vertices = lineVertices();
    }
    for (int k = whole(0, 3); k > 0; --k) {
      Binario& b = p.binari.addEntity();
      b.Nome = name();
      b.TipoArmamento = whole(0, 1);
      b.HmedSX = whole(0, 120) / 4.0;
      b.HmedDX = whole(0, 120) / 4.0;
      b.LeqDay = level();
      b.LeqNight = level();
      for (int c = 1; c <= 3; ++c) {
        b.NtreniDay[c] = whole(0, 300);
        b.NtreniNight[c] = whole(0, 60);
        b.LungDay[c] = whole(0, 800);
        b.LungNight[c] = whole(0, 800);
        b.VelDay[c] = whole(0, 3);
        b.VelNight[c] = whole(0, 3);
      }
      b.vertices = lineVertices();
    }
    for (int k = whole(0, 2); k > 0; --k)
      p.sezioni.addEntity() = {coordinate(), coordinate(), level(),
                               coordinate(), coordinate(), level()};
    for (int k = whole(0, 3); k > 0; --k) p.barriere.addEntity().vertices = points();
    for (int k = whole(0, 3); k > 0; --k) p.case_.addEntity().vertices = points();
    for (int k = whole(0, 3); k > 0; --k) p.incroci.addEntity() = {coordinate(), coordinate(), 0};
    for (int k = whole(0, 3); k > 0; --k)
      p.punti.addEntity() = {coordinate(), coordinate(), whole(0, 80) / 4.0, name()};
    for (int k = whole(0, 2); k > 0; --k) p.plans.addEntity().vertices = points();
    p.QuotaZ = whole(0, 400) / 8.0;
    p.SovralzoZ = whole(0, 400) / 8.0;
    p.DiffrBarriere = whole(0, 1) == 1;
    p.DiffrCase = whole(0, 1) == 1;
    p.ModoMappatura = static_cast<MappingMode>(whole(0, 2));
    p.Diurno = whole(0, 1) == 1;
    p.AzzeraStandard = whole(0, 1) == 1;
    p.IgnoraRidFonoass = whole(0, 1) == 1;
    p.AzzeraFonoass = whole(0, 1) == 1;
    p.IgnoraFisse = whole(0, 1) == 1;
    p.DistMax = whole(1, 40000) / 8.0;
    p.FileAltimetria = whole(0, 1) ? name() + ".grd" : "";
    p.Algorithm = whole(0, 3);
    p.Anno = whole(1990, 2040);
    p.NdivX = static_cast<short>(whole(1, 500));
    p.NdivY = static_cast<short>(whole(1, 500));
    p.NdivO = static_cast<short>(whole(1, 500));
    p.NdivZ = static_cast<short>(whole(1, 500));
    p.CurrentPlan = whole(0, static_cast<int>(p.plans.count()));
    return p;
  }

 private:
  std::mt19937 random_;
};

// The keywords that close every version of the file: algorithm, year,
// divisions, current plan and the plans.
void ExpectSameTail(const Project& a, const Project& b) {
  EXPECT_EQ(b.Algorithm, a.Algorithm);
  EXPECT_EQ(b.Anno, a.Anno);
  EXPECT_EQ(std::make_tuple(b.NdivX, b.NdivY, b.NdivO, b.NdivZ),
            std::make_tuple(a.NdivX, a.NdivY, a.NdivO, a.NdivZ));
  EXPECT_EQ(b.CurrentPlan, a.CurrentPlan);
  ASSERT_EQ(b.plans.count(), a.plans.count());
  for (long i = 1; i <= a.plans.count(); ++i) EXPECT_EQ(b.plans[i].vertices, a.plans[i].vertices);
}

// What a file of the given version read into b keeps of the project a.
void ExpectReadBack(const Project& a, const Project& b, double version) {
  ASSERT_EQ(b.strade.count(), a.strade.count());
  for (long i = 1; i <= a.strade.count(); ++i) {
    const Strada &x = a.strade[i], &y = b.strade[i];
    EXPECT_EQ(y.Nome, x.Nome);
    EXPECT_EQ(y.Pendenza, x.Pendenza);
    EXPECT_EQ(y.Pavimentaz, x.Pavimentaz);
    EXPECT_EQ(y.HmedSX, x.HmedSX);
    EXPECT_EQ(y.HmedDX, x.HmedDX);
    EXPECT_EQ(y.LeqDay, x.LeqDay);
    EXPECT_EQ(y.LeqNight, x.LeqNight);
    EXPECT_EQ(y.NveicDay, x.NveicDay);
    EXPECT_EQ(y.NveicNight, x.NveicNight);
    EXPECT_EQ(y.VelDay, x.VelDay);
    EXPECT_EQ(y.VelNight, x.VelNight);
    EXPECT_EQ(y.vertices, x.vertices);
  }
  ASSERT_EQ(b.binari.count(), a.binari.count());
  for (long i = 1; i <= a.binari.count(); ++i) {
    const Binario &x = a.binari[i], &y = b.binari[i];
    EXPECT_EQ(y.Nome, x.Nome);
    EXPECT_EQ(y.TipoArmamento, x.TipoArmamento);
    EXPECT_EQ(y.HmedSX, x.HmedSX);
    EXPECT_EQ(y.HmedDX, x.HmedDX);
    EXPECT_EQ(y.LeqDay, x.LeqDay);
    EXPECT_EQ(y.LeqNight, x.LeqNight);
    EXPECT_EQ(y.NtreniDay, x.NtreniDay);
    EXPECT_EQ(y.NtreniNight, x.NtreniNight);
    EXPECT_EQ(y.LungDay, x.LungDay);
    EXPECT_EQ(y.LungNight, x.LungNight);
    EXPECT_EQ(y.VelDay, x.VelDay);
    EXPECT_EQ(y.VelNight, x.VelNight);
    EXPECT_EQ(y.vertices, x.vertices);
  }
  ASSERT_EQ(b.sezioni.count(), a.sezioni.count());
  for (long i = 1; i <= a.sezioni.count(); ++i) {
    const Sezione &x = a.sezioni[i], &y = b.sezioni[i];
    EXPECT_EQ(std::make_tuple(y.XL, y.YL, y.ZL, y.XR, y.YR, y.ZR),
              std::make_tuple(x.XL, x.YL, x.ZL, x.XR, x.YR, x.ZR));
  }
  if (version < 1.3) {
    // The oldest files end after the sections with the mapping keywords and the
    // plans: everything in between keeps its default.
    const Project d;
    EXPECT_EQ(b.barriere.count(), 0);
    EXPECT_EQ(b.case_.count(), 0);
    EXPECT_EQ(b.incroci.count(), 0);
    EXPECT_EQ(b.punti.count(), 0);
    EXPECT_EQ(std::make_tuple(b.QuotaZ, b.SovralzoZ, b.DistMax, b.FileAltimetria),
              std::make_tuple(d.QuotaZ, d.SovralzoZ, d.DistMax, d.FileAltimetria));
    EXPECT_EQ(std::make_tuple(b.DiffrBarriere, b.DiffrCase, b.ModoMappatura, b.Diurno),
              std::make_tuple(d.DiffrBarriere, d.DiffrCase, d.ModoMappatura, d.Diurno));
    EXPECT_EQ(
        std::make_tuple(b.AzzeraStandard, b.IgnoraRidFonoass, b.AzzeraFonoass, b.IgnoraFisse),
        std::make_tuple(d.AzzeraStandard, d.IgnoraRidFonoass, d.AzzeraFonoass, d.IgnoraFisse));
    ExpectSameTail(a, b);
    return;
  }
  ASSERT_EQ(b.barriere.count(), a.barriere.count());
  for (long i = 1; i <= a.barriere.count(); ++i)
    EXPECT_EQ(b.barriere[i].vertices, a.barriere[i].vertices);
  // Buildings came with 2.6.
  ASSERT_EQ(b.case_.count(), version > 2.5 ? a.case_.count() : 0);
  for (long i = 1; i <= b.case_.count(); ++i) EXPECT_EQ(b.case_[i].vertices, a.case_[i].vertices);
  ASSERT_EQ(b.incroci.count(), a.incroci.count());
  for (long i = 1; i <= a.incroci.count(); ++i) {
    EXPECT_EQ(b.incroci[i].X, a.incroci[i].X);
    EXPECT_EQ(b.incroci[i].Y, a.incroci[i].Y);
  }
  ASSERT_EQ(b.punti.count(), a.punti.count());
  for (long i = 1; i <= a.punti.count(); ++i) {
    const Punto &x = a.punti[i], &y = b.punti[i];
    // Points are named from 3.05 on.
    EXPECT_EQ(std::make_tuple(y.X, y.Y, y.Z, y.Nome),
              std::make_tuple(x.X, x.Y, x.Z, version >= 3.05 ? x.Nome : std::string()));
  }
  EXPECT_EQ(b.QuotaZ, a.QuotaZ);
  EXPECT_EQ(b.SovralzoZ, a.SovralzoZ);
  EXPECT_EQ(b.DiffrBarriere, a.DiffrBarriere);
  EXPECT_EQ(b.DiffrCase, a.DiffrCase);
  EXPECT_EQ(b.ModoMappatura, a.ModoMappatura);
  EXPECT_EQ(b.Diurno, a.Diurno);
  EXPECT_EQ(b.AzzeraStandard, a.AzzeraStandard);
  EXPECT_EQ(b.IgnoraRidFonoass, a.IgnoraRidFonoass);
  EXPECT_EQ(b.AzzeraFonoass, a.AzzeraFonoass);
  EXPECT_EQ(b.IgnoraFisse, a.IgnoraFisse);
  EXPECT_EQ(b.DistMax, a.DistMax);
  EXPECT_EQ(b.FileAltimetria, a.FileAltimetria);
  ExpectSameTail(a, b);
}

// The lines of a file text, without their CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

bool Starts(const std::string& line, const char* label) { return line.rfind(label, 0) == 0; }

// The file an older version of the program wrote for the same project: before
// 3.05 points had no name, before 2.6 there were no buildings, and before 1.3
// the sections were followed directly by the closing keywords.
std::string OlderFileText(const std::string& current, const char* version) {
  const double v = std::stod(version);
  std::string out;
  bool skipping = false, inPoints = false;
  for (std::string line : Lines(current)) {
    if (Starts(line, "\"Sonvale noise model\""))
      line = line.substr(0, line.rfind(',')) + ",\"" + version + "\"";
    if ((v < 1.3 && Starts(line, "\"Nbarr\"")) || (v <= 2.5 && Starts(line, "\"Ncase\"")))
      skipping = true;
    if (skipping && (Starts(line, v < 1.3 ? "\"Algorithm\"" : "\"Nincr\""))) skipping = false;
    if (skipping) continue;
    if (Starts(line, "\"Npunti\""))
      inPoints = true;
    else if (inPoints && line[0] != ' ' && !Starts(line, "\"Punto n.\""))
      inPoints = false;
    // A point's name is its only quoted field.
    if (inPoints && v < 3.05 && line[0] == ' ') line = line.substr(0, line.find(",\""));
    out += line + "\r\n";
  }
  return out;
}

TEST(ProjectFileProperties, RandomProjectsComeBackFieldByField) {
  RandomProject random(20261208);
  for (int n = 0; n < 1500; ++n) {
    SCOPED_TRACE(n);
    const Project a = random.make();
    Project b;
    ReadProjectText("random.svp", ProjectFileText(a), b);
    ExpectReadBack(a, b, 3.6);
    if (HasFailure()) break;  // one failing project tells enough
  }
}

TEST(ProjectFileProperties, FilesOfEarlierVersionsComeBackWithWhatTheyHeld) {
  RandomProject random(20261209);
  for (int n = 0; n < 600; ++n) {
    const Project a = random.make();
    const std::string current = ProjectFileText(a);
    for (const char* version : {"3.0", "2.5", "1.2"}) {
      SCOPED_TRACE(std::to_string(n) + " in version " + version);
      Project b;
      ReadProjectText("old.svp", OlderFileText(current, version), b);
      ExpectReadBack(a, b, std::stod(version));
    }
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace sonvale
