// A small command-line argument reader: positional arguments and --name value
// options, with errors naming the option.
#pragma once

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace sonvale {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Args {
 public:
  // flags: options without a value; valued: options that take one value.
  Args(const std::vector<std::string>& argv, std::set<std::string> flags,
       std::set<std::string> valued);

  const std::vector<std::string>& positional() const { return positional_; }
  std::string positional(size_t i, const char* what) const;
  bool has(const std::string& name) const;
  std::optional<std::string> value(const std::string& name) const;
  double number(const std::string& name, double fallback) const;
  // A comma-separated list of n numbers ("1,2,3,4").
  std::vector<double> numbers(const std::string& name, size_t n) const;

 private:
  std::vector<std::string> positional_;
  std::set<std::string> present_;
  std::vector<std::pair<std::string, std::string>> values_;
};

}  // namespace sonvale
