// Renders the windows of velmora to PNG files, so anyone can look at them
// without starting the program: the main window, its two halves as Tabulix
// shows them, the template chooser in both modes and the school-year chooser.
//
//   velmora_screenshots OUTPUT_FOLDER
//
// The template chooser reads the bundled sample school (or a synthetic one
// when the sample is missing).
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>

#include "app/application.h"
#include "app/cursoexport.h"
#include "app/mainform.h"
#include "app/plantihoras.h"
#include "app/qt_text.h"
#include "tools/lib/synthetic_school.h"

namespace {

bool Save(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  const QString file = folder.filePath(name + ".png");
  if (!window.grab().save(file)) {
    std::fprintf(stderr, "no se ha podido guardar %s\n", qPrintable(file));
    return false;
  }
  std::printf("%s\n", qPrintable(QDir::toNativeSeparators(file)));
  window.hide();
  return true;
}

QString SampleSchool(const QTemporaryDir& temp) {
  const QDir examples(QStringLiteral(VELMORA_SOURCE_DIR "/examples"));
  const QStringList xml = examples.entryList({"*.xml"}, QDir::Files, QDir::Name);
  if (!xml.isEmpty()) return examples.filePath(xml.front());
  const QString file = QDir(temp.path()).filePath("centro.xml");
  velmora::tools::WriteSyntheticSchool(velmora::ToPath(file), {});
  return file;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  velmora::PrepareApplication();
  const QStringList args = QApplication::arguments();
  if (args.size() != 2) {
    std::fprintf(stderr, "uso: velmora_screenshots CARPETA\n");
    return 2;
  }
  QDir folder(args[1]);
  if (!folder.mkpath(".")) {
    std::fprintf(stderr, "no se ha podido crear %s\n", qPrintable(args[1]));
    return 1;
  }
  QTemporaryDir temp;
  const QString school = SampleSchool(temp);

  bool ok = true;
  {
    velmora::TMForm mForm({});
    ok &= Save(mForm, folder, "MForm");
  }
  {
    velmora::TMForm mForm({"exportar", "1A2B"});
    ok &= Save(mForm, folder, "MForm_exportar");
  }
  {
    velmora::TMForm mForm({"importar", "1A2B"});
    ok &= Save(mForm, folder, "MForm_importar");
  }
  {
    velmora::TPlantillas plantillas;
    plantillas.SetTag(velmora::kTagItacaToTabulix);
    plantillas.SetInicio(school, "VALENCIÁ");
    ok &= Save(plantillas, folder, "Plantillas");
  }
  {
    velmora::TPlantillas plantillas;
    plantillas.SetTag(velmora::kTagTabulixToItaca);
    plantillas.SetInicio(school, "VALENCIÁ");
    ok &= Save(plantillas, folder, "Plantillas_importar");
  }
  {
    velmora::TCurExp curExp("2012");
    ok &= Save(curExp, folder, "CurExp");
  }
  return ok ? 0 : 1;
}
