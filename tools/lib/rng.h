#pragma once
// The tools' random numbers: splitmix64, small, fast and the same on every
// platform and standard library, so that a seed always gives the same data.
// (std::uniform_int_distribution may differ between libraries.)
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace velmora::tools {

class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1, for n >= 1.
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }

  template <class T>
  const T& Pick(std::span<const T> items) {
    return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
  }
  template <class T>
  void Shuffle(std::vector<T>& v) {
    for (std::size_t i = v.size(); i > 1; --i) {
      std::swap(v[i - 1], v[static_cast<std::size_t>(Below(static_cast<int>(i)))]);
    }
  }

 private:
  std::uint64_t state_;
};

}  // namespace velmora::tools
