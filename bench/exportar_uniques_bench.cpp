// Unique abbreviations and codes under pressure: a school whose teachers all
// share their initials, whose rooms have no code and the same first four
// letters, whose groups share one long code and whose subjects share one code
// under different names. Every namesake needs a counter; the counters are
// remembered per base, so the run must stay linear (compare the fitted
// complexity and the time per element across sizes).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "to_tabulix/dialogs.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/run_state.h"

namespace {

class NamesakeDialogs : public velmora::Dialogs {
 public:
  explicit NamesakeDialogs(std::filesystem::path file) : file_(std::move(file)) {}
  std::optional<std::filesystem::path> ChooseXmlFile() override { return file_; }
  velmora::TemplateChoice ChooseTemplate(const velmora::XmlDocument&, const std::string&,
                                         int) override {
    return {};
  }
  std::string ChooseSchoolYear(const std::string& current) override { return current; }
  velmora::Answer Confirm(const std::string&) override { return velmora::Answer::Yes; }
  void Inform(const std::string&, const velmora::Report*) override {}
  void SetHourglass(bool) override {}
  void CloseMainWindow() override {}

 private:
  std::filesystem::path file_;
};

std::string NamesakeSchool(int n) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<centro>\n<docentes>\n";
  for (int i = 0; i < n; ++i) {
    xml +=
        "<docente apellido1=\"Garcia\" apellido2=\"Perez\" nombre=\"Ana\" tipo_docente=\"P\" "
        "documento=\"D" +
        std::to_string(i) + "\" ensenanza=\"ESO\"/>\n";
  }
  xml += "</docentes>\n<grupos>\n";
  for (int i = 0; i < n; ++i) {
    xml +=
        "<grupo codigo=\"ABCDEFGHIJKL\" nombre=\"G\" turno=\"M\" ensenanza=\"ESO\" "
        "tutor_ppal=\"\" tutor_sec=\"\"/>\n";
  }
  xml += "</grupos>\n<contenidos>\n";
  for (int i = 0; i < n; ++i) {
    xml += "<contenido codigo=\"MAT\" curso=\"C1\" nombre_val=\"Materia " + std::to_string(i) +
           "\" nombre_cas=\"x\"/>\n";
  }
  xml += "</contenidos>\n<aulas>\n";
  for (int i = 0; i < n; ++i) xml += "<aula codigo=\"\" nombre=\"Aula comuna\"/>\n";
  return xml + "</aulas>\n</centro>\n";
}

void BM_ExportarNamesakes(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::random_device rd;
  const auto root = std::filesystem::temp_directory_path() /
                    ("velmora-bench-namesakes-" + std::to_string(rd()) + std::to_string(rd()));
  std::filesystem::create_directories(root / "XTEMP");
  const auto doc = root / "namesakes.xml";
  std::ofstream(doc, std::ios::binary) << NamesakeSchool(n);

  for (auto _ : state) {
    velmora::RunState run;
    run.xtemp = root / "XTEMP";
    NamesakeDialogs dialogs(doc);
    velmora::BExportarClick(run, dialogs);
    if (run.resultCode != 1) state.SkipWithError("the run did not finish");
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * 4 * n);
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
}
BENCHMARK(BM_ExportarNamesakes)
    ->Arg(250)
    ->Arg(1000)
    ->Arg(4000)
    ->Arg(16000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
