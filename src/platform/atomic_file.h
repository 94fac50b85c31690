// Replacing a file only once its new content is complete, so that a failed save
// never destroys the previous file.
#pragma once

#include <string>
#include <string_view>

namespace sonvale {

// Writes content to a temporary file in the folder of path, then renames it over
// path. On any failure the temporary file is removed, an existing file at path is
// left as it was, and FileError(path, reason) is thrown. A path that is a
// symbolic link replaces the file the link points to; an existing file keeps its
// permissions.
void WriteFileAtomically(const std::string& path, std::string_view content);

// The name of a temporary file beside path for this process: hidden (a leading
// "."), ending in ".tmp" + process id + "-" + attempt, so that neither a listing
// of results nor a file dialog filtered by extension takes it for one.
std::string TemporaryNameBeside(const std::string& path, int attempt);

}  // namespace sonvale
