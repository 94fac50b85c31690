// Reading a whole file into memory, the way every text reader of the program
// starts, and quoting a field in an error message.
#pragma once

#include <string>

namespace sonvale {

// The bytes of the file; throws FileError naming it when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// The field between double quotes for an error message, cut short so that a
// garbled file cannot produce a message of megabytes.
std::string QuotedExcerpt(const std::string& field);

}  // namespace sonvale
