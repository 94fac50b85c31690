// Errors raised by the readers and writers of the files the program exchanges.
// The command layer catches them once and shows "FILE:LINE: message" to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace sonvale {

// A file that cannot be opened, created, read or written.
class FileError : public std::runtime_error {
 public:
  FileError(std::string file, std::string message)
      : std::runtime_error(file + ": " + message),
        file_(std::move(file)),
        message_(std::move(message)) {}
  const std::string& file() const { return file_; }
  const std::string& message() const { return message_; }

 private:
  std::string file_;
  std::string message_;
};

// A file whose content does not match its layout; line is 1-based (0 when unknown).
class FormatError : public std::runtime_error {
 public:
  FormatError(std::string file, long line, std::string message)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + message),
        file_(std::move(file)),
        line_(line),
        message_(std::move(message)) {}
  const std::string& file() const { return file_; }
  long line() const { return line_; }
  const std::string& message() const { return message_; }

 private:
  std::string file_;
  long line_;
  std::string message_;
};

// A table that would grow past its capacity.
class CapacityError : public std::runtime_error {
 public:
  explicit CapacityError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace sonvale
