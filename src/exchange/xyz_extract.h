// The DXF-to-XYZ converter: the X, Y, Z points of any ASCII DXF drawing (contour
// lines, spot heights) as a text file of print-zone lines, one point a line.
#pragma once

#include <string>

namespace sonvale {

// The input name without its last four characters (the ".dxf"), plus ".txt".
std::string XyzOutputName(const std::string& inputName);

// The points of a drawing held in memory; name is used in error messages.
// From the ENTITIES section on, every group pair is taken in turn. Z starts at 0
// once and, like the layer, holds until a group sets it again, across entities:
//   8  the layer;
//   10 X;
//   20 Y, and the point is written when Z > 0; when Z is 0 and the layer name reads
//      as a number above 0 (contours whose height is only in their layer), Z takes
//      that number and the point is written;
//   30 Z, and the point is written when Z > 0;
//   38, 43 Z (an elevation, written with the following 20 groups).
// So a point is never written with a Z below 0 or at 0, and a vertex is written at
// its 20 group with the Z in effect before it when that is positive, and again at
// its 30 group when its own Z is positive. The reading ends
// at the "0 EOF" pair or at the end of the text. Throws FormatError (file and line)
// when the drawing has no ENTITIES section, a group code is not a number, a
// coordinate is not a number, or the last code has no value.
std::string XyzText(const std::string& name, const std::string& content);

// Converts inputName into outputName (an old file is replaced once the new one is
// complete). Throws FileError when the input cannot be read, the output cannot be
// written, or both names are one file, and FormatError as XyzText.
void ExtractXyz(const std::string& inputName, const std::string& outputName);

}  // namespace sonvale
