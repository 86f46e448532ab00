// libFuzzer target: see fuzz/xml_checks.h for what each input goes through.
#include <cstddef>
#include <cstdint>

#include "fuzz/xml_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const velmora::fuzz::Scratch scratch("xml");
  velmora::fuzz::CheckXmlInput(velmora::fuzz::AsText(data, size), scratch);
  return 0;
}
