#include "cli/args.h"

#include <sstream>

#include "text/number_text.h"

namespace sonvale {

Args::Args(const std::vector<std::string>& argv, std::set<std::string> flags,
           std::set<std::string> valued) {
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (a.rfind("--", 0) != 0 || a == "--") {
      positional_.push_back(a);
      continue;
    }
    std::string name = a.substr(2);
    std::string inlineValue;
    bool hasInline = false;
    if (auto eq = name.find('='); eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name = name.substr(0, eq);
      hasInline = true;
    }
    if (flags.count(name)) {
      if (hasInline) throw UsageError("option --" + name + " takes no value");
      present_.insert(name);
    } else if (valued.count(name)) {
      if (!hasInline) {
        if (i + 1 >= argv.size()) throw UsageError("option --" + name + " needs a value");
        inlineValue = argv[++i];
      }
      present_.insert(name);
      values_.emplace_back(name, inlineValue);
    } else {
      throw UsageError("unknown option --" + name);
    }
  }
}

std::string Args::positional(size_t i, const char* what) const {
  if (i >= positional_.size()) throw UsageError(std::string("missing ") + what);
  return positional_[i];
}

bool Args::has(const std::string& name) const { return present_.count(name) > 0; }

std::optional<std::string> Args::value(const std::string& name) const {
  std::optional<std::string> v;
  for (const auto& [n, val] : values_) {
    if (n == name) v = val;
  }
  return v;
}

double Args::number(const std::string& name, double fallback) const {
  auto v = value(name);
  if (!v) return fallback;
  if (!IsNumber(*v)) throw UsageError("option --" + name + " needs a number, not \"" + *v + "\"");
  return LeadingNumber(*v);
}

std::vector<double> Args::numbers(const std::string& name, size_t n) const {
  auto v = value(name);
  std::vector<double> out;
  if (!v) return out;
  std::stringstream ss(*v);
  std::string item;
  while (std::getline(ss, item, ',')) {
    if (!IsNumber(item))
      throw UsageError("option --" + name + ": \"" + item + "\" is not a number");
    out.push_back(LeadingNumber(item));
  }
  if (out.size() != n) {
    throw UsageError("option --" + name + " needs " + std::to_string(n) +
                     " comma-separated numbers");
  }
  return out;
}

}  // namespace sonvale
