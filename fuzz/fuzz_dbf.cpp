// libFuzzer target: see fuzz/dbf_checks.h for what each input goes through.
#include <cstddef>
#include <cstdint>

#include "fuzz/dbf_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const velmora::fuzz::Scratch scratch("dbf");
  velmora::fuzz::CheckDbfInput(velmora::fuzz::AsText(data, size), scratch);
  return 0;
}
