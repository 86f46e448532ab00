// The main window MForm on its own (run mode 0): its components, both
// directions end to end on the sample school through the windows, the two
// questions answered both ways, a missing file, a run that stops with an
// error followed by one that finishes, and help.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/gradient_panel.h"
#include "app/help.h"
#include "app/mainform.h"
#include "app/qt_text.h"
#include "formats/itaca_xml.h"
#include "formats/text.h"
#include "gui_fixtures.h"
#include "modal_script.h"
#include "support/fake_dialogs.h"
#include "to_itaca/importar.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/plantillas.h"
#include "tools/lib/stand_in_solution.h"

using velmora::TMForm;
using velmora::gui::AnswerFile;
using velmora::gui::AnswerMessage;
using velmora::gui::ModalScript;
using velmora::gui::OnDialog;

namespace {

constexpr std::time_t kAhora = 1718000000;  // the clock of both runs of a comparison

QString Errors(const ModalScript& script) {
  QStringList all = script.Errors();
  if (!script.Done()) all << "pendiente: " + script.Pending().join(", ");
  return all.join('\n');
}

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

QStringList FromCp(const std::vector<std::string>& values) {
  QStringList list;
  for (const std::string& v : values) list << velmora::FromCp(v);
  return list;
}

velmora::Answer ToAnswer(const QString& button) {
  if (button == "&Si") return velmora::Answer::Yes;
  if (button == "&No") return velmora::Answer::No;
  return velmora::Answer::Closed;
}

// The same run through the core with scripted answers, in a folder of its
// own: what the windows must give.
struct Oraculo {
  QTemporaryDir dir;
  velmora::RunState state;
  velmora::testing::FakeDialogs fake;
  QString doc;

  Oraculo() {
    QDir(dir.path()).mkpath("xtemp");
    state.xtemp = velmora::ToPath(Xtemp());
    state.clock = [] { return kAhora; };
    doc = velmora::gui::CopySampleSchool(dir.path());
  }
  QString Xtemp() const { return QDir(dir.path()).filePath("xtemp"); }
};

QPushButton* Button(TMForm& form, const char* name) {
  return form.findChild<QPushButton*>(name);
}

// The template chooser: picks the language and the code (empty: the one it
// opens on), checks the mode it was shown in, then closes as asked.
ModalScript::Step ChooseTemplate(int tag, const QString& idioma, const QString& codigo,
                                 bool conBoton) {
  return OnDialog("Plantillas", [=](QWidget* modal) -> QString {
    auto* label9 = modal->findChild<QLabel*>("Label9");
    const bool haciaItaca = tag == velmora::kTagTabulixToItaca;
    if ((label9->text() == "EXPORTACIÓN A ITACA") != haciaItaca) return "modo " + label9->text();
    auto* lengua = modal->findChild<QComboBox*>("ComboBoxValCast");
    auto* plantilla = modal->findChild<QComboBox*>("ComboBoxPlantilla");
    if (!idioma.isEmpty()) lengua->setCurrentText(idioma);
    if (!codigo.isEmpty()) {
      plantilla->lineEdit()->selectAll();
      QTest::keyClicks(plantilla->lineEdit(), codigo);
    }
    if (modal->findChild<QLabel*>("LabelTurno")->text() == "-") return "sin turno";
    if (conBoton) {
      modal->findChild<QPushButton*>("BitBtnContinuar")->click();
    } else {
      modal->close();
    }
    return {};
  });
}

}  // namespace

class TestMainForm : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void window_data();
  void window();
  void openDialog();
  void exportEndToEnd_data();
  void exportEndToEnd();
  void importEndToEnd();
  void missingFile_data();
  void missingFile();
  void errorThenFinishedRun();
  void help_data();
  void help();

 private:
  std::unique_ptr<velmora::gui::Workspace> ws_;
  QString doc_;
};

void TestMainForm::init() {
  ws_ = std::make_unique<velmora::gui::Workspace>();
  doc_ = velmora::gui::CopySampleSchool(ws_->Docs());
  QVERIFY2(!doc_.isEmpty(), "no se encuentra la escuela de ejemplo en examples/");
}

void TestMainForm::cleanup() {
  velmora::SetHelpViewer({});
  ws_.reset();
}

void TestMainForm::window_data() {
  QTest::addColumn<QString>("nombre");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QRect>("geometria");  // empty: not checked

  QTest::newRow("Draw3D2") << "Draw3D2"
                           << "" << QRect(0, 0, 315, 169);
  QTest::newRow("Draw3D3") << "Draw3D3"
                           << "" << QRect(316, 0, 317, 169);
  QTest::newRow("Draw3D1") << "Draw3D1"
                           << "" << QRect(0, 168, 633, 97);
  QTest::newRow("Label3") << "Label3"
                          << "Transformar datos desde ITACA hacia Tabulix" << QRect();
  QTest::newRow("Label4") << "Label4"
                          << "Transformar datos desde Tabulix hacia ITACA" << QRect();
  QTest::newRow("Label9") << "Label9"
                          << "Recoger Textos en:" << QRect();
  QTest::newRow("Label1") << "Label1"
                          << "Velmora para TB22 V-1.2" << QRect();
  QTest::newRow("BExportar") << "BExportar"
                             << "Aceptar" << QRect();
  QTest::newRow("BImportar") << "BImportar"
                             << "Aceptar" << QRect();
  QTest::newRow("Button1") << "Button1"
                           << "F1 Ayuda" << QRect();
  QTest::newRow("BClose") << "BClose"
                          << "&Salir" << QRect();
  QTest::newRow("ComboBoxValCast") << "ComboBoxValCast"
                                   << "VALENCIÁ" << QRect();
}

void TestMainForm::window() {
  QFETCH(QString, nombre);
  QFETCH(QString, texto);
  QFETCH(QRect, geometria);
  TMForm form({});
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(form.objectName(), QString("MForm"));
  QCOMPARE(form.windowTitle(), QString("Exportar e importar datos entre Tabulix e ITACA"));
  QCOMPARE(form.size(), QSize(632, 266));
  QCOMPARE(form.minimumSize(), form.maximumSize());
  QCOMPARE(form.State().runMode, 0);

  auto* widget = form.findChild<QWidget*>(nombre);
  QVERIFY(widget != nullptr);
  QVERIFY(widget->isVisible());
  if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), texto);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) QCOMPARE(button->text(), texto);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    QCOMPARE(combo->currentText(), texto);
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->itemText(0), QString("VALENCIÁ"));
    QCOMPARE(combo->itemText(1), QString("CASTELLANO"));
  }
  if (!geometria.isNull()) QCOMPARE(widget->geometry(), geometria);

  auto* lista = form.findChild<QListWidget*>("ListBoxPlanti");
  QVERIFY(lista != nullptr && !lista->isVisible());
}

void TestMainForm::openDialog() {
  TMForm form({});
  auto* dialog = form.findChild<QFileDialog*>("OpenDialogXML");
  QVERIFY(dialog != nullptr);
  QCOMPARE(dialog->windowTitle(), QString("Archivo XML"));
  QCOMPARE(dialog->nameFilters(), QStringList({"*.xml"}));
  QCOMPARE(dialog->defaultSuffix(), QString("xml"));
  QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
}

void TestMainForm::exportEndToEnd_data() {
  QTest::addColumn<QString>("idioma");     // chosen in the template chooser; empty: unchanged
  QTest::addColumn<QString>("plantilla");  // typed; empty: the first one
  QTest::addColumn<bool>("conBoton");      // Continuar, or the close box
  QTest::addColumn<QStringList>("respuestas");
  QTest::addColumn<int>("preguntas");

  QTest::newRow("todas las plantillas") << ""
                                        << "" << true << QStringList{"&Si"} << 1;
  QTest::newRow("solo MAT, quitar los grupos sin clases")
      << ""
      << "MAT" << true << QStringList{"&No", "&Si"} << 2;
  QTest::newRow("solo MAT, dejarlos") << ""
                                      << "MAT" << false << QStringList{"&No", "&No"} << 2;
  QTest::newRow("VES en castellano, pregunta cerrada con Escape")
      << "CASTELLANO"
      << "VES" << false << QStringList{"&No", ""} << 2;
}

void TestMainForm::exportEndToEnd() {
  QFETCH(QString, idioma);
  QFETCH(QString, plantilla);
  QFETCH(bool, conBoton);
  QFETCH(QStringList, respuestas);
  QFETCH(int, preguntas);

  TMForm form({});
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  ModalScript script;
  script.confirmations = respuestas;
  QString details;
  bool hourglassAtEnd = true;
  script.Then("archivo", AnswerFile(doc_))
      .Then("plantillas", ChooseTemplate(velmora::kTagItacaToTabulix, idioma, plantilla, conBoton))
      .Then("final", [&](QWidget* modal) {
        hourglassAtEnd = QApplication::overrideCursor() != nullptr;
        return AnswerMessage("Velmora", "Proceso finalizado", "OK", nullptr, &details)(modal);
      });
  QTest::mouseClick(Button(form, "BExportar"), Qt::LeftButton);
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));

  const velmora::RunState& state = form.State();
  QCOMPARE(state.resultCode, 1);
  QVERIFY(!Button(form, "BExportar")->isEnabled());
  QVERIFY(!Button(form, "BImportar")->isEnabled());
  QVERIFY(form.isVisible());  // run mode 0: the window stays
  QCOMPARE(script.questions.size(), preguntas);
  QCOMPARE(script.hourglassAtQuestions, QList<bool>(preguntas, true));
  QVERIFY(!hourglassAtEnd);
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QCOMPARE(details, velmora::FromUtf8(state.report.Text()));
  QVERIFY(!details.isEmpty());

  // The main window shows what the chooser handed back.
  const QString lengua = idioma.isEmpty() ? QString("VALENCIÁ") : idioma;
  QCOMPARE(form.findChild<QComboBox*>("ComboBoxValCast")->currentText(), lengua);
  QCOMPARE(velmora::FromCp(state.idioma), lengua);
  QCOMPARE(velmora::FromCp(state.plantilla), plantilla.isEmpty() ? QString("MAT") : plantilla);
  QVERIFY(!state.horas.empty());
  QCOMPARE(Items(form.findChild<QListWidget*>("ListBoxPlanti")), FromCp(state.horas));

  // The same answers given to the core write the same tables.
  Oraculo oraculo;
  oraculo.fake.files.push_back(velmora::ToPath(oraculo.doc));
  oraculo.fake.onTemplate = [&](const std::filesystem::path& p, const std::string&, int tag) {
    const std::optional<std::string> codigo =
        plantilla.isEmpty() ? std::nullopt : std::optional(velmora::ToCp(plantilla));
    return velmora::ElegirPlantilla(velmora::XmlDocument::Load(p), codigo, velmora::ToCp(lengua),
                                    tag);
  };
  for (const QString& r : respuestas) oraculo.fake.answers.push_back(ToAnswer(r));
  velmora::BExportarClick(oraculo.state, oraculo.fake);
  QCOMPARE(oraculo.state.resultCode, 1);
  QCOMPARE(int(oraculo.fake.questions.size()), preguntas);
  for (int i = 0; i < preguntas; ++i) {
    QCOMPARE(script.questions[i],
             velmora::FromUtf8(oraculo.fake.questions[i]).replace("\r\n", "\n"));
  }
  const QString diferencia =
      velmora::gui::CompareTables(ws_->Xtemp(), oraculo.Xtemp(), velmora::gui::TablasExportadas());
  QVERIFY2(diferencia.isEmpty(), qPrintable(diferencia));
}

void TestMainForm::importEndToEnd() {
  // Both directions through the windows, the school year changed to 2015.
  TMForm form({});
  form.State().clock = [] { return kAhora; };
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  {
    ModalScript script;
    script.confirmations = {"&No", "&Si"};
    script.Then("archivo", AnswerFile(doc_))
        .Then("plantillas", ChooseTemplate(velmora::kTagItacaToTabulix, "", "MAT", true))
        .Then("final", AnswerMessage("Velmora", "Proceso finalizado", "OK"));
    velmora::RunState& state = form.State();
    // The export leaves the buttons off; the import is checked on a fresh
    // window below, as after a restart of the program.
    QTest::mouseClick(Button(form, "BExportar"), Qt::LeftButton);
    QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
    QCOMPARE(state.resultCode, 1);
  }
  velmora::tools::WriteStandInSolution(velmora::ToPath(ws_->Xtemp()), 7);

  TMForm again({});
  again.State().clock = [] { return kAhora; };
  again.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&again));
  ModalScript script;
  QString curso;
  QString details;
  script
      .Then("aviso", AnswerMessage("Velmora",
                                   "Deberá Abrir el fichero XML de ITACA,\ndesde el cual realizó "
                                   "la Importación a Tabulix",
                                   "OK"))
      .Then("archivo", AnswerFile(doc_))
      .Then("plantillas", ChooseTemplate(velmora::kTagTabulixToItaca, "", "MAT", true))
      .Then("curso",
            OnDialog("CurExp",
                     [&](QWidget* modal) -> QString {
                       curso = modal->findChild<QLabel*>("LabelCurActual")->text();
                       modal->findChild<QComboBox*>("ComboBoxCurso")->setCurrentIndex(5);  // 2015
                       modal->close();
                       return {};
                     }))
      .Then("final", AnswerMessage("Velmora", "Proceso finalizado", "OK", nullptr, &details));
  QTest::mouseClick(Button(again, "BImportar"), Qt::LeftButton);
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  QCOMPARE(curso, QString("2024"));  // the sample school's year, on show at first
  QCOMPARE(again.State().resultCode, 1);
  QCOMPARE(again.State().cursoDestino, std::string("2015"));
  QVERIFY(!Button(again, "BExportar")->isEnabled());
  QVERIFY(!Button(again, "BImportar")->isEnabled());
  QCOMPARE(details, velmora::FromUtf8(again.State().report.Text()));

  const QString resultado = QDir(ws_->Docs()).filePath("ResultadoTabulixcentro.xml");
  QVERIFY(QFileInfo::exists(resultado));
  const velmora::XmlDocument doc = velmora::XmlDocument::Load(velmora::ToPath(resultado));
  QCOMPARE(doc.Select("/centro").Item(0).Attr("curso"), std::string("2015"));
  QVERIFY(doc.Select("/centro/horarios_grupo/horario_grupo").Count() > 0);

  // The core, given the same answers and the same solution, writes the same file.
  Oraculo oraculo;
  oraculo.fake.files = {velmora::ToPath(oraculo.doc), velmora::ToPath(oraculo.doc)};
  oraculo.fake.answers = {velmora::Answer::No, velmora::Answer::Yes};
  oraculo.fake.onTemplate = [](const std::filesystem::path& p, const std::string& idioma, int tag) {
    return velmora::ElegirPlantilla(velmora::XmlDocument::Load(p), std::string("MAT"), idioma, tag);
  };
  oraculo.fake.years = {"2015"};
  velmora::BExportarClick(oraculo.state, oraculo.fake);
  QVERIFY(QFile::copy(QDir(ws_->Xtemp()).filePath("SOLUC.DBF"),
                      QDir(oraculo.Xtemp()).filePath("SOLUC.DBF")));
  oraculo.state.buttonsEnabled = true;
  velmora::BImportarClick(oraculo.state, oraculo.fake);
  QCOMPARE(oraculo.state.resultCode, 1);
  QCOMPARE(velmora::gui::ReadFile(resultado),
           velmora::gui::ReadFile(QDir(oraculo.dir.path()).filePath("ResultadoTabulixcentro.xml")));
}

void TestMainForm::missingFile_data() {
  QTest::addColumn<QString>("boton");
  QTest::addColumn<QString>("archivo");  // empty: the dialog is cancelled
  QTest::addColumn<QString>("mensaje");

  QTest::newRow("exportar, diálogo cancelado") << "BExportar"
                                               << ""
                                               << "No existe archivo";
  QTest::newRow("exportar, archivo inexistente") << "BExportar"
                                                 << "no_esta.xml"
                                                 << "No existe archivo";
  QTest::newRow("importar sin SOLUC") << "BImportar"
                                      << "centro.xml"
                                      << "No existe archivo XML o Solución.";
}

void TestMainForm::missingFile() {
  QFETCH(QString, boton);
  QFETCH(QString, archivo);
  QFETCH(QString, mensaje);
  TMForm form({});
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  ModalScript script;
  if (boton == "BImportar") script.Then("aviso", AnswerMessage("Velmora", "Deberá Abrir", "OK"));
  QString texto;
  script
      .Then("archivo",
            AnswerFile(archivo.isEmpty() ? QString() : QDir(ws_->Docs()).filePath(archivo)))
      .Then("mensaje", AnswerMessage("Velmora", mensaje, "OK", &texto));
  QTest::mouseClick(Button(form, boton.toLatin1().constData()), Qt::LeftButton);
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  QCOMPARE(texto, mensaje);
  QCOMPARE(form.State().resultCode, 0);
  QVERIFY(form.isVisible());
  QVERIFY(Button(form, "BExportar")->isEnabled());
  QVERIFY(Button(form, "BImportar")->isEnabled());
  QVERIFY(QDir(ws_->Xtemp()).isEmpty());
}

void TestMainForm::errorThenFinishedRun() {
  const QString roto = QDir(ws_->Docs()).filePath("roto.xml");
  QVERIFY(velmora::gui::WriteFile(roto, "<centro><docentes></centro>"));
  TMForm form({});
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  {
    ModalScript script;
    QString texto;
    script.Then("archivo", AnswerFile(roto))
        .Then("error", AnswerMessage("Velmora", "roto.xml", "OK", &texto));
    QTest::mouseClick(Button(form, "BExportar"), Qt::LeftButton);
    QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
    QVERIFY2(texto.contains("línea"), qPrintable(texto));
  }
  QCOMPARE(form.State().resultCode, 0);
  QVERIFY(Button(form, "BExportar")->isEnabled());
  QVERIFY(Button(form, "BImportar")->isEnabled());
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QVERIFY(QDir(ws_->Xtemp()).isEmpty());

  // A second run in the same start goes through.
  ModalScript script;
  script.confirmations = {"&No", "&Si"};
  script.Then("archivo", AnswerFile(doc_))
      .Then("plantillas", ChooseTemplate(velmora::kTagItacaToTabulix, "", "", true))
      .Then("final", AnswerMessage("Velmora", "Proceso finalizado", "OK"));
  QTest::mouseClick(Button(form, "BExportar"), Qt::LeftButton);
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  QCOMPARE(form.State().resultCode, 1);
  QVERIFY(QFileInfo::exists(QDir(ws_->Xtemp()).filePath("ASIGNOMT.DBF")));
}

void TestMainForm::help_data() {
  QTest::addColumn<bool>("hayAyuda");
  QTest::addColumn<QString>("desde");  // Button1, or F1 on a component
  QTest::addColumn<int>("contexto");

  QTest::newRow("F1 Ayuda") << true << "Button1" << 0;
  QTest::newRow("F1 en la lengua") << true << "ComboBoxValCast" << 1;
  QTest::newRow("F1 en Exportar") << true << "BExportar" << 3;
  QTest::newRow("F1 en Salir") << true << "BClose" << 3;
  QTest::newRow("sin archivo de ayuda") << false << "Button1" << -1;
}

void TestMainForm::help() {
  QFETCH(bool, hayAyuda);
  QFETCH(QString, desde);
  QFETCH(int, contexto);
  const QString chm = QDir(ws_->Programa()).filePath("ITACA.chm");
  if (hayAyuda) QVERIFY(velmora::gui::WriteFile(chm, "ITSF"));
  QStringList abiertos;
  velmora::SetHelpViewer([&](const QString& file, int context) {
    abiertos << QString("%1#%2").arg(file).arg(context);
    return true;
  });
  TMForm form({});
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QApplication::setActiveWindow(&form);
  QVERIFY(QTest::qWaitForWindowActive(&form));

  ModalScript script;
  QString texto;
  if (!hayAyuda) script.Then("sin ayuda", AnswerMessage("Velmora", "ITACA.chm", "OK", &texto));
  auto* widget = form.findChild<QWidget*>(desde);
  if (desde == "Button1") {
    QTest::mouseClick(widget, Qt::LeftButton);
  } else {
    widget->setFocus();
    QTest::keyClick(form.focusWidget(), Qt::Key_F1);
  }
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  if (hayAyuda) {
    QCOMPARE(abiertos, QStringList({QString("%1#%2").arg(chm).arg(contexto)}));
  } else {
    QVERIFY(abiertos.isEmpty());
    QVERIFY2(texto.contains(QDir::toNativeSeparators(chm)), qPrintable(texto));
  }
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
