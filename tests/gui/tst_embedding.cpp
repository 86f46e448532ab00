// Launched by Tabulix with the handle of one of its windows: the main window
// shows itself inside that window, at 0,0, without border or caption. Needs
// a real window system (run under xvfb-run); the offscreen platform has no
// windows of other programs.
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "app/mainform.h"
#include "gui_fixtures.h"

using velmora::TMForm;

class TestEmbedding : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void embedsInHostWindow_data();
  void embedsInHostWindow();
};

void TestEmbedding::initTestCase() {
  if (!QApplication::platformName().startsWith("xcb")) {
    QSKIP("needs a real X server (xvfb-run -a)");
  }
}

void TestEmbedding::embedsInHostWindow_data() {
  QTest::addColumn<QString>("verbo");
  QTest::addColumn<bool>("exportar");
  QTest::addColumn<bool>("importar");
  QTest::newRow("exportar") << "exportar" << true << false;
  QTest::newRow("Importar") << "Importar" << false << true;
  QTest::newRow("otro") << "otro" << true << true;
}

void TestEmbedding::embedsInHostWindow() {
  QFETCH(QString, verbo);
  QFETCH(bool, exportar);
  QFETCH(bool, importar);
  velmora::gui::Workspace ws;

  // The host: a plain window of its own, as Tabulix's would be.
  QWidget host;
  host.setWindowTitle("Tabulix");
  host.setGeometry(100, 80, 800, 500);
  host.show();
  QVERIFY(QTest::qWaitForWindowExposed(&host));
  const WId hostId = host.winId();

  {
    TMForm form({verbo, QString::number(quint64(hostId), 16).toUpper()});
    QSignalSpy closed(&form, &TMForm::closed);
    form.Start();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.State().runMode, 2);
    QVERIFY(form.HostWindow() != nullptr);
    QCOMPARE(form.HostWindow()->winId(), hostId);
    QCOMPARE(form.windowHandle()->parent(), form.HostWindow());
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(form.windowHandle()->position(), QPoint(0, 0));
    // The window system agrees: our top-left corner is the host's.
    QTRY_COMPARE(form.mapToGlobal(QPoint(0, 0)), host.mapToGlobal(QPoint(0, 0)));
    QCOMPARE(form.findChild<QWidget*>("Draw3D2")->isVisible(), exportar);
    QCOMPARE(form.findChild<QWidget*>("Draw3D3")->isVisible(), importar);

    QTest::mouseClick(form.findChild<QPushButton*>("BClose"), Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form.isVisible());
  }
  QVERIFY(velmora::gui::ReadFile(ws.Ini()).contains("Transformado=0"));
  QVERIFY(host.isVisible());  // the host is Tabulix's: it stays
}

QTEST_MAIN(TestEmbedding)
#include "tst_embedding.moc"
