// The whole Tabulix to ITACA run (BImportarClick) on synthetic schools, beside
// its floor: pugixml's parse of the same source document plus the reading of
// SOLUC with our table engine, with nothing else on top.
//
// Each scale is prepared once, outside the timing: the synthetic school, the
// ITACA to Tabulix run on it, and a stand-in SOLUC (tools/lib).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <random>
#include <string>

#include "bench/bench_dialogs.h"
#include "formats/dbf_table.h"
#include "formats/itaca_xml.h"
#include "to_itaca/importar.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/plantillas.h"
#include "to_tabulix/run_state.h"
#include "tools/lib/stand_in_solution.h"
#include "tools/lib/synthetic_school.h"

namespace {

// A school of one scale, converted to Tabulix and "solved" by the stand-in.
struct Preparado {
  std::filesystem::path folder;
  std::filesystem::path xml;
  std::filesystem::path xtemp;
  velmora::TemplateChoice importar;  // the chooser's answer in the Tabulix to ITACA mode
  std::size_t solucRows = 0;

  ~Preparado() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

const Preparado& Escala(int scale) {
  static std::map<int, std::unique_ptr<Preparado>> preparados;
  auto& p = preparados[scale];
  if (p) return *p;
  p = std::make_unique<Preparado>();
  std::random_device rd;
  do {
    p->folder = std::filesystem::temp_directory_path() /
                ("velmora-bench-importar-" + std::to_string(rd()) + std::to_string(rd()));
  } while (!std::filesystem::create_directory(p->folder));
  p->xml = p->folder / "centro.xml";
  p->xtemp = p->folder / "XTEMP";
  std::filesystem::create_directory(p->xtemp);
  velmora::tools::WriteSyntheticSchool(p->xml, {.seed = 1, .scale = scale});

  const velmora::XmlDocument doc = velmora::XmlDocument::Load(p->xml);
  const velmora::TemplateChoice exportar =
      velmora::ElegirPlantilla(doc, std::nullopt, velmora::kValencia, velmora::kTagItacaToTabulix);
  velmora::bench::BenchDialogs dialogs(p->xml, exportar);
  velmora::RunState run;
  run.xtemp = p->xtemp;
  velmora::BExportarClick(run, dialogs);
  p->solucRows = velmora::tools::WriteStandInSolution(p->xtemp, 1).rows;
  p->importar = velmora::ElegirPlantilla(doc, exportar.codigo, velmora::kValencia,
                                         velmora::kTagTabulixToItaca);
  return *p;
}

long Filas(const velmora::Report& report, const std::string& table) {
  for (const auto& [name, n] : report.rows) {
    if (name == table) return n;
  }
  return 0;
}

void BM_Importar(benchmark::State& state) {
  const Preparado& p = Escala(static_cast<int>(state.range(0)));
  velmora::bench::BenchDialogs dialogs(p.xml, p.importar);
  long sessions = 0;
  for (auto _ : state) {
    velmora::RunState run;
    run.xtemp = p.xtemp;
    velmora::BImportarClick(run, dialogs);
    if (run.resultCode != 1) {
      state.SkipWithError("the run did not finish");
      break;
    }
    sessions = Filas(run.report, "horarios_grupo") + Filas(run.report, "horarios_ocupaciones");
  }
  // Sessions written, teaching and duty: sessions/s, and the time per
  // session is its inverse.
  state.counters["sessions"] = benchmark::Counter(static_cast<double>(sessions),
                                                  benchmark::Counter::kIsIterationInvariantRate);
  state.counters["solucRows"] = static_cast<double>(p.solucRows);
}

// The floor: the source read and parsed by pugixml alone (the same flags as
// the document service), and every row of SOLUC read with the fields the
// passes read.
void BM_ImportarFloor(benchmark::State& state) {
  const Preparado& p = Escala(static_cast<int>(state.range(0)));
  const auto soluc = velmora::TableFile(p.xtemp, "SOLUC");
  for (auto _ : state) {
    pugi::xml_document doc;
    if (!doc.load_file(p.xml.c_str(), pugi::parse_full, pugi::encoding_auto)) {
      state.SkipWithError("the source does not parse");
      break;
    }
    benchmark::DoNotOptimize(doc.first_child().internal_object());

    velmora::Table table(soluc, velmora::OpenMode::Shared);
    long long sum = 0;
    for (table.First(); !table.Eof(); table.Next()) {
      sum += static_cast<long long>(table.AsString("ASIG").size() + table.AsString("TAREA").size() +
                                    table.AsString("CODGRUPO").size() +
                                    table.AsString("PROF").size() + table.AsString("AULA").size());
      sum += table.AsInteger("DIA") + static_cast<long long>(table.AsFloat("HORA"));
    }
    table.Close();
    benchmark::DoNotOptimize(sum);
  }
  state.counters["solucRows"] = static_cast<double>(p.solucRows);
}

BENCHMARK(BM_ImportarFloor)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Importar)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
