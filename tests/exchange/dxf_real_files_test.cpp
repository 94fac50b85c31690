// Drawings written by other programs (CAD packages, GDAL, ezdxf, a laser meter):
// the expected counts and coordinates come from the files themselves.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "exchange/dxf_reader.h"
#include "exchange/dxf_samples.h"
#include "support/dxf_report.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

class RealDxfTest : public ::testing::Test {
 protected:
  // The drawings sit in tests/data/third_party/dxf; without them every test fails.
  void SetUp() override {
    dir = std::string(SONVALE_THIRD_PARTY) + "/dxf/";
    ASSERT_TRUE(std::filesystem::is_directory(dir)) << "missing test data folder " << dir;
  }
  // The path of a drawing of the folder; a missing one fails the test, by name.
  std::string drawing(const std::string& name) {
    std::string path = dir + name;
    if (!std::filesystem::is_regular_file(path)) ADD_FAILURE() << "missing test data file " << path;
    return path;
  }
  long lines(const std::string& name, const std::string& layer,
             PolylineTable t = PolylineTable::Binari) {
    Project fresh;
    project = fresh;
    return ReadPolylines(drawing(name), layer, t, project, config, {}, ui, ui.question());
  }
  long faces(const std::string& name, const std::string& layer) {
    project = Project{};
    return ReadFaces(drawing(name), layer, project, ui);
  }
  long circles(const std::string& name, const std::string& layer) {
    project = Project{};
    return ReadCircles(drawing(name), layer, PointTable::Punti, project, ui);
  }

  std::string dir;
  Project project;
  Configuration config = dxftest::Layers();
  DxfReport ui;
};

TEST_F(RealDxfTest, LwPolylinesWithWidthsElevationsAndClosing) {
  // Closed (70 = 129), constant width 0.5, one bulge: 8 vertices and the closing one.
  EXPECT_EQ(lines("gdal_closed_polyline_with_bulge.dxf", "test"), 1);
  const Binario& b = project.binari[1];
  ASSERT_EQ(b.Npunti(), 9);
  EXPECT_EQ(b.vertex(1).X, 40585366.70650577);
  EXPECT_EQ(b.vertex(1).Y, 3433935.538090975);
  EXPECT_EQ(b.vertex(8).X, 40585364.24837356);
  EXPECT_EQ(b.vertex(9).X, b.vertex(1).X);
  for (long k = 1; k <= 9; ++k) {
    EXPECT_EQ(b.vertex(k).SW, 0.5f);
    EXPECT_EQ(b.vertex(k).EW, 0.5f);
  }
  EXPECT_EQ(ui.statuses.back(), "Ho letto 1 POLYLINES - TEST");

  // Per-vertex widths, no 43.
  EXPECT_EQ(lines("ezdxf_VP4.dxf", "0"), 2);
  EXPECT_EQ(project.binari[1].vertex(1), (LineVertex{191.4, 198.0, 0, 6.0f, 2.0f}));
  EXPECT_EQ(project.binari[2].vertex(1).X, 294.0);
  EXPECT_EQ(project.binari[2].Npunti(), 4);

  // Contours: one layer per level, the level as elevation 38.
  EXPECT_EQ(lines("gdalgen_n43_contours50m.dxf", "CONTOUR_300"), 14);
  for (long m = 1; m <= 14; ++m)
    for (const LineVertex& v : project.binari[m].vertices) EXPECT_EQ(v.Z, 300);
  EXPECT_EQ(project.binari[1].vertex(1).X, 652317.658381958);
  EXPECT_EQ(project.binari[1].vertex(1).Y, 4874288.23862955);
  EXPECT_EQ(lines("gdalgen_n43_contours50m.dxf", "contour_"), 50);

  EXPECT_EQ(lines("ezdxf_houses_of_parliament_georeferenced.dxf", "0", PolylineTable::Case), 1);
  EXPECT_EQ(project.case_[1].Npunti(), 16);
  EXPECT_EQ(project.case_[1].vertex(1).X, 23448.14039573381);
  EXPECT_EQ(project.case_[1].vertex(1).Y, 4967.0957105509);

  EXPECT_EQ(lines("bjn_lwpolylines.dxf", "0"), 2);
  EXPECT_EQ(project.binari[1].Npunti(), 5);  // closed square of 4
  EXPECT_EQ(project.binari[2].Npunti(), 7);
  EXPECT_EQ(lines("ezdxf_text.dxf", "0"), 78);
  EXPECT_EQ(lines("ezdxf_3dface.dxf", "0"), 5);
}

TEST_F(RealDxfTest, PolylinesTakeTheLayerOfTheirFirstVertex) {
  EXPECT_EQ(lines("ezdxf_POLI-ALL210_12.DXF", "T-2DPLINE-ALL"), 30);
  EXPECT_EQ(lines("ezdxf_small_r13.dxf", "3USMM_PKG"), 13);
  EXPECT_EQ(lines("ezdxf_small_r13.dxf", "FOOT_PRINT"), 3);
  EXPECT_EQ(lines("dxfparser_polylines.dxf", "MY3DLAYER"), 12);
  EXPECT_EQ(lines("dxfparser_polylines.dxf", "LaserWeb"), 0);
  // 999 comment lines before the first section.
  EXPECT_EQ(lines("ezdxf_cc_dxflib.dxf", "POLYLINE_001"), 1);
  EXPECT_EQ(project.binari[1].Npunti(), 5);
  EXPECT_EQ(project.binari[1].vertex(1).Z, 0.4803934097290039);
  // Closed, five vertices of which the first two coincide: four, then the closing one.
  EXPECT_EQ(lines("gdal_polyline_smooth.dxf", "1", PolylineTable::Barriere), 1);
  const Barriera& s = project.barriere[1];
  ASSERT_EQ(s.Npunti(), 5);
  EXPECT_EQ(s.vertex(2).X, 251308.8984362325);
  EXPECT_EQ(s.vertex(4).Y, 412231.72690827277);
  EXPECT_EQ(s.vertex(5), s.vertex(1));
  EXPECT_EQ(lines("gdal_LWPOLYLINE-OCS.dxf", "0"), 13);
  EXPECT_EQ(lines("gdal_ocs2wcs1.dxf", "0"), 8);
  EXPECT_EQ(lines("gdal_3d.dxf", "0"), 1);
}

TEST_F(RealDxfTest, FacesAndCircles) {
  EXPECT_EQ(faces("gdal_3dface.dxf", "0"), 2);
  const Sezione& s = project.sezioni[1];
  EXPECT_EQ(s.XL, 10);
  EXPECT_EQ(s.YL, 20);
  EXPECT_EQ(s.ZL, 30);
  EXPECT_EQ(s.XR, 12);
  EXPECT_EQ(s.YR, 22);
  EXPECT_EQ(s.ZR, 32);
  EXPECT_EQ(project.extent.Xmax, 13);  // corner 13 of the quad
  EXPECT_EQ(faces("ezdxf_3dface.dxf", "0"), 44);
  EXPECT_EQ(faces("bjn_threeDFaces.dxf", "0"), 12);
  EXPECT_EQ(faces("ezdxf_Minimal_DXF_AC1006.dxf", "1"), 2);
  EXPECT_EQ(faces("ezdxf_POLI-ALL210_12.DXF", "0"), 1);
  EXPECT_EQ(faces("gdal_ocs2wcs1.dxf", "0"), 4);

  // Uneven indentation of the group codes; the ARC is not a circle.
  EXPECT_EQ(circles("gdal_circle.dxf", "0"), 1);
  EXPECT_EQ(project.punti[1].X, 1);
  EXPECT_EQ(project.punti[1].Y, 2);
  EXPECT_EQ(project.punti[1].Z, 3);
  EXPECT_EQ(circles("ezdxf_issue1106.dxf", "0"), 3);
  EXPECT_EQ(project.punti[3].X, 322.082150115797);
  EXPECT_EQ(project.punti[2].Y, -239.98);
  EXPECT_EQ(circles("gdal_ocs2wcs1.dxf", "0"), 4);
  EXPECT_EQ(circles("gdal_3d.dxf", "0"), 1);
  // Circles written without their 30 group.
  EXPECT_EQ(circles("bjn_layers.dxf", "solidblue1mm"), 0);
  EXPECT_EQ(circles("ezdxf_R12_with_trash_beyond_EOF.dxf", "Layer_is_a_required_tag"), 0);
}

TEST_F(RealDxfTest, EveryFileIsReadOrRefusedCleanly) {
  // The two drawings that are refused are only met in the walk below.
  drawing("ezdxf_bin_dxf_r12.dxf");
  drawing("bjn_issue29.dxf");
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    if (name == "ezdxf_bin_dxf_r12.dxf") {
      try {
        lines(name, "0");
        ADD_FAILURE() << "binary drawing accepted";
      } catch (const FormatError& e) {
        EXPECT_NE(e.message().find("binary DXF"), std::string::npos);
        EXPECT_EQ(project.binari.count(), 0);
      }
      EXPECT_THROW(faces(name, "0"), FormatError);
      continue;
    }
    if (name == "bjn_issue29.dxf") {
      // Its VERTEX entities carry no 30 group: the reader stops at the first one.
      try {
        lines(name, "1");
        ADD_FAILURE() << "vertex without Z accepted";
      } catch (const FormatError& e) {
        EXPECT_EQ(e.file(), dir + name);
        EXPECT_EQ(e.line(), 125);  // the code after the first vertex's Y
        EXPECT_EQ(project.binari.count(), 0);
      }
      continue;
    }
    // The empty layer name is in every layer name: every polyline is taken.
    EXPECT_NO_THROW(lines(name, ""));
    EXPECT_NO_THROW(faces(name, "0"));
    EXPECT_NO_THROW(circles(name, "0"));
  }
  EXPECT_EQ(lines("ezdxf_Minimal_DXF_AC1009.dxf", ""), 0);
  EXPECT_EQ(lines("ezdxf_Leica_Disto_S910.dxf", ""), 0);
  EXPECT_EQ(lines("gdal_attrib.dxf", ""), 0);  // block references are not expanded
  EXPECT_EQ(lines("ezdxf_multi_insert_with_attribs.dxf", ""), 0);
  EXPECT_EQ(lines("gdal_frozen-off.dxf", ""), 0);
}

}  // namespace
}  // namespace sonvale
