#include "gis_commands/gdal_session.h"

#include <cpl_error.h>
#include <gdal.h>
#include <ogr_api.h>

#include <mutex>

#include "text/file_error.h"

namespace sonvale {
namespace {

void CPL_STDCALL CollectError(CPLErr level, CPLErrorNum, const char* message) {
  if (level < CE_Failure || message == nullptr) return;  // warnings and debug chatter
  auto* session = static_cast<GdalSession*>(CPLGetErrorHandlerUserData());
  if (session) session->record(message);
}

}  // namespace

GdalSession::GdalSession() {
  static std::once_flag registered;
  std::call_once(registered, [] { GDALAllRegister(); });
  CPLPushErrorHandlerEx(CollectError, this);
}

GdalSession::~GdalSession() { CPLPopErrorHandler(); }

void GdalSession::fail(const std::string& file, const std::string& what) const {
  throw FileError(file, lastError_.empty() ? what : what + ": " + lastError_);
}

}  // namespace sonvale
