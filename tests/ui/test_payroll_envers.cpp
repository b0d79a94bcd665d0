#include "payroll/reversepayroll.h"
#include "payrollsupport.h"
#include "testsupport.h"
#include "text/numbers.h"
#include "ui/penvers.h"
#include "ui/typing.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Two profiles: "10001 Standard" with 20 % of deductions, "10002 Cadre" with 60 %.
void initModel(ReversePayroll &model)
{
    model.Init({u"10001 Standard"_s, u"10002 Cadre"_s}, 0, [](const QString &code) -> std::optional<QList<Rubrique>> {
        if (code == u"10001")
            return QList<Rubrique>{payrollsupport::rub(u"Cotisation"_s, u"20,00"_s, {}, u"T"_s)};
        if (code == u"10002")
            return QList<Rubrique>{payrollsupport::rub(u"Cotisation"_s, u"60,00"_s, {}, u"T"_s)};
        return std::nullopt;
    });
}

// Records the text of every message box that opens while it lives, and closes it with OK.
struct MessageWatch
{
    QStringList texts;
    QTimer timer;
    MessageWatch()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer.start();
    }
};

double shown(QLineEdit *display)
{
    bool ok = false;
    const double v = text::parseNumber(display->text(), &ok);
    return ok ? v : -1;
}

} // namespace

class TestPayrollEnvers : public QObject
{
    Q_OBJECT

    ReversePayroll m_model;
    std::unique_ptr<TPEnvers> m_window;

    template <class W> W *child(const QString &name)
    {
        W *w = m_window->findChild<W *>(name);
        if (!w)
            qFatal("no child %s", qPrintable(name));
        return w;
    }

private Q_SLOTS:
    void init()
    {
        m_model = ReversePayroll();
        initModel(m_model);
        m_window = std::make_unique<TPEnvers>(m_model);
        typing::showActive(*m_window);
    }
    void cleanup() { m_window.reset(); }

    void netKeysNotFilteredOrEnterNotCalculating()
    {
        QLineEdit *net = child<QLineEdit>(u"net"_s);
        net->setFocus();
        typing::keys(net, u"1500.5x-\n"_s);

        QCOMPARE(net->text(), u"1500,5"_s);
        QVERIFY(m_window->isVisible());
        QLineEdit *gross = child<QLineEdit>(u"brut"_s);
        QLineEdit *computed = child<QLineEdit>(u"netCalcule"_s);
        QVERIFY(std::fabs(shown(gross) - 1875.625) < 0.13);
        QVERIFY(std::fabs(shown(computed) - 1500.5) < 0.11);
        QVERIFY(gross->alignment() & Qt::AlignRight);
        QVERIFY(computed->alignment() & Qt::AlignRight);
    }

    void unreachableNetWithoutMessage()
    {
        QComboBox *profile = child<QComboBox>(u"profil"_s);
        QCOMPARE(profile->currentText(), u"10001"_s);
        QCOMPARE(child<QLineEdit>(u"nom"_s)->text(), u"Standard"_s);
        // The second choice, picked from the keyboard and not yet split, is the one calculated.
        profile->setFocus();
        QTest::keyClick(profile, Qt::Key_Down);
        QCOMPARE(profile->currentText(), u"10002 Cadre"_s);
        child<QLineEdit>(u"net"_s)->setText(u"1000"_s);
        MessageWatch watch;
        QTest::mouseClick(child<QToolButton>(u"calculer"_s), Qt::LeftButton);

        QCOMPARE(watch.texts, QStringList{u"Ce net ne peut pas être atteint avec ce profil"_s});
        QCOMPARE(child<QLineEdit>(u"brut"_s)->text(), u"2000,00"_s);
        QCOMPARE(child<QLineEdit>(u"netCalcule"_s)->text(), u"800,00"_s);
        // The button left the focus in the list; leaving it splits the choice.
        QCOMPARE(m_window->focusWidget(), profile);
        typing::showActive(*m_window);
        QCOMPARE(profile->currentText(), u"10002 Cadre"_s);
        QTest::keyClick(profile, Qt::Key_Tab);
        QCOMPARE(profile->currentText(), u"10002"_s);
        QCOMPARE(child<QLineEdit>(u"nom"_s)->text(), u"Cadre"_s);
    }

    void dialogDoesNotClose_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Escape") << true;
        QTest::newRow("Fermer") << false;
    }

    void dialogDoesNotClose()
    {
        QFETCH(bool, escape);
        if (escape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            QTest::mouseClick(child<QPushButton>(u"fermer"_s), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestPayrollEnvers)
#include "test_payroll_envers.moc"
