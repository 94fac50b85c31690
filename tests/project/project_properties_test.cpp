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
    p.ModoMappatura = static_cast<short>(whole(0, 2));
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

TEST(ProjectFileProperties, RandomProjectsComeBackFieldByField) {
  RandomProject random(20261208);
  for (int n = 0; n < 1500; ++n) {
    SCOPED_TRACE(n);
    const Project a = random.make();
    Project b;
    ReadProjectText("random.svp", ProjectFileText(a), b);

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
    ASSERT_EQ(b.barriere.count(), a.barriere.count());
    for (long i = 1; i <= a.barriere.count(); ++i)
      EXPECT_EQ(b.barriere[i].vertices, a.barriere[i].vertices);
    ASSERT_EQ(b.case_.count(), a.case_.count());
    for (long i = 1; i <= a.case_.count(); ++i) EXPECT_EQ(b.case_[i].vertices, a.case_[i].vertices);
    ASSERT_EQ(b.plans.count(), a.plans.count());
    for (long i = 1; i <= a.plans.count(); ++i) EXPECT_EQ(b.plans[i].vertices, a.plans[i].vertices);
    ASSERT_EQ(b.incroci.count(), a.incroci.count());
    for (long i = 1; i <= a.incroci.count(); ++i) {
      EXPECT_EQ(b.incroci[i].X, a.incroci[i].X);
      EXPECT_EQ(b.incroci[i].Y, a.incroci[i].Y);
    }
    ASSERT_EQ(b.punti.count(), a.punti.count());
    for (long i = 1; i <= a.punti.count(); ++i) {
      const Punto &x = a.punti[i], &y = b.punti[i];
      EXPECT_EQ(std::make_tuple(y.X, y.Y, y.Z, y.Nome), std::make_tuple(x.X, x.Y, x.Z, x.Nome));
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
    EXPECT_EQ(b.Algorithm, a.Algorithm);
    EXPECT_EQ(b.Anno, a.Anno);
    EXPECT_EQ(std::make_tuple(b.NdivX, b.NdivY, b.NdivO, b.NdivZ),
              std::make_tuple(a.NdivX, a.NdivY, a.NdivO, a.NdivZ));
    EXPECT_EQ(b.CurrentPlan, a.CurrentPlan);
    if (HasFailure()) break;  // one failing project tells enough
  }
}

}  // namespace
}  // namespace sonvale
