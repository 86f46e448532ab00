// The whole ITACA to Tabulix run (BExportarClick) on synthetic schools, to be
// read beside BM_ParseFloor: what pugixml alone needs to parse the same file.
// The run answers as a user who follows the advice: only the chosen template
// ("No"), and idle groups and teachers removed ("Sí").
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "bench/bench_dialogs.h"
#include "formats/itaca_xml.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/plantillas.h"
#include "to_tabulix/run_state.h"
#include "tools/lib/synthetic_school.h"

namespace {

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    do {
      path_ = std::filesystem::temp_directory_path() /
              ("velmora-bench-exportar-" + std::to_string(rd()) + std::to_string(rd()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void BM_Exportar(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  TempFolder folder;
  const auto xml = folder.Path() / "centro.xml";
  const auto xtemp = folder.Path() / "XTEMP";
  std::filesystem::create_directory(xtemp);
  velmora::tools::SchoolStats stats;
  velmora::tools::WriteSyntheticSchool(xml, {.seed = 1, .scale = scale}, &stats);

  const velmora::TemplateChoice choice =
      velmora::ElegirPlantilla(velmora::XmlDocument::Load(xml), std::nullopt, velmora::kValencia,
                               velmora::kTagItacaToTabulix);
  velmora::bench::BenchDialogs dialogs(xml, choice);

  for (auto _ : state) {
    velmora::RunState run;
    run.xtemp = xtemp;
    velmora::BExportarClick(run, dialogs);
    if (run.resultCode != 1) {
      state.SkipWithError("the run did not finish");
      break;
    }
    benchmark::DoNotOptimize(run.report.rows.data());
  }
  const double bytes = static_cast<double>(std::filesystem::file_size(xml));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  // Weekly sessions, teaching and duty, of both templates, as BM_ParseFloor
  // counts them; and the run's time per session.
  const double sessions = static_cast<double>(stats.Sessions());
  state.counters["sessions"] = sessions;
  state.counters["per_session"] = benchmark::Counter(
      sessions, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_Exportar)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
