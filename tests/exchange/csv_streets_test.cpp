#include "exchange/csv_streets.h"

#include <gtest/gtest.h>

#include "exchange/csv_traffic.h"
#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

TEST(CsvStreetsTest, SpeedsMapToTheFlowClassesOfTheTable) {
  EXPECT_EQ(StreetSpeedClass(0), 4);  // "C5-(50-70 km/h)"
  EXPECT_EQ(StreetSpeedClass(70), 4);
  EXPECT_EQ(StreetSpeedClass(70.5), 5);  // "C6-(70-90 km/h)"
  EXPECT_EQ(StreetSpeedClass(90), 5);
  EXPECT_EQ(StreetSpeedClass(90.1), 6);  // "C7-(90-110 km/h)"
  EXPECT_EQ(StreetSpeedClass(110), 6);
  EXPECT_EQ(StreetSpeedClass(111), 7);  // "C8-(> 110 km/h)", the last class there is
  EXPECT_EQ(StreetSpeedClass(300), 7);
  EXPECT_EQ(StreetSpeedClass(-1), -1);
}

TEST(CsvStreetsTest, StreetsAreAppendedWithLightAndHeavyTraffic) {
  ScratchFolder folder;
  const std::string path = folder.file("strade.csv");
  WriteTextFile(path,
                "ID,FEAT,X1,Y1,X2,Y2,FRC,NAME,SPEED,ONEWAY,LG,PG,LN,PN\r\n"
                "1,4110,1000,2000,1100,2000,3,\"Via Emilia\",70,0,5000,400,600,40.5\r\n"
                "2,4110,1100,2000,1100,1800,3,\"Tangenziale\",111,0,20000,3000,2500,600\r\n"
                "3,4110,900,2100,950,2150,3,\"Vicolo\",-1,0,10,0,1,0\r\n");
  Project p;
  Strada& old = p.strade.addEntity();
  old.Nome = "esistente";
  old.vertices = {LineVertex{0, 0, 0, 0, 0}, LineVertex{5, 0, 0, 0, 0}};
  // The next slot holds what an earlier, uncounted road left there.
  p.strade[2].HmedDX = 9;
  p.strade[2].NveicDay[2] = 77;
  p.strade[2].vertices = {LineVertex{7, 7, 7, 7, 7}, LineVertex{8, 8, 8, 8, 8}};
  p.extent = Extent{0, 5, 0, 0};
  p.faces.addEntity();
  p.sources.addEntity();
  p.receivers.addEntity();
  p.holes.addEntity();
  p.doors.addEntity();
  p.punti.addEntity();

  EXPECT_EQ(ImportCsvStreets(path, p).rows, 3);
  ASSERT_EQ(p.strade.count(), 4);
  EXPECT_EQ(p.strade[1].Nome, "esistente");
  const Strada& a = p.strade[2];
  EXPECT_EQ(a.Nome, "Via Emilia");
  EXPECT_EQ(a.vertex(1), (LineVertex{1000, 2000, 0, 0, 0}));
  EXPECT_EQ(a.vertex(2), (LineVertex{1100, 2000, 0, 0, 0}));
  EXPECT_EQ(a.NveicDay[1], 5000);
  EXPECT_EQ(a.NveicDay[3], 400);
  EXPECT_EQ(a.NveicNight[1], 600);
  EXPECT_EQ(a.NveicNight[3], 40);  // 40.5 rounds to the even neighbour
  EXPECT_EQ(a.NveicDay[2], 0);
  EXPECT_EQ(a.HmedDX, 0);
  EXPECT_EQ(a.VelDay[1], 4);
  EXPECT_EQ(a.VelNight[3], 4);
  EXPECT_EQ(a.VelDay[2], 0);
  const Strada& b = p.strade[3];
  EXPECT_EQ(b.VelDay[1], 7);
  EXPECT_EQ(b.VelNight[1], 7);
  EXPECT_EQ(b.VelDay[3], 7);
  EXPECT_EQ(p.strade[4].VelDay[1], 0);  // negative speed: class left as it was

  EXPECT_EQ(p.extent.Xmin, 900);
  EXPECT_EQ(p.extent.Xmax, 1100);
  EXPECT_EQ(p.extent.Ymin, 1800);
  EXPECT_EQ(p.extent.Ymax, 2150);
  EXPECT_EQ(p.faces.count(), 0);
  EXPECT_EQ(p.sources.count(), 0);
  EXPECT_EQ(p.receivers.count(), 0);
  EXPECT_EQ(p.holes.count(), 0);
  EXPECT_EQ(p.doors.count(), 0);
  EXPECT_EQ(p.punti.count(), 1);

  // A short record changes nothing at all.
  WriteTextFile(path, "h\n1,2,3,4,5,6,7,\"x\",50,0,1,2,3,4\n1,2,3,4,5,6,7,\"x\",50,0,1,2,3\n");
  EXPECT_THROW(ImportCsvStreets(path, p), FormatError);
  EXPECT_EQ(p.strade.count(), 4);
  EXPECT_EQ(p.extent.Xmin, 900);
}

TEST(CsvTrafficTest, TrafficRowsCarryFlowsAndClassesWithoutGeometry) {
  ScratchFolder folder;
  const std::string path = folder.file("traffico.csv");
  WriteTextFile(path,
                "ID,NOME,LG,PG,LN,PN,CL,CP\n"
                "1,\"SP 10\",8000,900,700,80,5,3\n"
                "2,\"SP 11\",100,10,10,1,0,9\n");
  Project p;
  p.strade[1].vertices = {LineVertex{1, 2, 3, 4, 5}};  // left over in the slot
  EXPECT_EQ(ImportCsvTraffic(path, p).rows, 2);
  ASSERT_EQ(p.strade.count(), 2);
  const Strada& a = p.strade[1];
  EXPECT_EQ(a.Nome, "SP 10");
  EXPECT_EQ(a.Npunti(), 0);
  EXPECT_EQ(a.NveicDay[1], 8000);
  EXPECT_EQ(a.NveicDay[4], 900);
  EXPECT_EQ(a.NveicNight[1], 700);
  EXPECT_EQ(a.NveicNight[4], 80);
  EXPECT_EQ(a.NveicDay[3], 0);
  EXPECT_EQ(a.VelDay[1], 4);  // code 5 is "C5"
  EXPECT_EQ(a.VelNight[1], 4);
  EXPECT_EQ(a.VelDay[4], 2);
  EXPECT_EQ(a.VelNight[4], 2);
  // Codes outside C1..C8 take the nearest class.
  EXPECT_EQ(p.strade[2].VelDay[1], 0);
  EXPECT_EQ(p.strade[2].VelDay[4], 7);
}

TEST(CsvStreetsTest, AFullRoadTableKeepsTheRowsThatFitAndCountsTheRest) {
  ScratchFolder folder;
  Project p;
  for (long i = 1; i < kMaxStrade; ++i) p.strade.addEntity().Nome = "esistente";
  const std::string streets = folder.file("strade.csv");
  WriteTextFile(streets,
                "h\n"
                "1,0,100,200,150,200,0,\"Via Po\",50,0,100,10,20,2\n"
                "2,0,0,0,1,1,0,\"Via Dora\",50,0,100,10,20,2\n"
                "\n"
                "3,0,0,0,1,1,0,\"Via Stura\",50,0,100,10,20,2\n");
  const CsvRowsRead read = ImportCsvStreets(streets, p);
  EXPECT_EQ(read.rows, 1);
  EXPECT_EQ(read.leftOut.records, 2);  // the blank line is no record
  EXPECT_EQ(read.leftOut.line, 3);
  EXPECT_EQ(read.leftOut.capacity, kMaxStrade);
  ASSERT_EQ(p.strade.count(), kMaxStrade);
  EXPECT_EQ(p.strade[kMaxStrade].Nome, "Via Po");
  EXPECT_EQ(p.extent.Xmax, 150);  // the street taken

  const std::string traffic = folder.file("traffico.csv");
  WriteTextFile(traffic, "h\n1,\"SP 10\",8000,900,700,80,5,3\n");
  const CsvRowsRead none = ImportCsvTraffic(traffic, p);
  EXPECT_EQ(none.rows, 0);
  EXPECT_EQ(none.leftOut.records, 1);
  EXPECT_EQ(none.leftOut.line, 2);
  EXPECT_EQ(p.strade.count(), kMaxStrade);
}

}  // namespace
}  // namespace sonvale
