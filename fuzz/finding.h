#pragma once
// What a fuzzing check throws when the code under test breaks a rule that
// must hold for every input (a value read back differs, a line of the
// settings file changed...). The fuzzer lets it escape, which stops the
// process and keeps the input; the regression test reports it as a failure.
#include <stdexcept>
#include <string>

namespace velmora::fuzz {

class Finding : public std::logic_error {
 public:
  explicit Finding(const std::string& what) : std::logic_error(what) {}
};

inline void Require(bool holds, const std::string& what) {
  if (!holds) throw Finding(what);
}

}  // namespace velmora::fuzz
