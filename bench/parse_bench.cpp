// The floor for the conversions: what pugixml alone needs to parse a
// synthetic school (the same flags and encoding as the document service's
// parse), with nothing of ours on top. The runs of both directions are read
// against it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <pugixml.hpp>
#include <string>

#include "tools/lib/synthetic_school.h"

namespace {

struct GeneratedSchool {
  std::string bytes;
  velmora::tools::SchoolStats stats;
};

// Each scale is generated once, outside the timing, and kept for every run of
// the benchmark (Google Benchmark calls it more than once).
const GeneratedSchool& SchoolOfScale(int scale) {
  static std::map<int, GeneratedSchool> schools;
  auto it = schools.find(scale);
  if (it == schools.end()) {
    GeneratedSchool school;
    school.bytes = velmora::tools::SyntheticSchoolXml({.seed = 1, .scale = scale}, &school.stats);
    it = schools.emplace(scale, std::move(school)).first;
  }
  return it->second;
}

void BM_ParseFloor(benchmark::State& state) {
  const GeneratedSchool& school = SchoolOfScale(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(school.bytes.data(), school.bytes.size(),
                                                          pugi::parse_full, pugi::encoding_utf8);
    if (!parsed) {
      state.SkipWithError(parsed.description());
      break;
    }
    benchmark::DoNotOptimize(doc.first_child().internal_object());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(school.bytes.size()));
  // Weekly sessions, teaching and duty, of both templates.
  state.counters["sessions"] = static_cast<double>(school.stats.Sessions());
}

BENCHMARK(BM_ParseFloor)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
