// A stand-in for an external program that writes the arguments it received, one
// per line after their count, to argv.txt in its own folder: the test then sees
// exactly how the program was started.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace sonvale {

// A name that a shell would split, expand or run: quotes, blanks, ';', '&' and a
// command substitution.
inline const std::string kHostileName = "it's \"my\" map; $(touch pwned) & `touch pwned`";

inline void WriteArgvRecorder(const std::filesystem::path& program) {
  std::ofstream out(program, std::ios::binary);
  out << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$(dirname \"$0\")/argv.txt\"\n";
  out.close();
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
}

// What the recorder next to program wrote: the count, then one argument a line.
inline std::string RecordedArgv(const std::filesystem::path& program) {
  std::ifstream in(program.parent_path() / "argv.txt", std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace sonvale
