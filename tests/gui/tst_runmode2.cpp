// Launched by Tabulix (run mode 2): the command line, the half of the window
// the verb asks for, and the result code that closing writes to
// "Tabulix.ini" beside the program, keeping the rest of the file.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/mainform.h"
#include "app/startup_args.h"
#include "gui_fixtures.h"
#include "modal_script.h"

using velmora::TMForm;
using velmora::gui::AnswerFile;
using velmora::gui::AnswerMessage;
using velmora::gui::ModalScript;
using velmora::gui::OnDialog;

namespace {

// What Tabulix keeps in its settings file, CR LF and all.
const QByteArray kIniPrevio =
    "; Tabulix\r\n"
    "[General]\r\n"
    "Idioma=VAL\r\n"
    "\r\n"
    "[Transformadores]\r\n"
    "Ruta=C:\\ITACA\r\n"
    "Transformado=1\r\n"
    "\r\n"
    "[Ventanas]\r\n"
    "Ancho=800\r\n";

QByteArray IniCon(const QByteArray& valor) {
  QByteArray ini = kIniPrevio;
  ini.replace("Transformado=1", "Transformado=" + valor);
  return ini;
}

QString Errors(const ModalScript& script) {
  QStringList all = script.Errors();
  if (!script.Done()) all << "pendiente: " + script.Pending().join(", ");
  return all.join('\n');
}

QPushButton* Button(TMForm& form, const char* name) {
  return form.findChild<QPushButton*>(name);
}

}  // namespace

class TestRunMode2 : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void commandLine_data();
  void commandLine();
  void halves_data();
  void halves();
  void badHandle_data();
  void badHandle();
  void outcome_data();
  void outcome();
  void errorKeepsWindowOpen();
  void iniNotWritable();
  void iniCreatedWhenMissing();

 private:
  std::unique_ptr<velmora::gui::Workspace> ws_;
  QString doc_;
};

void TestRunMode2::init() {
  ws_ = std::make_unique<velmora::gui::Workspace>();
  doc_ = velmora::gui::CopySampleSchool(ws_->Docs());
  QVERIFY(!doc_.isEmpty());
  QVERIFY(velmora::gui::WriteFile(ws_->Ini(), kIniPrevio));
}

void TestRunMode2::cleanup() {
  ws_.reset();
}

void TestRunMode2::commandLine_data() {
  QTest::addColumn<QStringList>("parametros");
  QTest::addColumn<int>("modo");
  QTest::addColumn<quint64>("ventana");

  QTest::newRow("sin parámetros") << QStringList() << 0 << quint64(0);
  QTest::newRow("uno") << QStringList{"exportar"} << 0 << quint64(0);
  QTest::newRow("tres") << QStringList{"exportar", "1A2B", "x"} << 0 << quint64(0);
  QTest::newRow("Exportar 1A2B") << QStringList{"Exportar", "1A2B"} << 2 << quint64(0x1A2B);
  QTest::newRow("minúsculas") << QStringList{"importar", "00ff"} << 2 << quint64(0xFF);
  QTest::newRow("16 cifras") << QStringList{"otro", "FFFFFFFFFFFFFFFF"} << 2
                             << quint64(0xFFFFFFFFFFFFFFFF);
}

void TestRunMode2::commandLine() {
  QFETCH(QStringList, parametros);
  QFETCH(int, modo);
  QFETCH(quint64, ventana);
  const velmora::StartupArgs args = velmora::ReadStartupArgs(parametros);
  QCOMPARE(args.runMode, modo);
  QVERIFY(args.error.isEmpty());
  QCOMPARE(args.hostHandle.value_or(0), ventana);
  TMForm form(parametros);
  QCOMPARE(form.State().runMode, modo);
  QCOMPARE(bool(form.windowFlags() & Qt::FramelessWindowHint), modo == 2);
  QCOMPARE(form.State().resultCode, 0);
}

void TestRunMode2::halves_data() {
  QTest::addColumn<QString>("verbo");
  QTest::addColumn<bool>("exportar");  // Draw3D2 visible
  QTest::addColumn<bool>("importar");  // Draw3D3 visible

  QTest::newRow("exportar") << "exportar" << true << false;
  QTest::newRow("EXPORTAR") << "EXPORTAR" << true << false;
  QTest::newRow("Importar") << "Importar" << false << true;
  QTest::newRow("otro verbo") << "otro" << true << true;
  // Only A to Z are lowered: a dotted capital I is not an I.
  QTest::newRow("İmportar") << "İmportar" << true << true;
}

void TestRunMode2::halves() {
  QFETCH(QString, verbo);
  QFETCH(bool, exportar);
  QFETCH(bool, importar);
  TMForm form({verbo, "1A2B"});
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(form.State().runMode, 2);
  QWidget* mitad2 = form.findChild<QWidget*>("Draw3D2");
  QWidget* mitad3 = form.findChild<QWidget*>("Draw3D3");
  QCOMPARE(mitad2->isVisible(), exportar);
  QCOMPARE(mitad3->isVisible(), importar);
  const QRect todo(0, 0, 632, 266);
  if (exportar && !importar) QCOMPARE(mitad2->geometry(), todo);
  if (importar && !exportar) QCOMPARE(mitad3->geometry(), todo);
  if (exportar && importar) {
    QCOMPARE(mitad2->geometry(), QRect(0, 0, 315, 169));
    QCOMPARE(mitad3->geometry(), QRect(316, 0, 317, 169));
  }
  // "&Salir" stays at hand over the half.
  QVERIFY(Button(form, "BClose")->isVisible());
  QVERIFY(Button(form, "BClose")->isEnabled());
  QCOMPARE(form.childAt(Button(form, "BClose")->mapTo(&form, QPoint(5, 5))),
           static_cast<QWidget*>(Button(form, "BClose")));
}

void TestRunMode2::badHandle_data() {
  QTest::addColumn<QString>("ventana");
  QTest::newRow("0x") << "0x1A2B";
  QTest::newRow("$") << "$1A2B";
  QTest::newRow("vacío") << "";
  QTest::newRow("no hexadecimal") << "12G4";
  QTest::newRow("demasiado largo") << "10000000000000000";
}

void TestRunMode2::badHandle() {
  QFETCH(QString, ventana);
  TMForm form({"exportar", ventana});
  ModalScript script;
  QString texto;
  script.Then("error", AnswerMessage("Velmora", "no es un valor entero", "OK", &texto));
  form.Start();
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  QCOMPARE(texto, QString("'$%1' no es un valor entero válido").arg(ventana));
  // The program runs on its own, as if started without parameters.
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(form.State().runMode, 0);
  QVERIFY(!(form.windowFlags() & Qt::FramelessWindowHint));
  QVERIFY(form.findChild<QWidget*>("Draw3D2")->isVisible());
  QVERIFY(form.findChild<QWidget*>("Draw3D3")->isVisible());
  QVERIFY(form.close());
  QCOMPARE(velmora::gui::ReadFile(ws_->Ini()), kIniPrevio);  // nothing written
}

void TestRunMode2::outcome_data() {
  QTest::addColumn<QString>("verbo");
  QTest::addColumn<QString>("caso");
  QTest::addColumn<QByteArray>("valor");

  QTest::newRow("Salir antes de convertir") << "exportar"
                                            << "salir" << QByteArray("0");
  QTest::newRow("otro verbo, Salir") << "otro"
                                     << "salir" << QByteArray("0");
  QTest::newRow("exportación terminada") << "exportar"
                                         << "terminada" << QByteArray("1");
  QTest::newRow("documento inexistente") << "exportar"
                                         << "sin archivo" << QByteArray("-1");
  QTest::newRow("importar sin SOLUC") << "importar"
                                      << "sin archivo" << QByteArray("-1");
}

void TestRunMode2::outcome() {
  QFETCH(QString, verbo);
  QFETCH(QString, caso);
  QFETCH(QByteArray, valor);
  TMForm form({verbo, "1A2B"});
  QSignalSpy closed(&form, &TMForm::closed);
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  const bool importar = verbo == "importar";
  ModalScript script;
  if (caso == "salir") {
    QTest::mouseClick(Button(form, "BClose"), Qt::LeftButton);
  } else {
    if (importar) script.Then("aviso", AnswerMessage("Velmora", "Deberá Abrir", "OK"));
    if (caso == "terminada") {
      script.confirmations = {"&No", "&Si"};
      script.Then("archivo", AnswerFile(doc_))
          .Then("plantillas", OnDialog("Plantillas",
                                       [](QWidget* modal) {
                                         modal->close();
                                         return QString();
                                       }))
          .Then("final", AnswerMessage("Velmora", "Proceso finalizado", "OK"));
    } else {
      const QString archivo = importar ? doc_ : QDir(ws_->Docs()).filePath("no_esta.xml");
      script.Then("archivo", AnswerFile(archivo))
          .Then("mensaje", AnswerMessage("Velmora", "No existe archivo", "OK"));
    }
    QTest::mouseClick(Button(form, importar ? "BImportar" : "BExportar"), Qt::LeftButton);
  }
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  // The run (or "&Salir") closed the window, without further input.
  QVERIFY(!form.isVisible());
  QCOMPARE(closed.count(), 1);
  QCOMPARE(velmora::gui::ReadFile(ws_->Ini()), IniCon(valor));
}

void TestRunMode2::errorKeepsWindowOpen() {
  const QString roto = QDir(ws_->Docs()).filePath("roto.xml");
  QVERIFY(velmora::gui::WriteFile(roto, "<otro/>"));
  TMForm form({"exportar", "1A2B"});
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  ModalScript script;
  script.Then("archivo", AnswerFile(roto)).Then("error", AnswerMessage("Velmora", "centro", "OK"));
  QTest::mouseClick(Button(form, "BExportar"), Qt::LeftButton);
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  QVERIFY(form.isVisible());
  QCOMPARE(velmora::gui::ReadFile(ws_->Ini()), kIniPrevio);
  QVERIFY(form.close());
  QCOMPARE(velmora::gui::ReadFile(ws_->Ini()), IniCon("0"));
}

void TestRunMode2::iniNotWritable() {
  // A folder where the file should be: the write fails, the user is told
  // where, and the window stays open until it can be written.
  QVERIFY(QFile::remove(ws_->Ini()));
  QVERIFY(QDir().mkpath(ws_->Ini()));
  TMForm form({"exportar", "1A2B"});
  QSignalSpy closed(&form, &TMForm::closed);
  form.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  ModalScript script;
  QString texto;
  script.Then("error", AnswerMessage("Velmora", "Tabulix.ini", "OK", &texto));
  QVERIFY(!form.close());
  QVERIFY2(script.Errors().isEmpty() && script.Done(), qPrintable(Errors(script)));
  QVERIFY2(texto.contains(QDir::toNativeSeparators(ws_->Ini())), qPrintable(texto));
  QVERIFY(form.isVisible());
  QCOMPARE(closed.count(), 0);

  QVERIFY(QDir(ws_->Ini()).removeRecursively());
  QVERIFY(form.close());
  QCOMPARE(closed.count(), 1);
  QVERIFY(velmora::gui::ReadFile(ws_->Ini()).contains("Transformado=0"));
}

void TestRunMode2::iniCreatedWhenMissing() {
  QVERIFY(QFile::remove(ws_->Ini()));
  {
    TMForm form({});
    form.Start();
    QVERIFY(form.close());
  }
  QVERIFY(!QFileInfo::exists(ws_->Ini()));  // run mode 0 writes nothing
  TMForm form({"importar", "1A2B"});
  form.Start();
  QVERIFY(form.close());
  QVERIFY(velmora::gui::ReadFile(ws_->Ini()).contains("Transformado=0"));
}

QTEST_MAIN(TestRunMode2)
#include "tst_runmode2.moc"
