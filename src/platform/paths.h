// Path texts: the file-name and base-name rules the program applies to the
// paths it shows and derives, and the joining of the folders it reads from.
// Both '/' and '\\' count as separators when a path is taken apart, because
// names and folders written by earlier versions carry backslashes.
#pragma once

#include <string>
#include <string_view>

namespace sonvale {

// The part of path after its last separator; the whole path when it has none.
std::string FileNameOnly(std::string_view path);

// The path cut before the first "." of its file name ("/home/a.b/town.svp" gives
// "/home/a.b/town"); the whole path when the file name has no dot.
std::string BaseNameUpToFirstDot(std::string_view path);

// dir and name joined by exactly one '/'; name alone when dir is empty, dir with
// a trailing '/' when name is empty.
std::string JoinPath(std::string_view dir, std::string_view name);

// ProgramDir + TablesDir + fileName, where the backslashes of tablesDir are folder
// separators and exactly one separator joins each part ("\tables\", "tables" and
// "tables/" give the same path). An empty fileName gives the folder with a
// trailing separator.
std::string TablePath(std::string_view programDir, std::string_view tablesDir,
                      std::string_view fileName);

// True when path names an existing file that is not a folder.
bool FileExists(const std::string& path);
// True when path names an existing folder.
bool DirExists(const std::string& path);

}  // namespace sonvale
