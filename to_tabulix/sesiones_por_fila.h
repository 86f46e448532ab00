#pragma once
// A count of sessions for each row of a table, by record number (1, 2, ...),
// zero for a row not counted yet. Record numbers are dense, so the counts sit
// in one array.
#include <vector>

namespace velmora {

class SesionesPorFila {
 public:
  int& De(long recNo) {
    const auto i = static_cast<std::size_t>(recNo);
    if (i >= sesiones_.size()) sesiones_.resize(i + i / 2 + 16, 0);
    return sesiones_[i];
  }

 private:
  std::vector<int> sesiones_;
};

}  // namespace velmora
