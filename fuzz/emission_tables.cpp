// The emission tables: the delivered tables with one of them, chosen by the first
// byte, replaced by the rest of the input.
#include "project/emission_tables.h"

#include <algorithm>
#include <vector>

#include "fuzz_input.h"

namespace {

namespace fs = std::filesystem;

struct Tables {
  fs::path folder;
  std::vector<fs::path> files;
};

const Tables& DeliveredTables() {
  static const Tables t = [] {
    Tables r;
    r.folder = sonvale::fuzz::ScratchFolder() / "tables";
    fs::create_directories(r.folder);
    for (const auto& e : fs::directory_iterator(fs::path(SONVALE_SOURCE_DIR) / "data" / "tables")) {
      if (e.path().extension() != ".txt") continue;
      r.files.push_back(r.folder / e.path().filename());
      fs::copy_file(e.path(), r.files.back(), fs::copy_options::overwrite_existing);
    }
    std::sort(r.files.begin(), r.files.end());
    return r;
  }();
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  if (size == 0) return 0;
  const Tables& t = DeliveredTables();
  const fs::path& table = t.files[data[0] % t.files.size()];
  const fs::path original = fs::path(SONVALE_SOURCE_DIR) / "data" / "tables" / table.filename();
  fuzz::InputFile(data + 1, size - 1, (fs::path("tables") / table.filename()).string());
  fuzz::Refusable([&] { LoadEmissionTables(t.folder.string()); });
  fs::copy_file(original, table, fs::copy_options::overwrite_existing);
  return 0;
}
