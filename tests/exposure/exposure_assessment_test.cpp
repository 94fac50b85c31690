// From the engine's energies at the façade points of a building beside a road to
// the tables: the road side is the loud one, the run gives the same bits on any
// number of threads and with either engine, and parts join into one run.
#include "exposure/exposure_assessment.h"

#include <gtest/gtest.h>

#include "exposure/exposure_parts.h"
#include "exposure/exposure_tables.h"
#include "exposure/facade_points_file.h"
#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

struct Street {
  Project p;
  Configuration c;
  FacadeLayout layout;
};

// A 20 x 12 m building 10 m high, a road 15 m south of it, a track 200 m north.
Street MakeStreet(bool diffraction) {
  Street s;
  s.c.Hsorg = 0.5;
  s.c.AttCoeff = 0.0011513;
  s.c.DistMin = 1;
  s.p.DiffrCase = diffraction;
  Casa& c = s.p.case_.addEntity();
  c.vertices = {{0, 0, 10}, {20, 0, 10}, {20, 12, 10}, {0, 12, 10}};
  Strada& r = s.p.strade.addEntity();
  r.LeqDay = 70;
  r.LeqNight = 62;
  r.vertices = {LineVertex{-100, -15, 0, 8, 8}, LineVertex{0, -15, 0, 8, 8},
                LineVertex{120, -15, 0, 8, 8}};
  Binario& t = s.p.binari.addEntity();
  t.LeqDay = 60;
  t.LeqNight = 58;
  t.vertices = {LineVertex{-100, 212, 0, 8, 8}, LineVertex{120, 212, 0, 8, 8}};
  for (double x : {-100.0, 120.0})
    for (double y : {-15.0, 212.0}) s.p.ExtendExtent(x, y);
  s.layout = PlaceFacadePoints(s.p, FacadeOptions{}, GroundHeight(0));
  return s;
}

std::vector<FacadeReceiver> At(const FacadeLayout& l) {
  std::vector<FacadeReceiver> at;
  for (const FacadePoint& f : l.points) at.push_back({{f.x, f.y, f.z}, {f.building, f.facade}});
  return at;
}

TEST(FacadeEnergies, RoadSideLouderThanTheBack) {
  Street s = MakeStreet(true);
  std::vector<PointEnergies> e;
  ASSERT_TRUE(ComputeFacadeEnergies(s.p, s.c, At(s.layout), {}, e));
  ASSERT_EQ(e.size(), 14u);
  // Wall 1 faces the road (points 0..3), wall 3 the back (points 7..10): the
  // back is screened by the front roof edge, more than 3 dB down.
  for (size_t front = 0; front < 4; ++front) {
    for (size_t back = 7; back < 11; ++back) {
      EXPECT_GT(e[front].day(SourceKind::Road), 2 * e[back].day(SourceKind::Road));
      EXPECT_LT(e[front].day(SourceKind::Rail), e[back].day(SourceKind::Rail));
    }
  }
  // A road-side receiver hears the track over the building: the roof edge of the
  // back wall screens it, not the wall it stands on, 0.1 m away.
  std::vector<FacadeReceiver> screenedByOwnWall = At(s.layout);
  for (FacadeReceiver& r : screenedByOwnWall) r.ownWall = {};
  std::vector<PointEnergies> own;
  ASSERT_TRUE(ComputeFacadeEnergies(s.p, s.c, screenedByOwnWall, {}, own));
  for (size_t front = 0; front < 4; ++front)
    EXPECT_GT(e[front].day(SourceKind::Rail), own[front].day(SourceKind::Rail));
  // The kinds alone are what a project of that kind alone gives.
  Project roadsOnly = s.p;
  roadsOnly.binari.setCount(0);
  std::vector<PointEnergies> r;
  ASSERT_TRUE(ComputeFacadeEnergies(roadsOnly, s.c, At(s.layout), {}, r));
  for (size_t i = 0; i < e.size(); ++i) {
    EXPECT_EQ(e[i].day(SourceKind::Road), r[i].day(SourceKind::All));
    EXPECT_EQ(e[i].night(SourceKind::Road), r[i].night(SourceKind::All));
    EXPECT_EQ(r[i].day(SourceKind::Rail), 0.0);
  }
}

TEST(FacadeEnergies, SameBitsOnAnyThreadsAndEngine) {
  Street s = MakeStreet(true);
  std::vector<PointEnergies> one, four, reference;
  ASSERT_TRUE(ComputeFacadeEnergies(s.p, s.c, At(s.layout), {EngineKind::Fast, 1, {}}, one));
  long last = 0;
  FacadeLevelOptions o{EngineKind::Fast, 4, [&](long done) {
                         last = done;
                         return true;
                       }};
  ASSERT_TRUE(ComputeFacadeEnergies(s.p, s.c, At(s.layout), o, four));
  EXPECT_EQ(last, 14);
  ASSERT_TRUE(
      ComputeFacadeEnergies(s.p, s.c, At(s.layout), {EngineKind::Reference, 2, {}}, reference));
  EXPECT_EQ(one, four);
  EXPECT_EQ(one, reference);
  // A stop asked through progress ends the run unfinished.
  FacadeLevelOptions stop{EngineKind::Fast, 1, [](long) { return false; }};
  std::vector<FacadeReceiver> many(200, FacadeReceiver{{10, -5, 4}, {}});
  std::vector<PointEnergies> cut;
  EXPECT_FALSE(ComputeFacadeEnergies(s.p, s.c, many, stop, cut));
}

TEST(Assessment, PeopleBandsSchoolsAndQuietFacades) {
  Street s = MakeStreet(true);
  std::vector<PointEnergies> e;
  ASSERT_TRUE(ComputeFacadeEnergies(s.p, s.c, At(s.layout), {}, e));
  BuildingPopulation pop;
  pop.people = 140;
  pop.dwellings = 70;
  ExposureSettings set;
  set.method = AssignMethod::Loudest;
  ExposureAssessment a = AssessExposure(s.layout, e, {pop}, set);
  // Everyone at one road-side point: the band of its Lden holds all 140.
  const BuildingAssessment& b = a.buildings[0];
  const int band = BandIndex(Indicator::Lden, Tenths(*b.loudestLden));
  ASSERT_GE(band, 0);
  const auto& all = a.table[static_cast<size_t>(SourceKind::All)][0];
  EXPECT_DOUBLE_EQ(all[static_cast<size_t>(band)].people, 140);
  EXPECT_DOUBLE_EQ(all[static_cast<size_t>(band)].dwellings, 70);
  EXPECT_EQ(b.quietFacade, *b.quietestLden <= *b.loudestLden - 20);
  double atPoints = 0;
  for (const PointAssessment& pa : a.points) atPoints += pa.people[2][0];
  EXPECT_DOUBLE_EQ(atPoints, 140);

  // Median: every point holding people is at or above the building's median.
  set.method = AssignMethod::Median;
  a = AssessExposure(s.layout, e, {pop}, set);
  std::vector<double> levels;
  for (const PointAssessment& pa : a.points) levels.push_back(*pa.levels[2].lden);
  std::vector<double> sorted = levels;
  std::sort(sorted.begin(), sorted.end());
  const double median = (sorted[6] + sorted[7]) / 2;
  for (size_t i = 0; i < levels.size(); ++i) {
    if (levels[i] < median) {
      EXPECT_EQ(a.points[i].people[2][0], 0.0);
    }
  }
  EXPECT_EQ(a.residents, 140);

  // A school counts as one school in the band of its loudest point, no people.
  pop.use = BuildingUse::School;
  a = AssessExposure(s.layout, e, {pop}, set);
  EXPECT_EQ(a.table[2][0][static_cast<size_t>(band)].schools, 1);
  EXPECT_EQ(a.table[2][0][static_cast<size_t>(band)].people, 0);
  EXPECT_EQ(a.residents, 0);

  // The files: one row per point, the header as published.
  const std::string csv = FacadePointsCsv(s.layout, a);
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")), kFacadePointsHeader);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 15);
  EXPECT_NE(csv.find("\r\n1,1,1,2.50,-0.10,4.00,5.00,"), std::string::npos);
  // Read back for the map, each point with its levels as written.
  ScratchFolder dir;
  WriteTextFile(dir.file("facade_points.csv"), csv);
  const std::vector<FacadePointRow> back = ReadFacadePointsCsv(dir.file("facade_points.csv"));
  ASSERT_EQ(back.size(), s.layout.points.size());
  EXPECT_EQ(back[5].facade, s.layout.points[5].facade);
  EXPECT_EQ(LevelField(back[5].lden), LevelField(a.points[5].levels[2].lden));
}

// Energies computed apart belong together only when everything they depend on
// is the same: the fingerprint follows the model, the settings and the receivers.
TEST(Parts, InputsFollowWhatTheEnergiesDependOn) {
  Street s = MakeStreet(true);
  const uint64_t first = FacadeInputs(s.p, s.c, At(s.layout));
  EXPECT_EQ(FacadeInputs(s.p, s.c, At(s.layout)), first);
  std::vector<FacadeReceiver> higher = At(s.layout);
  higher[3].at.z += 0.5;
  EXPECT_NE(FacadeInputs(s.p, s.c, higher), first);
  std::vector<FacadeReceiver> noWall = At(s.layout);
  noWall[0].ownWall = {};
  EXPECT_NE(FacadeInputs(s.p, s.c, noWall), first);
  Street louder = MakeStreet(true);
  louder.p.strade[1].LeqNight = 63;
  EXPECT_NE(FacadeInputs(louder.p, louder.c, At(louder.layout)), first);
  Street taller = MakeStreet(true);
  taller.p.case_[1].vertices[2].Z = 11;
  EXPECT_NE(FacadeInputs(taller.p, taller.c, At(taller.layout)), first);
  Street plain = MakeStreet(false);
  EXPECT_NE(FacadeInputs(plain.p, plain.c, At(plain.layout)), first);
  Street far = MakeStreet(true);
  far.c.DistMin = 2;
  EXPECT_NE(FacadeInputs(far.p, far.c, At(far.layout)), first);
}

TEST(Parts, JoinIntoTheEnergiesOfOneRun) {
  EXPECT_EQ(PartRange(10, 1, 3).last, 3u);
  EXPECT_EQ(PartRange(10, 2, 3).first, 3u);
  EXPECT_EQ(PartRange(10, 3, 3).last, 10u);
  EXPECT_EQ(PartRange(10, 3, 3).first, 6u);
  std::vector<PointEnergies> e(5);
  for (size_t i = 0; i < 5; ++i)
    for (size_t k = 0; k < 3; ++k) e[i].e[k] = {1.0 / (3.0 + i + k), 1e-300 * i};
  const std::string dir = testing::TempDir();
  std::vector<std::string> names;
  for (int k : {2, 1}) {
    names.push_back(dir + ExposurePartName(k, 2));
    FILE* f = fopen(names.back().c_str(), "w");
    const std::string t = ExposurePartText(k, 2, 5, PartRange(5, k, 2), e, 0xfedcba9876543210u);
    fwrite(t.data(), 1, t.size(), f);
    fclose(f);
  }
  const uint64_t inputs = 0xfedcba9876543210u;
  EXPECT_EQ(MergeExposureParts(names, 5, inputs), e);
  EXPECT_THROW(MergeExposureParts({names[0]}, 5, inputs), FormatError);  // part 1 missing
  EXPECT_THROW(MergeExposureParts({names[0], names[0], names[1]}, 5, inputs), FormatError);
  EXPECT_THROW(MergeExposureParts(names, 6, inputs), FormatError);  // another run
  try {
    MergeExposureParts(names, 5, inputs + 1);  // the same points from other inputs
    ADD_FAILURE() << "parts of other inputs were joined";
  } catch (const FormatError& err) {
    EXPECT_EQ(err.line(), 1);
    EXPECT_NE(err.message().find("another project"), std::string::npos) << err.message();
  }
  // A part written before the fingerprint was kept is taken as it is.
  FILE* f = fopen(names[1].c_str(), "w");
  const std::string old = ExposurePartText(1, 2, 5, PartRange(5, 1, 2), e, 0);
  const std::string head = "SONVALE-EXPOSURE-PART 1 2 0 2 5";
  ASSERT_EQ(old.substr(0, head.size() + 1), head + " ");
  const std::string withoutInputs = head + old.substr(old.find('\n'));
  fwrite(withoutInputs.data(), 1, withoutInputs.size(), f);
  fclose(f);
  EXPECT_EQ(MergeExposureParts(names, 5, inputs), e);
  f = fopen(names[1].c_str(), "w");
  fputs("SONVALE-EXPOSURE-PART 1 2 0 2 5\n", f);
  fclose(f);
  EXPECT_THROW(MergeExposureParts(names, 5, inputs), FormatError);  // unfinished
}

}  // namespace
}  // namespace sonvale
