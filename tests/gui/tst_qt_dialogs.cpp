// The runs' dialogs as windows: confirmation and information boxes, the open
// dialog, the two choosers shown modally, and the hourglass.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QWidget>

#include "app/cursoexport.h"
#include "app/plantihoras.h"
#include "app/qt_dialogs.h"
#include "app/qt_text.h"
#include "formats/itaca_xml.h"
#include "gui_fixtures.h"
#include "modal_script.h"
#include "to_tabulix/preguntas.h"
#include "to_tabulix/report.h"

using velmora::Answer;
using velmora::QtDialogs;
using velmora::gui::ModalScript;

Q_DECLARE_METATYPE(velmora::Answer)

namespace {

QString Errors(const ModalScript& script) {
  QStringList all = script.Errors();
  if (!script.Done()) all << "pendiente: " + script.Pending().join(", ");
  return all.join('\n');
}

}  // namespace

class TestQtDialogs : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void confirm_data();
  void confirm();
  void inform_data();
  void inform();
  void chooseXmlFile();
  void chooseTemplateIsModal();
  void chooseSchoolYear();
  void hourglass();

 private:
  std::unique_ptr<QWidget> owner_;
  std::unique_ptr<QFileDialog> open_;
  std::unique_ptr<QtDialogs> dialogs_;
  int closes_ = 0;
};

void TestQtDialogs::init() {
  owner_ = std::make_unique<QWidget>();
  owner_->show();
  open_ = std::make_unique<QFileDialog>(owner_.get(), "Archivo XML");
  open_->setNameFilter("*.xml");
  closes_ = 0;
  dialogs_ = std::make_unique<QtDialogs>(owner_.get(), open_.get(), [this] { ++closes_; });
}

void TestQtDialogs::cleanup() {
  dialogs_.reset();
  open_.reset();
  owner_.reset();
}

void TestQtDialogs::confirm_data() {
  QTest::addColumn<QString>("gesto");
  QTest::addColumn<Answer>("respuesta");
  QTest::newRow("Sí") << "&Si" << Answer::Yes;
  QTest::newRow("No") << "&No" << Answer::No;
  QTest::newRow("Escape") << "escape" << Answer::Closed;
  QTest::newRow("caja de cierre") << "cerrar" << Answer::Closed;
}

void TestQtDialogs::confirm() {
  QFETCH(QString, gesto);
  QFETCH(Answer, respuesta);
  ModalScript script;
  QString text;
  script.Then("pregunta", [&](QWidget* modal) -> QString {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return "no es un mensaje";
    text = box->text();
    if (box->windowTitle() != "Confirmación") return "título " + box->windowTitle();
    if (box->icon() != QMessageBox::Question) return "icono";
    if (!velmora::gui::FindButton(box, "&Si") || !velmora::gui::FindButton(box, "&No")) {
      return "botones";
    }
    if (gesto == "escape") {
      QTest::keyClick(box, Qt::Key_Escape);
    } else if (gesto == "cerrar") {
      box->close();
    } else {
      velmora::gui::FindButton(box, gesto)->click();
    }
    return {};
  });
  QCOMPARE(dialogs_->Confirm(velmora::kPreguntaQuitarSinClases), respuesta);
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  // Four lines, broken where the question has CR LF.
  QCOMPARE(text.split('\n').size(), 4);
  QVERIFY(!text.contains('\r'));
  QVERIFY(text.endsWith("del Horario que se va a Importar?."));
}

void TestQtDialogs::inform_data() {
  QTest::addColumn<bool>("conInforme");
  QTest::newRow("sin informe") << false;
  QTest::newRow("con informe") << true;
}

void TestQtDialogs::inform() {
  QFETCH(bool, conInforme);
  velmora::Report report;
  report.SetRows("PROFT", 12);
  report.Omit("sesión de /centro/horarios_grupo/horario_grupo[3]: grupo sin fila de clase");
  ModalScript script;
  QString details;
  script.Then("aviso", velmora::gui::AnswerMessage("Velmora", "Proceso finalizado", "OK", nullptr,
                                                   &details));
  dialogs_->Inform("Proceso finalizado", conInforme ? &report : nullptr);
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  QCOMPARE(details, conInforme ? velmora::FromUtf8(report.Text()) : QString());
}

void TestQtDialogs::chooseXmlFile() {
  velmora::gui::Workspace ws;
  const QString file = QDir(ws.Docs()).filePath("centro.xml");
  QVERIFY(velmora::gui::WriteFile(file, "<centro/>"));
  ModalScript script;
  script.Then("elegido", velmora::gui::AnswerFile(file));
  script.Then("cancelado", velmora::gui::AnswerFile(QString()));
  const auto chosen = dialogs_->ChooseXmlFile();
  QVERIFY(chosen.has_value());
  QCOMPARE(velmora::FromPath(*chosen), file);
  QVERIFY(!dialogs_->ChooseXmlFile().has_value());
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
}

void TestQtDialogs::chooseTemplateIsModal() {
  velmora::gui::Workspace ws;
  const QString file = QDir(ws.Docs()).filePath("centro.xml");
  QVERIFY(velmora::gui::WriteFile(file, R"(<centro>
  <plantillas_horario>
    <plantilla_horario codigo="A1" descripcion_val="Matí" descripcion_cas="Mañana" turno="M"/>
  </plantillas_horario>
</centro>)"));
  ModalScript script;
  script.Then("plantillas", velmora::gui::OnDialog("Plantillas", [&](QWidget* modal) -> QString {
                if (modal->parentWidget() != owner_.get()) return "sin dueño";
                auto* idioma = modal->findChild<QComboBox*>("ComboBoxValCast");
                if (idioma->currentText() != "CASTELLANO") return "idioma " + idioma->currentText();
                modal->close();
                return {};
              }));
  const velmora::TemplateChoice choice = dialogs_->ChooseTemplate(
      velmora::XmlDocument::Load(velmora::ToPath(file)), "CASTELLANO", velmora::kTagItacaToTabulix);
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  QCOMPARE(choice.codigo, std::string("A1"));
  QCOMPARE(choice.turno, std::string("M"));
  QCOMPARE(choice.idioma, std::string("CASTELLANO"));
}

void TestQtDialogs::chooseSchoolYear() {
  ModalScript script;
  script.Then("curso", velmora::gui::OnDialog("CurExp", [](QWidget* modal) -> QString {
                auto* combo = modal->findChild<QComboBox*>("ComboBoxCurso");
                combo->setCurrentText("2015");
                modal->close();
                return {};
              }));
  QCOMPARE(dialogs_->ChooseSchoolYear("2013"), std::string("2015"));
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
}

void TestQtDialogs::hourglass() {
  QVERIFY(QApplication::overrideCursor() == nullptr);
  dialogs_->SetHourglass(true);
  QVERIFY(QApplication::overrideCursor() != nullptr);
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  dialogs_->SetHourglass(false);
  QVERIFY(QApplication::overrideCursor() == nullptr);
  dialogs_->SetHourglass(false);  // an extra "off" takes away nobody else's cursor
  dialogs_->SetHourglass(true);
  dialogs_->SetHourglass(true);
  dialogs_->ClearHourglass();
  QVERIFY(QApplication::overrideCursor() == nullptr);
  dialogs_->CloseMainWindow();
  QCOMPARE(closes_, 1);
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
