// Source description (SPK) files laid out as the tracer exchange writes them,
// for tests that need a power level read from one.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace sonvale {

struct SpkBand {
  std::string number;
  std::string Lw;
};

// A source file laid out as the tracer exchange writes it, with a flat balloon.
inline std::string SpkText(const std::vector<SpkBand>& bands, const std::string& count,
                           int plots = 18) {
  const std::string crlf = "\r\n";
  std::string t;
  t += "\"Source Name\",\"C:\\proj\\STR-0001.SPK\"" + crlf;
  t += "\"Manufacturer\",\"ConeTrak\"" + crlf;
  t += "\"Date\",\"03-14-2024\"" + crlf;
  t += "\"Time\",\"09:05:00\"" + crlf;
  t += "\"Number of frequency bands\"," + count + crlf;
  for (const SpkBand& b : bands) {
    t += "\"Freq. band no.\"," + b.number + crlf;
    t += "\"Z (ê)\",\"Efficiency (%)\",\"Lw (dBpW)\",\"Directivity Q\","
         "\"Directivity Index (dB)\",\"Sensitivity (dB SPL at 1W,1m)\"" +
         crlf;
    t += "0,1," + b.Lw + ",1,0,94" + crlf;
    t += "\"No. of polar plots\",18" + crlf;
    t += "\"No. of points per plot\",36" + crlf;
    t += "\"Polar Angle on the plot (ß)\",\"--->\",    0,   10,   20,   30,   40,   50,   60,   "
         "70,   80,   90,  100,  110,  120,  130,  140,  150,  160,  170,  180,  190,  200,  210,  "
         "220,  230,  240,  250,  260,  270,  280,  290,  300,  310,  320,  330,  340,  350" +
         crlf;
    for (int k = 0; k < plots; ++k) {
      char angle[16];
      std::snprintf(angle, sizeof angle, "%7d", 10 * k);
      t += "\"Angle of the polar plot (ø)\"," + std::string(angle);
      for (int p = 0; p < 36; ++p) t += ",   0.0";
      t += crlf;
    }
  }
  t += "\"END\"" + crlf;
  return t;
}

}  // namespace sonvale
