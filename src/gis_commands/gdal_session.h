// The GDAL library as the GIS commands use it: drivers registered once, and
// GDAL's own messages caught instead of printed, so that a failure reaches the
// user as one of our errors naming the file.
#pragma once

#include <string>

namespace sonvale {

// While alive, GDAL's errors and warnings are collected, not written to stderr.
// Create one around every GDAL call sequence; they nest.
class GdalSession {
 public:
  GdalSession();
  ~GdalSession();
  GdalSession(const GdalSession&) = delete;
  GdalSession& operator=(const GdalSession&) = delete;

  // The text of the last error GDAL reported in this session ("" when none).
  const std::string& lastError() const { return lastError_; }
  // Throws FileError(file, what + ": " + the last GDAL error when there is one).
  [[noreturn]] void fail(const std::string& file, const std::string& what) const;
  // Called by the error handler.
  void record(const char* message) { lastError_ = message; }

 private:
  std::string lastError_;
};

}  // namespace sonvale
