#include "printing/pagesetup.h"
#include "typing.h"
#include "ui/mpage.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

// The window "Mise en page": what it shows, and what its keys and buttons give back.
class TestPrintingMpage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedValuesNotShown();
    void keysGiveWrongResult_data();
    void keysGiveWrongResult();
};

void TestPrintingMpage::storedValuesNotShown()
{
    TMPage w;
    w.Init(2, 1, true);
    QCOMPARE(w.windowTitle(), QStringLiteral("Mise en page"));
    QVERIFY(w.paperChoice(1)->isChecked());
    QCOMPARE(w.paperChoice(1)->text(), QStringLiteral("Papier à en-tête"));
    QVERIFY(w.orientationChoice(1)->isChecked());
    QVERIFY(w.guideBox()->isChecked());
}

void TestPrintingMpage::keysGiveWrongResult_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QList<int>>("kept"); // paper type, orientation, guide value
    QTest::newRow("Enter keeps the choices") << int(Qt::Key_Return) << QList<int>{0, 1, 0};
    QTest::newRow("Escape keeps nothing") << int(Qt::Key_Escape) << QList<int>{1, 0, 100};
}

void TestPrintingMpage::keysGiveWrongResult()
{
    QFETCH(int, key);
    int paper = 1, orientation = 0, guide = 100;
    const bool changed = ParM(paper, orientation, guide, [key](PageSetupModel &m) {
        QTimer::singleShot(0, [key] {
            auto *w = qobject_cast<TMPage *>(QApplication::activeModalWidget());
            QVERIFY(w);
            w->paperChoice(0)->click();
            w->orientationChoice(1)->click();
            w->guideBox()->click();
            QTest::keyClick(w, Qt::Key(key));
        });
        return TMPage::edit(m);
    });
    QCOMPARE(changed, key == Qt::Key_Return);
    QTEST((QList<int>{paper, orientation, guide}), "kept");
}

QTEST_MAIN(TestPrintingMpage)
#include "test_printing_mpage.moc"
