// libFuzzer target: see fuzz/horas_checks.h for what each input goes through.
#include <cstddef>
#include <cstdint>

#include "fuzz/horas_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const velmora::fuzz::Scratch scratch("horas");
  velmora::fuzz::CheckHorasInput(velmora::fuzz::AsText(data, size), scratch);
  return 0;
}
