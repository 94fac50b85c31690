#include "exchange/side_exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "exchange/xyz_extract.h"
#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

Polyline3 Outline(std::initializer_list<Point3> points) {
  Polyline3 e;
  e.vertices = points;
  return e;
}

std::vector<LineVertex> Line(std::initializer_list<std::pair<double, double>> points) {
  std::vector<LineVertex> v;
  for (auto [x, y] : points) v.push_back(LineVertex{x, y, 0, 0, 0});
  return v;
}

TEST(SideExportsTest, BlanksClosePlansAndBuildingsOnlyWhenOpen) {
  Project p;
  p.plans.addEntity() = Outline({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}});           // open: closed here
  p.barriere.addEntity() = Outline({{1, 1, 3}, {2, 1.5, 3}});                   // never closed
  p.case_.addEntity() = Outline({{0, 0, 9}, {4, 0, 9}, {4, 4, 9}, {0, 0, 9}});  // drawn closed
  p.case_.addEntity() = Outline({{5, 5, 9}, {6, 5, 9}, {5, 5, 7}});  // Z alone differs: closed
  p.case_.addEntity() = Outline({{7, 7, 9}, {8, 7, 9}, {8, 8, 9}});  // open
  p.case_.addEntity();                                               // no vertices: left out
  p.strade.addEntity().vertices = Line({{0, -.5}, {100, 0}, {0, -.5}});
  p.binari.addEntity().vertices = Line({{-1e6, 2}, {3, 4}});

  const std::string all = BlnText(p, BlnKinds{});
  EXPECT_EQ(all,
            "4,0\r\n0,0\r\n10,0\r\n10,5\r\n0,0\r\n"
            "2,0\r\n1,1\r\n2,1.5\r\n"
            "4,1\r\n0,0\r\n4,0\r\n4,4\r\n0,0\r\n"
            "3,1\r\n5,5\r\n6,5\r\n5,5\r\n"
            "4,1\r\n7,7\r\n8,7\r\n8,8\r\n7,7\r\n"
            "3,1\r\n0,-.5\r\n100,0\r\n0,-.5\r\n"
            "2,1\r\n-1000000,2\r\n3,4\r\n");

  BlnKinds some;
  some.plans = some.buildings = some.roads = false;
  EXPECT_EQ(BlnText(p, some), "2,0\r\n1,1\r\n2,1.5\r\n2,1\r\n-1000000,2\r\n3,4\r\n");
}

TEST(SideExportsTest, ListHoldsTitleYearAndOneRecordPerRoadAndTrack) {
  Project p;
  p.Anno = 2012;
  EXPECT_EQ(ListText(p),
            "\"Sonvale3.6 - Elenco delle strade e dei binari con i dati di traffico e di "
            "emissione\"\r\n"
            "\"I valori di emissioni indicati sono riferiti all'anno: 2012\"\r\n");

  Strada& s = p.strade.addEntity();
  s.Nome = "Via \"Roma\"";
  s.NveicDay = {0, 1200, 30, 20, 10, 50};
  s.VelDay = {0, 3, 2, 2, 1, 0};
  s.LeqDay = 67.25;
  s.NveicNight = {0, 100, 3, 2, 1, 5};
  s.VelNight = {0, 7, 6, 5, 4, 3};
  s.LeqNight = 58.5;
  Binario& b = p.binari.addEntity();
  b.Nome = "Linea 1";
  b.NtreniDay = {0, 4, 30, 12};
  b.LungDay = {0, 500, 120, 250};
  b.LeqDay = 0.75;
  b.NtreniNight = {0, 2, 0, 1};
  b.LungNight = {0, 450, 0, 300};
  b.LeqNight = 61;

  const std::string text = ListText(p);
  const std::string roads =
      "\r\n\"Strada n.\",\"Nome\",\"N.auto/G\",\"N.cam. 2assi/G\",\"N.cam. 3assi/G\",\"N.TIR/G\","
      "\"N.moto/G\",\"Vel.auto/G\",\"Vel.cam.2assi/G\",\"Vel.cam.3assi/G\",\"Vel.TIR/G\","
      "\"Vel.moto/G\",\"Leq,G\",\"N.auto/N\",\"N.cam. 2assi/N\",\"N.cam. 3assi/N\",\"N.TIR/N\","
      "\"N.moto/N\",\"Vel.auto/N\",\"Vel.cam.2assi/N\",\"Vel.cam.3assi/N\",\"Vel.TIR/N\","
      "\"Vel.moto/N\",\"Leq,N\"\r\n"
      "1,\"Via 'Roma'\",1200,30,20,10,50,3,2,2,1,0,67.25,100,3,2,1,5,7,6,5,4,3,58.5\r\n";
  const std::string tracks =
      "\r\n\"Binario n.\",\"Nome\",\"Nmerci/G\",\"Lung.\",\"Nlocali/G\",\"Lung.\",\"Ni.c./G\","
      "\"Lung.\",\"Leq,G\",\"Nmerci/N\",\"Lung.\",\"Nlocali/N\",\"Lung.\",\"Ni.c./N\",\"Lung.\","
      "\"Leq,N\"\r\n"
      "1,\"Linea 1\",4,500,30,120,12,250,.75,2,450,0,0,1,300,61\r\n";
  const size_t head = text.find("\r\n\r\n");
  ASSERT_NE(head, std::string::npos);
  EXPECT_EQ(text.substr(head + 2), roads + tracks);

  p.strade.setCount(0);  // a table without rows has no header either
  EXPECT_EQ(text.substr(0, head + 2) + tracks, ListText(p));
}

TEST(SideExportsTest, PointScriptAndBarrierLength) {
  Project p;
  for (int n = 1; n <= 7; ++n) p.punti.addEntity() = Punto{100.5, -200, .25, "P"};
  p.punti[7] = Punto{100, 200, 1.5, "P7"};
  const std::string script = PointScriptText(p);
  const std::string first = "circle 100.5,-200,.25 15\r\ntext j tc 100.5,-200,.25 25 0 1\r\n";
  const std::string last = "circle 100,200,1.5 15\r\ntext j tc 100,200,1.5 25 0 7\r\n";
  EXPECT_EQ(script.substr(0, first.size()), first);
  ASSERT_GT(script.size(), last.size());
  EXPECT_EQ(script.substr(script.size() - last.size()), last);
  EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), 14);

  EXPECT_EQ(BarrierLengthText(TotalBarrierLength(p)), "N= 0 - L= 0 m");
  p.barriere.addEntity() = Outline({{0, 0, 5}, {3, 4, 9}});  // plan length 5, heights ignored
  p.barriere.addEntity() = Outline({{0, 0, 0}, {0, 10, 0}, {.5, 10, 0}});
  p.barriere.addEntity() = Outline({{8, 8, 8}});  // a single vertex has no length
  EXPECT_EQ(BarrierLengthText(TotalBarrierLength(p)), "N= 3 - L= 15.5 m");
}

// One print-zone line from the print forms of its three values.
std::string Zones(std::string x, std::string y, const std::string& z) {
  x.resize(14, ' ');
  y.resize(14, ' ');
  return x + y + z + "\r\n";
}

TEST(XyzExtractTest, HeightsComeFromTheGroupsOrTheLayerAndNeverBelowZero) {
  const std::string dxf =
      "0\r\nSECTION\r\n2\r\nHEADER\r\n9\r\n$EXTMIN\r\n10\r\n5\r\n20\r\n5\r\n30\r\n5\r\n"
      "0\r\nENDSEC\r\n0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
      // The 43 group sets the height, which then wins over the 125 of the layer.
      "  0\r\nLWPOLYLINE\r\n  8\r\n125\r\n 43\r\n2.5\r\n 10\r\n1\r\n 20\r\n2\r\n"
      " 10\r\n3\r\n 20\r\n4\r\n"
      // The next entities keep that height until a 30 group sets another.
      "  0\r\nLWPOLYLINE\r\n  8\r\nCURVE\r\n 10\r\n5\r\n 20\r\n6\r\n"
      "0\nPOINT\n8\nCURVE\n10\n7\n20\n8\n30\n-3\n"
      "0\nPOINT\n8\n-40\n10\n7\n20\n8\n30\n0\n"
      "0\rVERTEX\r8\rCURVE\r10\r9\r20\r10\r30\r12.5\r"
      // After a positive Z a point is written at its 20 group as well.
      "0\nSPLINE\n8\n0\n10\n1\n20\n1\n30\n2\n10\n5\n20\n6\n30\n3\n"
      "0\nLWPOLYLINE\n8\nX\n38\n40\n10\n-1\n20\n-2\n"
      "0\nEOF\n\n";
  EXPECT_EQ(XyzText("t.dxf", dxf), Zones(" 1 ", " 2 ", " 2.5 ") + Zones(" 3 ", " 4 ", " 2.5 ") +
                                       Zones(" 5 ", " 6 ", " 2.5 ") + Zones(" 7 ", " 8 ", " 2.5 ") +
                                       Zones(" 9 ", " 10 ", " 12.5 ") +
                                       Zones(" 1 ", " 1 ", " 12.5 ") + Zones(" 1 ", " 1 ", " 2 ") +
                                       Zones(" 5 ", " 6 ", " 2 ") + Zones(" 5 ", " 6 ", " 3 ") +
                                       Zones("-1 ", "-2 ", " 40 "));

  struct Bad {
    const char* text;
    long line;
  };
  for (const Bad& b : {Bad{"0\nSECTION\n2\nHEADER\n0\nENDSEC\n", 6},
                       Bad{"0\nSECTION\n2\nENTITIES\n0\nPOINT\nabc\n10\n", 7},
                       Bad{"0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\nx1\n", 8},
                       Bad{"0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\n", 7}}) {
    try {
      XyzText("bad.dxf", b.text);
      ADD_FAILURE() << "accepted: " << b.text;
    } catch (const FormatError& e) {
      EXPECT_EQ(e.file(), "bad.dxf");
      EXPECT_EQ(e.line(), b.line) << b.text;
    }
  }

  // A long value full of terminal controls is quoted short and escaped.
  const std::string noise = "\x1b]0;owned\x07" + std::string(100000, 'x');
  try {
    XyzText("noise.dxf", "0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\n" + noise + "\n");
    ADD_FAILURE() << "accepted a value that is no number";
  } catch (const FormatError& e) {
    const std::string what = e.what();
    EXPECT_LT(what.size(), 200u) << what;
    EXPECT_EQ(what.find('\x1b'), std::string::npos) << what;
    EXPECT_NE(what.find("\\x1B]0;owned\\x07"), std::string::npos) << what;
  }

  EXPECT_EQ(XyzOutputName("/maps/town.dxf"), "/maps/town.txt");
  EXPECT_EQ(XyzOutputName("A.DXF"), "A.txt");
  ScratchFolder dir;
  const std::string in = dir.file("curves.txt");
  WriteTextFile(in, "0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\n1\n20\n2\n30\n3\n0\nEOF\n");
  EXPECT_THROW(ExtractXyz(in, XyzOutputName(in)), FileError);  // would replace its own input
  ExtractXyz(in, dir.file("points.txt"));
  std::ifstream out(dir.file("points.txt"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(out), {}), Zones(" 1 ", " 2 ", " 3 "));
}

TEST(XyzExtractTest, HeightCarriesAcrossEntitiesUntilAGroupSetsIt) {
  // A 3D polyline: its header at Z 0, then vertices at Z 5, 6, -1 and 7. Each
  // vertex after the first meets its 20 group with the Z of the vertex before.
  const std::string polyline =
      "0\nSECTION\n2\nENTITIES\n"
      "0\nPOLYLINE\n8\n0\n66\n1\n10\n0\n20\n0\n30\n0\n70\n8\n"
      "0\nVERTEX\n8\n0\n10\n1\n20\n1\n30\n5\n70\n32\n"
      "0\nVERTEX\n8\n0\n10\n2\n20\n2\n30\n6\n70\n32\n"
      "0\nVERTEX\n8\n0\n10\n3\n20\n3\n30\n-1\n70\n32\n"
      "0\nVERTEX\n8\n0\n10\n4\n20\n4\n30\n7\n70\n32\n"
      "0\nSEQEND\n8\n0\n0\nENDSEC\n0\nEOF\n";
  EXPECT_EQ(XyzText("poly.dxf", polyline),
            Zones(" 1 ", " 1 ", " 5 ") + Zones(" 2 ", " 2 ", " 5 ") + Zones(" 2 ", " 2 ", " 6 ") +
                Zones(" 3 ", " 3 ", " 6 ") + Zones(" 4 ", " 4 ", " 7 "));

  // Contours on layer 125 drawn at Z 0 come out at Z 125: the layer takes over
  // whenever the Z in effect is 0. On layer CURVE they give nothing.
  const std::string contours =
      "0\nSECTION\n2\nENTITIES\n"
      "0\nPOLYLINE\n8\n125\n10\n0\n20\n0\n30\n0\n"
      "0\nVERTEX\n8\n125\n10\n10\n20\n20\n30\n0\n"
      "0\nVERTEX\n8\n125\n10\n11\n20\n21\n30\n0\n"
      "0\nSEQEND\n8\n125\n"
      "0\nPOLYLINE\n8\nCURVE\n10\n0\n20\n0\n30\n0\n"
      "0\nVERTEX\n8\nCURVE\n10\n12\n20\n22\n30\n0\n"
      "0\nSEQEND\n8\nCURVE\n0\nENDSEC\n0\nEOF\n";
  EXPECT_EQ(XyzText("contours.dxf", contours), Zones(" 0 ", " 0 ", " 125 ") +
                                                   Zones(" 10 ", " 20 ", " 125 ") +
                                                   Zones(" 11 ", " 21 ", " 125 "));
}

TEST(XyzExtractTest, Group43SetsTheHeight) {
  const std::string dxf =
      "0\nSECTION\n2\nENTITIES\n"
      "0\nLWPOLYLINE\n8\n125\n90\n2\n70\n0\n43\n0.5\n10\n1\n20\n2\n10\n3\n20\n4\n"
      "0\nENDSEC\n0\nEOF\n";
  EXPECT_EQ(XyzText("lw.dxf", dxf), Zones(" 1 ", " 2 ", " .5 ") + Zones(" 3 ", " 4 ", " .5 "));
  // Its value must be a number like every other height.
  EXPECT_THROW(XyzText("lw.dxf", "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n43\nwide\n"),
               FormatError);
}

}  // namespace
}  // namespace sonvale
