#include "propagation/grid_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "support/file_contents.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

// A grid written by another program (tests/data/third_party/grd). A missing file
// fails the test that asks for it, by name.
std::string TestData(const std::string& name) {
  fs::path p = fs::path(SONVALE_THIRD_PARTY) / "grd" / name;
  if (!fs::is_regular_file(p)) ADD_FAILURE() << "missing test data file " << p.string();
  return p.string();
}

fs::path TempDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("sonvale_grid_" + name);
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

void Spit(const fs::path& p, const std::string& s) {
  std::ofstream out(p, std::ios::binary);
  out << s;
}

long CountBlanks(const GridData& g) {
  return std::count(g.values.begin(), g.values.end(), kBlankValue);
}

TEST(DsaaWriter, LaysOutHeaderAndRowsOfA41By31Map) {
  fs::path file = TempDir("layout") / "map.grd";
  {
    DsaaWriter w(file.string(), {41, 31, 0, 400, -50, 250.5, 30, 100});
    for (int j = 0; j < 31; ++j) {
      for (int i = 0; i < 41; ++i) {
        if (j == 1 && i == 3)
          w.value(kBlankValue);
        else if (j == 1 && i == 4)
          w.value(-2.5);
        else
          w.value(i);
      }
      w.endRow();
    }
    w.close();
  }
  std::string text = FileContents(file);
  const std::string header = "DSAA\r\n 41  31 \r\n 0  400 \r\n-50  250.5 \r\n 30  100 \r\n";
  ASSERT_EQ(text.substr(0, header.size()), header);
  const std::string row0 =
      "  0   1   2   3   4   5   6   7   8   9 \r\n"
      "  10   11   12   13   14   15   16   17   18   19 \r\n"
      "  20   21   22   23   24   25   26   27   28   29 \r\n"
      "  30   31   32   33   34   35   36   37   38   39 \r\n"
      "  40 \r\n"
      "\r\n";
  EXPECT_EQ(text.substr(header.size(), row0.size()), row0);
  const std::string row1start = "  0   1   2   1.70141E+38  -2.5   5 ";
  EXPECT_EQ(text.substr(header.size() + row0.size(), row1start.size()), row1start);
  // Five header lines, then per row four full lines, one short line and an empty one.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5 + 31 * 6);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 5 + 31 * 6);
  EXPECT_TRUE(text.ends_with("   39 \r\n  40 \r\n\r\n"));
}

TEST(DsaaWriter, RowOfTenValuesEndsWithoutAnExtraLineBreak) {
  fs::path file = TempDir("ten") / "ten.grd";
  DsaaWriter w(file.string(), {10, 2, 0, 9, 0, 1, 30, 100});
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 10; ++i) w.value(j);
    w.endRow();
  }
  w.close();
  std::string text = FileContents(file);
  std::string rows =
      "  0   0   0   0   0   0   0   0   0   0 \r\n\r\n"
      "  1   1   1   1   1   1   1   1   1   1 \r\n\r\n";
  ASSERT_GE(text.size(), rows.size());
  EXPECT_EQ(text.substr(text.size() - rows.size()), rows);
}

TEST(DsaaWriter, ReportsFilesThatCannotBeCreatedOrWritten) {
  try {
    DsaaWriter w("/nonexistent-folder/x.grd", {2, 2, 0, 1, 0, 1, 30, 100});
    FAIL() << "no error for a file in a missing folder";
  } catch (const FileError& e) {
    EXPECT_EQ(e.file(), "/nonexistent-folder/x.grd");
  }
  // A grid that cannot take its name (a folder has it) is reported, and the file
  // written so far is not left behind.
  fs::path dir = TempDir("unwritable");
  fs::create_directories(dir / "taken.grd" / "inside");
  EXPECT_THROW(
      {
        DsaaWriter w((dir / "taken.grd").string(), {2, 1, 0, 1, 0, 1, 30, 100});
        w.value(1);
        w.value(2);
        w.endRow();
        w.close();
      },
      FileError);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(DsaaWriter, AnEarlierGridSurvivesAPassThatIsNotClosed) {
  fs::path dir = TempDir("replace");
  const fs::path grid = dir / "map_D.grd";
  Spit(grid, "old grid");
  {
    DsaaWriter w(grid.string(), {2, 1, 0, 1, 0, 1, 30, 100});
    w.value(1);
    w.endRow();
    EXPECT_EQ(FileContents(grid), "old grid");  // nothing replaced while writing
  }                                             // abandoned, as by an exception during the pass
  EXPECT_EQ(FileContents(grid), "old grid");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

  DsaaWriter w(grid.string(), {2, 1, 0, 1, 0, 1, 30, 100});
  w.value(1);
  w.value(2);
  w.endRow();
  w.close();
  EXPECT_EQ(FileContents(grid).substr(0, 6), "DSAA\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(TerrainReader, ReadsGridsWrittenByOtherPrograms) {
  // CR LF, ten values to a line, an empty line between rows.
  GridData g = ReadTerrainGrid(TestData("gdal_gsg_ascii.grd"));
  EXPECT_EQ(g.nx(), 20);
  EXPECT_EQ(g.ny(), 20);
  EXPECT_EQ(g.header.xlo, 440750);
  EXPECT_EQ(g.header.xhi, 441890);
  EXPECT_EQ(g.header.ylo, 3750150);
  EXPECT_EQ(g.header.yhi, 3751290);
  EXPECT_EQ(g.value(0, 0), 181);    // first value after the header
  EXPECT_EQ(g.value(10, 0), 115);   // first value of the second line
  EXPECT_EQ(g.value(19, 19), 148);  // last value of the file
  EXPECT_EQ(CountBlanks(g), 0);

  // Blanks written in upper case by one program and with a three-digit exponent
  // by another are the same value.
  GridData n43 = ReadTerrainGrid(TestData("gdalgen_n43_utm17_1km_DSAA.grd"));
  EXPECT_EQ(n43.nx(), 83);
  EXPECT_EQ(n43.ny(), 113);
  EXPECT_EQ(CountBlanks(n43), 246);
  EXPECT_EQ(n43.value(0, 0), kBlankValue);
  EXPECT_EQ(n43.value(1, 0), 199.01419067383);

  for (const char* name : {"apdev_sample-1-surfer6.grd", "apdev_sample-1-surfer10.grd"}) {
    GridData s = ReadTerrainGrid(TestData(name));
    EXPECT_EQ(s.nx(), 4) << name;
    EXPECT_EQ(s.ny(), 3) << name;
    EXPECT_EQ(s.value(3, 0), 2) << name;
    EXPECT_EQ(s.value(0, 1), 2) << name;
    EXPECT_EQ(s.value(2, 2), kBlankValue) << name;
    EXPECT_EQ(CountBlanks(s), 1) << name;
  }

  // One row to a line, no empty lines, more rows than columns.
  GridData steno = ReadTerrainGrid(TestData("steno3d_ascii.grd"));
  EXPECT_EQ(steno.nx(), 5);
  EXPECT_EQ(steno.ny(), 7);
  EXPECT_EQ(steno.value(0, 1), 1.6);
  EXPECT_EQ(steno.value(4, 6), 2.5);
}

TEST(TerrainReader, SeparatorsAndTheRestOfARowLine) {
  fs::path file = TempDir("separators") / "t.grd";
  // Commas as separators; after the last value of a row the line is discarded.
  Spit(file, "XXXX\n3,2\n0,10\n0 5\n0 1\n\n1,2,3 99 junk\n\n\n4 5\t6\n");
  GridData g = ReadTerrainGrid(file.string());
  EXPECT_EQ(g.values, (std::vector<double>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(g.header.xhi, 10);
  EXPECT_EQ(g.header.yhi, 5);
}

TEST(TerrainReader, RefusesMissingShortAndDegenerateFiles) {
  fs::path dir = TempDir("bad");
  try {
    ReadTerrainGrid((dir / "missing.grd").string());
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.file(), (dir / "missing.grd").string());
  }

  Spit(dir / "short.grd", "DSAA\r\n3 2\r\n0 10\r\n0 5\r\n0 1\r\n1 2 3\r\n\r\n4 5\r\n");
  try {
    ReadTerrainGrid((dir / "short.grd").string());
    FAIL();
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), (dir / "short.grd").string());
    EXPECT_NE(e.message().find("5 node values"), std::string::npos) << e.message();
  }

  Spit(dir / "column.grd", "DSAA\n1 3\n0 0\n0 5\n0 1\n1\n2\n3\n");
  EXPECT_THROW(ReadTerrainGrid((dir / "column.grd").string()), FormatError);

  Spit(dir / "word.grd", "DSAA\n2 2\n0 1\n0 1\n0 1\n1 x\n3 4\n");
  try {
    ReadTerrainGrid((dir / "word.grd").string());
    FAIL();
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 6);
  }

  // Without its identifier the header is read one item late: ny comes out 0.
  EXPECT_THROW(ReadTerrainGrid(TestData("steno3d_ascii_bad_nomagic.grd")), FormatError);
}

FormatError TerrainError(const fs::path& path, const std::string& content,
                         GridData (*read)(const std::string&) = ReadTerrainHeights) {
  Spit(path, content);
  try {
    read(path.string());
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), path.string());
    return e;
  }
  ADD_FAILURE() << "no error for " << path;
  return FormatError("", 0, "");
}

TEST(TerrainReader, BinaryGridsAndGarbageGiveShortPrintableMessages) {
  fs::path dir = TempDir("garbage");
  std::string dsbb("DSBB\x02\x00\x02\x00", 8);
  dsbb += std::string(48 + 16, '\x1b');
  for (const char* tag : {"DSBB", "DSRB"}) {
    dsbb.replace(0, 4, tag);
    FormatError e = TerrainError(dir / "binary.grd", dsbb, ReadTerrainGrid);
    EXPECT_EQ(e.message(), std::string("the file is a binary grid (") + tag +
                               "): terrain is read from the text grid layout (DSAA)");
  }

  FormatError e = TerrainError(
      dir / "long.grd", "DSAA\n2 2\n0 1\n0 1\n0 1\n1 \x07" + std::string(1'200'000, 'x') + "\n");
  EXPECT_EQ(e.line(), 6);
  EXPECT_EQ(e.message(), "\"\\x07" + std::string(39, 'x') + "...\" is not a number (node value)");

  e = TerrainError(dir / "digits.grd", "DSAA\n" + std::string(100'000, '9') + " 2\n");
  EXPECT_EQ(e.line(), 2);
  EXPECT_EQ(e.message(), "\"" + std::string(40, '9') + "...\" is a number out of range (nx)");
}

TEST(TerrainReader, TerrainBoundsMustEncloseAnAreaOnEarth) {
  fs::path dir = TempDir("bounds");
  auto grid = [](const std::string& x, const std::string& y) {
    return "DSAA\n2 2\n" + x + "\n" + y + "\n0 1\n1 2\n3 4\n";
  };
  FormatError e = TerrainError(dir / "flat.grd", grid("5 5", "0 1"));
  EXPECT_EQ(e.line(), 3);
  EXPECT_EQ(e.message(),
            "the x bounds 5 and 5 enclose no area: the low bound must be below the high one");
  e = TerrainError(dir / "reversed.grd", grid("0 10", "8 -2"));
  EXPECT_EQ(e.line(), 4);
  EXPECT_EQ(e.message(),
            "the y bounds 8 and -2 enclose no area: the low bound must be below the high one");
  e = TerrainError(dir / "far.grd", grid("-1e308 1e308", "0 1"));
  EXPECT_EQ(e.line(), 3);
  EXPECT_EQ(e.message(),
            "the x bound -1E+308 lies beyond the 1E+09 m a terrain coordinate can reach");
  e = TerrainError(dir / "far_y.grd", grid("0 1", "0 1e308"));
  EXPECT_EQ(e.line(), 4);

  // Coordinates of real projections pass, and the plain grid reader still takes a
  // map grid whose bounds meet (a section of length 0).
  Spit(dir / "utm.grd", grid("500000 500100", "4999990 5000000"));
  EXPECT_EQ(ReadTerrainHeights((dir / "utm.grd").string()).header.yhi, 5000000);
  Spit(dir / "section.grd", grid("0 0", "0 1"));
  EXPECT_EQ(ReadTerrainGrid((dir / "section.grd").string()).values.size(), 4u);
}

TEST(BinaryGridReader, ReadsTracerGridsAndBlanks) {
  GridData bin = ReadBinaryGrid(TestData("gdal_gsg_binary.grd"));
  GridData ascii = ReadTerrainGrid(TestData("gdal_gsg_ascii.grd"));
  EXPECT_EQ(bin.nx(), 20);
  EXPECT_EQ(bin.ny(), 20);
  EXPECT_EQ(bin.header.xlo, 440750);
  EXPECT_EQ(bin.header.yhi, 3751290);
  EXPECT_EQ(bin.header.zlo, 74);
  EXPECT_EQ(bin.header.zhi, 255);
  EXPECT_EQ(bin.values, ascii.values);  // the same grid saved both ways

  GridData sample = ReadBinaryGrid(TestData("apdev_sample1.binary.grd"));
  GridData sampleText = ReadTerrainGrid(TestData("apdev_sample-1-surfer6.grd"));
  EXPECT_EQ(sample.nx(), 4);
  EXPECT_EQ(sample.ny(), 3);
  EXPECT_EQ(sample.header.xhi, 30);
  EXPECT_EQ(sample.header.yhi, 20);
  EXPECT_EQ(sample.values, sampleText.values);
  EXPECT_EQ(sample.value(2, 2), kBlankValue);

  // Every value zero: the z range of the header is a single value.
  GridData zeros = ReadBinaryGrid(TestData("apdev_minimal-2x2-zeros.binary.grd"));
  EXPECT_EQ(zeros.nx(), 2);
  EXPECT_EQ(zeros.ny(), 2);
  EXPECT_EQ(zeros.header.xhi, 10);
  EXPECT_EQ(zeros.header.yhi, 10);
  EXPECT_EQ(zeros.header.zlo, 0);
  EXPECT_EQ(zeros.header.zhi, 0);
  EXPECT_EQ(zeros.values, (std::vector<double>{0, 0, 0, 0}));

  GridData n43 = ReadBinaryGrid(TestData("gdalgen_n43_utm17_1km_DSBB.grd"));
  GridData n43Text = ReadTerrainGrid(TestData("gdalgen_n43_utm17_1km_DSAA.grd"));
  ASSERT_EQ(n43.values.size(), n43Text.values.size());
  EXPECT_EQ(CountBlanks(n43), 246);
  for (size_t k = 0; k < n43.values.size(); ++k) {
    if (n43Text.values[k] == kBlankValue) {
      EXPECT_EQ(n43.values[k], kBlankValue) << k;
    } else {
      EXPECT_NEAR(n43.values[k], n43Text.values[k], 1e-4) << k;
    }
  }
}

TEST(BinaryGridReader, RefusesOtherLayoutsAndBrokenHeaders) {
  try {
    ReadBinaryGrid(TestData("gdal_gsg_7binary_DSRB.grd"));
    FAIL();
  } catch (const FormatError& e) {
    EXPECT_EQ(e.message(), "Problem reading GRD file");
  }
  EXPECT_THROW(ReadBinaryGrid(TestData("gdal_gsg_ascii.grd")), FormatError);
  // nx = ny = -1.
  EXPECT_THROW(ReadBinaryGrid(TestData("geoist_gravity-yx_BROKEN_HEADER.grd")), FormatError);

  fs::path dir = TempDir("binary");
  std::string whole = FileContents(TestData("gdal_gsg_binary.grd"));
  Spit(dir / "cut.grd", whole.substr(0, whole.size() - 4));
  EXPECT_THROW(ReadBinaryGrid((dir / "cut.grd").string()), FormatError);
  Spit(dir / "header.grd", whole.substr(0, 30));
  EXPECT_THROW(ReadBinaryGrid((dir / "header.grd").string()), FormatError);
}

// Random grids, from a fixed seed: what the text writer writes the reader gives
// back node for node, and a binary grid laid out byte by byte here reads as the
// single-precision values it holds.
TEST(GridProperties, RandomGridsSurviveTextAndBinaryLayouts) {
  fs::path dir = TempDir("random");
  std::mt19937 random(20261208);
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int n = 0; n < 2000; ++n) {
    SCOPED_TRACE(n);
    GridHeader h;
    h.nx = uniform(2, 23);
    h.ny = uniform(2, 17);
    h.xlo = uniform(-100000, 100000) / 4.0;
    h.xhi = h.xlo + uniform(1, 50000) / 8.0;
    h.ylo = uniform(-100000, 100000) / 4.0;
    h.yhi = h.ylo + uniform(1, 50000) / 8.0;
    h.zlo = 30, h.zhi = 100;
    std::vector<double> values;
    for (int k = 0; k < h.nx * h.ny; ++k)
      values.push_back(uniform(0, 9) == 0 ? kBlankValue : uniform(-99999, 99999) / 100.0);

    const fs::path text = dir / "text.grd";
    DsaaWriter w(text.string(), h);
    for (int j = 0; j < h.ny; ++j) {
      for (int i = 0; i < h.nx; ++i) w.value(values[static_cast<size_t>(j * h.nx + i)]);
      w.endRow();
    }
    w.close();
    GridData t = ReadTerrainHeights(text.string());
    EXPECT_EQ(t.nx(), h.nx);
    EXPECT_EQ(t.ny(), h.ny);
    EXPECT_EQ(t.header.xlo, h.xlo);
    EXPECT_EQ(t.header.xhi, h.xhi);
    EXPECT_EQ(t.header.ylo, h.ylo);
    EXPECT_EQ(t.header.yhi, h.yhi);
    EXPECT_EQ(t.values, values);

    std::string bytes = "DSBB";
    auto put = [&](const void* v, size_t size) {
      bytes.append(static_cast<const char*>(v), size);  // little-endian host
    };
    const int16_t nx = static_cast<int16_t>(h.nx), ny = static_cast<int16_t>(h.ny);
    put(&nx, 2), put(&ny, 2);
    for (double b : {h.xlo, h.xhi, h.ylo, h.yhi, h.zlo, h.zhi}) put(&b, 8);
    std::vector<double> singles;
    for (double v : values) {
      const float f = static_cast<float>(v);
      if (v == kBlankValue) {
        put(&kBlankSingleBits, 4);
      } else {
        put(&f, 4);
      }
      singles.push_back(v == kBlankValue ? kBlankValue : static_cast<double>(f));
    }
    Spit(dir / "binary.grd", bytes);
    GridData b = ReadBinaryGrid((dir / "binary.grd").string());
    EXPECT_EQ(b.header.xhi, h.xhi);
    EXPECT_EQ(b.header.yhi, h.yhi);
    EXPECT_EQ(b.values, singles);
  }
}

TEST(GridNames, DayMarkerCutAndPassFiles) {
  EXPECT_EQ(NormaliseGrdName("c:\\maps\\area_d.GRD"), "c:\\maps\\area.grd");
  EXPECT_EQ(PassFileName(NormaliseGrdName("area_d.GRD"), true), "area_D.grd");
  EXPECT_EQ(NormaliseGrdName("area_D.GRD"), "area_D.GRD");  // case-sensitive
  EXPECT_EQ(PassFileName("area_D.GRD", true), "area_D_D.grd");
  EXPECT_EQ(NormaliseGrdName("/x_d.y/area.grd"), "/x_d.y/area.grd");  // folders don't count
  EXPECT_EQ(NormaliseGrdName("/maps/_d.grd"), "/maps/_d.grd");        // first character
  EXPECT_EQ(NormaliseGrdName("/maps/a_d.b_d.grd"), "/maps/a.grd");
  EXPECT_EQ(PassFileName("c:\\maps\\area.grd", true), "c:\\maps\\area_D.grd");
  EXPECT_EQ(PassFileName("c:\\maps\\area.grd", false), "c:\\maps\\area_N.grd");
  EXPECT_EQ(PassFileName("ab", false), "_N.grd");
}

}  // namespace
}  // namespace sonvale
