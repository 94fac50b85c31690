// A drawing written by another program: ezdxf (Debian python3-ezdxf) draws a
// small town from the coordinates in make_ezdxf_sample.py, and the import must
// give them back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "exchange/dxf_reader.h"
#include "exchange/dxf_samples.h"
#include "support/dxf_report.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

std::string PythonWithEzdxf() {
  for (const char* python : {"python3", "/usr/bin/python3"}) {
    std::string probe = std::string(python) + " -c \"import ezdxf\" >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) return python;
  }
  return "";
}

TEST(EzdxfDrawingTest, ImportReproducesTheDrawnTown) {
  std::string python = PythonWithEzdxf();
  ASSERT_FALSE(python.empty())
      << "python3 with ezdxf is not installed (Debian python3-ezdxf; tools/install-deps.sh)";
  ScratchFolder dir;
  for (const char* version : {"R2000", "R2018"}) {
    SCOPED_TRACE(version);
    std::string path = dir.file(std::string("town_") + version + ".dxf");
    std::string cmd = python + " " + SONVALE_SOURCE_DIR "/tests/exchange/make_ezdxf_sample.py " +
                      path + " " + version;
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;

    Project project;
    Configuration config = dxftest::Layers();
    DxfReport ui;
    ui.inputs = {"1", "1"};
    ASSERT_EQ(ReadPolylines(path, "STRADE", PolylineTable::Strade, project, config, {}, ui,
                            ui.question()),
              2);
    const Strada& r1 = project.strade[1];
    ASSERT_EQ(r1.Npunti(), 3);
    EXPECT_EQ(r1.vertex(1), (LineVertex{0, 0, 12.5, 2.5f, 2.5f}));
    EXPECT_EQ(r1.vertex(2), (LineVertex{120, 0, 12.5, 2.5f, 3.0f}));
    EXPECT_EQ(r1.vertex(3), (LineVertex{120, 80, 12.5, 3.0f, 3.0f}));
    const Strada& r2 = project.strade[2];
    ASSERT_EQ(r2.Npunti(), 3);
    EXPECT_EQ(r2.vertex(2), (LineVertex{150, 210, 4, 7.0f, 7.0f}));
    EXPECT_EQ(r2.vertex(3), (LineVertex{300, 200, 4, 7.0f, 7.0f}));

    ASSERT_EQ(
        ReadPolylines(path, "CASE", PolylineTable::Case, project, config, {}, ui, ui.question()),
        2);
    const Casa& c1 = project.case_[1];
    ASSERT_EQ(c1.Npunti(), 5);  // closed: the first corner again at the end
    EXPECT_EQ(c1.vertex(3), (Point3{30, 25, 9.5}));
    EXPECT_EQ(c1.vertex(5), (Point3{10, 10, 9}));
    EXPECT_EQ(project.case_[2].Npunti(), 4);
    EXPECT_EQ(project.case_[2].vertex(3), (Point3{55, 30, 6}));
    EXPECT_TRUE(ui.notices.empty());  // every building has a height

    ASSERT_EQ(ReadCircles(path, "PUNTI", PointTable::Punti, project, ui), 2);
    EXPECT_EQ(project.punti[1].X, 50);
    EXPECT_EQ(project.punti[1].Y, 60);
    EXPECT_EQ(project.punti[1].Z, 1.5);
    EXPECT_EQ(project.punti[2].X, -20);
    EXPECT_EQ(project.punti[2].Z, 4);

    ASSERT_EQ(ReadFaces(path, "SEZIONI", project, ui), 1);
    const Sezione& s = project.sezioni[1];
    EXPECT_EQ(s.XL, 0);
    EXPECT_EQ(s.YL, -10);
    EXPECT_EQ(s.ZL, 0);
    EXPECT_EQ(s.XR, 100);
    EXPECT_EQ(s.YR, -10);
    EXPECT_EQ(s.ZR, 20);

    EXPECT_EQ(project.extent.Xmin, -20);
    EXPECT_EQ(project.extent.Xmax, 300);
    EXPECT_EQ(project.extent.Ymin, -10);
    EXPECT_EQ(project.extent.Ymax, 210);
  }
}

}  // namespace
}  // namespace sonvale
