#pragma once
// A word for /bin/sh, whatever it holds: in single quotes, each quote inside
// written as '\''.
#include <string>

namespace velmora::testing {

inline std::string ShellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

}  // namespace velmora::testing
