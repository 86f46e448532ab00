// The template chooser Plantillas, driven through its widgets: the two modes,
// the refresh on typing and on a change of language, what it hands back
// however it is closed, and a document that lacks an attribute.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/plantihoras.h"
#include "app/qt_text.h"
#include "formats/text.h"
#include "gui_fixtures.h"
#include "modal_script.h"

using velmora::TPlantillas;
using velmora::gui::ModalScript;

namespace {

// Templates A1 and B2; B2's Monday sessions come in the order 10, 3, 1234
// and there is a Tuesday session of A1 that the list must not show.
const QByteArray kDocumento = R"(<?xml version="1.0" encoding="UTF-8"?>
<centro codigo="46000001" denominacion="IES Prova" curso="2013" version="1">
  <plantillas_horario>
    <plantilla_horario codigo=" A1 " descripcion_val="Horari de matí" descripcion_cas="Horario de mañana" turno="M"/>
    <plantilla_horario codigo="B2" descripcion_val="Horari de vesprada" descripcion_cas="Horario de tarde" turno="T"/>
  </plantillas_horario>
  <sesiones_horario>
    <sesion_horario plantilla="A1" dia_semana="L" sesion_orden="1" hora_desde="08:00" hora_hasta="08:55"/>
    <sesion_horario plantilla="A1" dia_semana="M" sesion_orden="2" hora_desde="08:55" hora_hasta="09:50"/>
    <sesion_horario plantilla="B2" dia_semana="L" sesion_orden="10" hora_desde="19:00" hora_hasta="19:55"/>
    <sesion_horario plantilla="B2" dia_semana="L" sesion_orden="3" hora_desde="16:00" hora_hasta="16:55"/>
    <sesion_horario plantilla="B2" dia_semana="L" sesion_orden="1234" hora_desde="20:00" hora_hasta="20:55"/>
  </sesiones_horario>
</centro>
)";

struct Widgets {
  QLabel* label9;
  QComboBox* idioma;
  QLabel* labelPlantillas;
  QComboBox* plantilla;
  QLabel* nombre;
  QLabel* turno;
  QListWidget* horas;
  QPushButton* continuar;
};

Widgets Find(TPlantillas& dialog) {
  return {dialog.findChild<QLabel*>("Label9"),
          dialog.findChild<QComboBox*>("ComboBoxValCast"),
          dialog.findChild<QLabel*>("LabelPlantillas"),
          dialog.findChild<QComboBox*>("ComboBoxPlantilla"),
          dialog.findChild<QLabel*>("LabelNombre"),
          dialog.findChild<QLabel*>("LabelTurno"),
          dialog.findChild<QListWidget*>("ListBox1"),
          dialog.findChild<QPushButton*>("BitBtnContinuar")};
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

void TypeInto(QComboBox* combo, const QString& text) {
  combo->lineEdit()->selectAll();
  QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
  QTest::keyClicks(combo->lineEdit(), text);
}

}  // namespace

class TestPlantillas : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void opensOnFirstTemplate();
  void tabulixToItacaMode();
  void typing_data();
  void typing();
  void languageChange();
  void closeBoxHandsBackAsContinuar_data();
  void closeBoxHandsBackAsContinuar();
  void oneSessionGivesNoHours();
  void missingAttributeKeepsDialogOpen();

 private:
  std::unique_ptr<velmora::gui::Workspace> ws_;
  QString doc_;
};

void TestPlantillas::init() {
  ws_ = std::make_unique<velmora::gui::Workspace>();
  doc_ = QDir(ws_->Docs()).filePath("plantillas.xml");
  QVERIFY(velmora::gui::WriteFile(doc_, kDocumento));
}

void TestPlantillas::opensOnFirstTemplate() {
  TPlantillas dialog;
  dialog.SetTag(velmora::kTagItacaToTabulix);
  dialog.SetInicio(doc_, "VALENCIÁ");
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  Widgets w = Find(dialog);
  QCOMPARE(dialog.windowTitle(), QString("Plantillas Horarias"));
  QCOMPARE(w.label9->text(), QString("Recoger Textos en: -------------->"));
  QVERIFY(w.idioma->isVisible());
  QCOMPARE(w.idioma->currentText(), QString("VALENCIÁ"));
  QCOMPARE(w.plantilla->count(), 2);
  QCOMPARE(w.plantilla->itemText(0), QString("A1"));  // trimmed
  QCOMPARE(w.plantilla->currentText(), QString("A1"));
  QCOMPARE(w.nombre->text(), QString("Horari de matí"));
  QCOMPARE(w.turno->text(), QString("M"));
  QCOMPARE(Items(w.horas), QStringList({" 1 de 08:00 a 08:55"}));
  QVERIFY(w.plantilla->completer() == nullptr);

  QTest::mouseClick(w.continuar, Qt::LeftButton);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  const velmora::TemplateChoice& choice = dialog.Eleccion();
  QCOMPARE(choice.codigo, std::string("A1"));
  QCOMPARE(choice.turno, std::string("M"));
  QCOMPARE(choice.idioma, velmora::Cp("VALENCIÁ"));
  QCOMPARE(FromCp(choice.horas), QStringList({" 1 de 08:00 a 08:55"}));
}

void TestPlantillas::tabulixToItacaMode() {
  TPlantillas dialog;
  dialog.SetTag(velmora::kTagTabulixToItaca);
  dialog.SetInicio(doc_, "VALENCIÁ");
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  Widgets w = Find(dialog);
  QCOMPARE(w.label9->text(), QString("EXPORTACIÓN A ITACA"));
  QVERIFY(!w.idioma->isVisible());
  QCOMPARE(w.labelPlantillas->text(),
           QString("Seleccione la Plantilla Horaria que quiere aplicar para Exportar su Horario "
                   "a ITACA."));
  QCOMPARE(w.plantilla->count(), 2);
  QCOMPARE(w.plantilla->currentText(), QString());
  QCOMPARE(w.nombre->text(), QString("-"));
  QCOMPARE(w.turno->text(), QString("-"));
  QCOMPARE(w.horas->count(), 0);

  QTest::mouseClick(w.continuar, Qt::LeftButton);
  QCOMPARE(dialog.Eleccion().codigo, std::string());
  QCOMPARE(dialog.Eleccion().turno, std::string("-"));
  QVERIFY(dialog.Eleccion().horas.empty());
}

void TestPlantillas::typing_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("nombre");
  QTest::addColumn<QString>("turno");
  QTest::addColumn<QStringList>("horas");
  QTest::addColumn<QString>("codigoDevuelto");

  // One-character orders get a leading blank and sort first; 1234 is cut to 123.
  const QStringList b2 = {" 3 de 16:00 a 16:55", "10 de 19:00 a 19:55", "123 de 20:00 a 20:55"};
  QTest::newRow("B2") << "B2"
                      << "Horari de vesprada"
                      << "T" << b2 << "B2";
  QTest::newRow("código sin plantilla") << "ZZ"
                                        << "-"
                                        << "-" << QStringList() << "ZZ";
  QTest::newRow("blanco final: no casa, se devuelve recortado") << "B2 "
                                                                << "-"
                                                                << "-" << QStringList() << "B2";
  QTest::newRow("mayúsculas distintas") << "b2"
                                        << "-"
                                        << "-" << QStringList() << "b2";
}

void TestPlantillas::typing() {
  QFETCH(QString, texto);
  QFETCH(QString, nombre);
  QFETCH(QString, turno);
  QFETCH(QStringList, horas);
  QFETCH(QString, codigoDevuelto);

  TPlantillas dialog;
  dialog.SetInicio(doc_, "VALENCIÁ");
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  Widgets w = Find(dialog);
  TypeInto(w.plantilla, texto);
  QCOMPARE(w.plantilla->currentText(), texto);
  QCOMPARE(w.nombre->text(), nombre);
  QCOMPARE(w.turno->text(), turno);
  QCOMPARE(Items(w.horas), horas);

  QTest::mouseClick(w.continuar, Qt::LeftButton);
  QCOMPARE(velmora::FromCp(dialog.Eleccion().codigo), codigoDevuelto);
  QCOMPARE(velmora::FromCp(dialog.Eleccion().turno), turno);
  QCOMPARE(FromCp(dialog.Eleccion().horas), horas);
}

void TestPlantillas::languageChange() {
  TPlantillas dialog;
  dialog.SetInicio(doc_, "VALENCIÁ");
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  Widgets w = Find(dialog);
  QCOMPARE(w.nombre->text(), QString("Horari de matí"));
  w.idioma->setCurrentIndex(1);  // picked from the list
  QCOMPARE(w.idioma->currentText(), QString("CASTELLANO"));
  QCOMPARE(w.nombre->text(), QString("Horario de mañana"));
  TypeInto(w.idioma, "VALENCIÁ");
  QCOMPARE(w.nombre->text(), QString("Horari de matí"));
  TypeInto(w.idioma, "ingles");  // any other text takes the Castilian description
  QCOMPARE(w.nombre->text(), QString("Horario de mañana"));
  dialog.close();
  QCOMPARE(dialog.Eleccion().idioma, std::string("ingles"));
  QCOMPARE(dialog.Eleccion().codigo, std::string("A1"));
}

void TestPlantillas::closeBoxHandsBackAsContinuar_data() {
  QTest::addColumn<int>("tag");
  QTest::newRow("hacia Tabulix") << velmora::kTagItacaToTabulix;
  QTest::newRow("hacia ITACA") << velmora::kTagTabulixToItaca;
}

void TestPlantillas::closeBoxHandsBackAsContinuar() {
  QFETCH(int, tag);
  velmora::TemplateChoice choices[2];
  for (int way = 0; way < 2; ++way) {
    TPlantillas dialog;
    dialog.SetTag(tag);
    dialog.SetInicio(doc_, "CASTELLANO");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Widgets w = Find(dialog);
    // Untrimmed while typing, so nothing matches; trimmed of blanks and
    // control characters when handed back.
    w.plantilla->lineEdit()->setText("\tB2 ");
    if (way == 0) {
      QTest::mouseClick(w.continuar, Qt::LeftButton);
    } else {
      dialog.close();  // as the close box does
    }
    QVERIFY(!dialog.isVisible());
    choices[way] = dialog.Eleccion();
  }
  QCOMPARE(choices[1].codigo, choices[0].codigo);
  QCOMPARE(choices[1].turno, choices[0].turno);
  QCOMPARE(choices[1].idioma, choices[0].idioma);
  QCOMPARE(choices[1].horas, choices[0].horas);
  QCOMPARE(choices[0].codigo, std::string("B2"));
  QCOMPARE(choices[0].turno, std::string("-"));
  QCOMPARE(choices[0].idioma, std::string("CASTELLANO"));
  QVERIFY(choices[0].horas.empty());
}

void TestPlantillas::oneSessionGivesNoHours() {
  QByteArray doc = kDocumento;
  const int from = doc.indexOf("    <sesion_horario plantilla=\"A1\" dia_semana=\"M\"");
  const int to = doc.indexOf("  </sesiones_horario>");
  doc.remove(from, to - from);
  QVERIFY(velmora::gui::WriteFile(doc_, doc));
  TPlantillas dialog;
  dialog.SetInicio(doc_, "VALENCIÁ");
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  Widgets w = Find(dialog);
  QCOMPARE(w.turno->text(), QString("M"));
  QCOMPARE(w.horas->count(), 0);
}

void TestPlantillas::missingAttributeKeepsDialogOpen() {
  // B2 lacks its shift: choosing it is an error shown over the dialog, which
  // stays open and can still be used.
  QByteArray doc = kDocumento;
  doc.replace(R"(descripcion_cas="Horario de tarde" turno="T")",
              R"(descripcion_cas="Horario de tarde")");
  QVERIFY(velmora::gui::WriteFile(doc_, doc));
  TPlantillas dialog;
  dialog.SetInicio(doc_, "VALENCIÁ");
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  Widgets w = Find(dialog);

  QString message;
  ModalScript script;
  script.Then("error", velmora::gui::AnswerMessage("Velmora", "turno", "OK", &message));
  TypeInto(w.plantilla, "B2");
  QTRY_VERIFY(script.Done());
  QVERIFY2(script.Errors().isEmpty(), qPrintable(script.Errors().join('\n')));
  QVERIFY2(message.contains("plantilla_horario"), qPrintable(message));
  QVERIFY(dialog.isVisible());
  QCOMPARE(w.turno->text(), QString("-"));

  TypeInto(w.plantilla, "A1");
  QCOMPARE(w.turno->text(), QString("M"));
  dialog.close();
  QCOMPARE(dialog.Eleccion().codigo, std::string("A1"));
}

QTEST_MAIN(TestPlantillas)
#include "tst_plantillas.moc"
