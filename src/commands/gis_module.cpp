#include "commands/gis_module.h"

#include <dlfcn.h>

#include <mutex>

#include "platform/paths.h"
#include "platform/program_dir.h"

namespace sonvale {
namespace {

using EntryPoint = const GisModule* (*)(int version);

const GisModule* Load() {
  std::string reasons;
  for (const std::string& file : GisModuleCandidates()) {
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      reasons += std::string("\n  ") + ::dlerror();
      continue;
    }
    auto entry = reinterpret_cast<EntryPoint>(::dlsym(handle, "sonvale_gis_module"));
    const GisModule* module = entry ? entry(kGisModuleVersion) : nullptr;
    if (module) return module;  // stays loaded for the life of the program
    reasons += "\n  " + file + ": not a GIS module of this version of the program";
    ::dlclose(handle);
  }
  throw GisModuleError(std::string("the GIS functions are not available: the module ") +
                       kGisModuleFile + " cannot be loaded (reinstall the program):" + reasons);
}

}  // namespace

std::vector<std::string> GisModuleCandidates() {
  const std::string exeDir = ExecutableDir("");
  if (exeDir.empty()) return {kGisModuleFile};
  return {JoinPath(exeDir, kGisModuleFile),
          JoinPath(JoinPath(exeDir, SONVALE_GIS_MODULE_RELDIR), kGisModuleFile)};
}

const GisModule& Gis() {
  static std::mutex mutex;
  static const GisModule* module = nullptr;
  std::lock_guard<std::mutex> lock(mutex);
  if (!module) module = Load();
  return *module;
}

}  // namespace sonvale
