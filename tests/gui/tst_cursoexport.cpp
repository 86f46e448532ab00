// The school-year chooser CurExp: what it shows, and what it stores however
// it is closed.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/cursoexport.h"
#include "app/look.h"

using velmora::TCurExp;

class TestCurExp : public QObject {
  Q_OBJECT

 private slots:
  void window();
  void closing_data();
  void closing();
  void clearedTextAndEnter();
};

void TestCurExp::window() {
  TCurExp curExp("2013");
  auto* label = curExp.findChild<QLabel*>("LabelCurActual");
  auto* combo = curExp.findChild<QComboBox*>("ComboBoxCurso");
  QVERIFY(label && combo);
  QCOMPARE(curExp.windowTitle(), QString("Curso de destino"));
  QCOMPARE(label->text(), QString("-"));  // until the dialog is activated

  curExp.show();
  QVERIFY(QTest::qWaitForWindowExposed(&curExp));
  QCOMPARE(label->text(), QString("2013"));
  QCOMPARE(combo->currentText(), QString());
  QStringList years;
  for (int i = 0; i < combo->count(); ++i) years << combo->itemText(i);
  QCOMPARE(years, QStringList({"2010", "2011", "2012", "2013", "2014", "2015", "2016", "2017",
                               "2018", "2019", "2020"}));
  QVERIFY(combo->isEditable());
  QVERIFY(curExp.findChild<QPushButton*>("BitBtnContinuar")->isDefault());
  QCOMPARE(label->palette().color(QPalette::WindowText), velmora::colores::kRojo);
  curExp.close();
}

void TestCurExp::closing_data() {
  QTest::addColumn<QString>("inicial");
  QTest::addColumn<QString>("eleccion");  // "=N": item N of the list; else typed text
  QTest::addColumn<bool>("cierreConBoton");
  QTest::addColumn<QString>("etiqueta");

  QTest::newRow("cerrado al momento con Continuar") << "2013"
                                                    << "" << true << "2013";
  QTest::newRow("cerrado al momento con la caja") << "2013"
                                                  << "" << false << "2013";
  QTest::newRow("2015 de la lista, Continuar") << "2013"
                                               << "=5" << true << "2015";
  QTest::newRow("2015 de la lista, caja de cierre") << "2013"
                                                    << "=5" << false << "2015";
  QTest::newRow("2021 escrito, fuera de la lista") << "2013"
                                                   << "2021" << true << "2021";
  QTest::newRow("curso del documento vacío") << ""
                                             << "" << false << "";
}

void TestCurExp::closing() {
  QFETCH(QString, inicial);
  QFETCH(QString, eleccion);
  QFETCH(bool, cierreConBoton);
  QFETCH(QString, etiqueta);

  TCurExp curExp(inicial);
  curExp.show();
  QVERIFY(QTest::qWaitForWindowExposed(&curExp));
  auto* label = curExp.findChild<QLabel*>("LabelCurActual");
  auto* combo = curExp.findChild<QComboBox*>("ComboBoxCurso");
  QCOMPARE(label->text(), inicial);
  if (eleccion.startsWith('=')) {
    combo->setCurrentIndex(eleccion.mid(1).toInt());
  } else if (!eleccion.isEmpty()) {
    QTest::keyClicks(combo->lineEdit(), eleccion);
  }
  QCOMPARE(label->text(), etiqueta);
  if (cierreConBoton) {
    QTest::mouseClick(curExp.findChild<QPushButton*>("BitBtnContinuar"), Qt::LeftButton);
  } else {
    curExp.close();  // as the close box does
  }
  QVERIFY(!curExp.isVisible());
  QCOMPARE(curExp.CursoDestino(), etiqueta);
}

void TestCurExp::clearedTextAndEnter() {
  // Clearing the text after a choice leaves the label, and the year, empty.
  TCurExp curExp("2013");
  curExp.show();
  QVERIFY(QTest::qWaitForWindowExposed(&curExp));
  auto* combo = curExp.findChild<QComboBox*>("ComboBoxCurso");
  combo->setCurrentIndex(2);
  combo->lineEdit()->selectAll();
  QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
  QCOMPARE(curExp.findChild<QLabel*>("LabelCurActual")->text(), QString());
  QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
  QVERIFY(!curExp.isVisible());
  QCOMPARE(curExp.result(), int(QDialog::Accepted));
  QCOMPARE(curExp.CursoDestino(), QString());
}

QTEST_MAIN(TestCurExp)
#include "tst_cursoexport.moc"
