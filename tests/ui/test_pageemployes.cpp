#include "employees/employeeform.h"
#include "text/dates.h"
#include "ui/pageemployes.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

// The employees page typed into as a user would: filters, the edited flag and signal, the
// completions done on leaving a field, the history input.
class TestPageEmployes : public QObject
{
    Q_OBJECT

    EmployeeForm m_form;
    TPageEmployes *m_page = nullptr;

    template <class W> W *child(const QString &name)
    {
        auto *w = m_page->findChild<W *>(name);
        if (!w)
            qFatal("no widget %s", qPrintable(name));
        return w;
    }
    QLineEdit *line(const QString &name)
    {
        if (auto *combo = m_page->findChild<QComboBox *>(name))
            return combo->lineEdit();
        return child<QLineEdit>(name);
    }
    // Types text key by key, accents included.
    static void type(QWidget *w, const QString &text)
    {
        for (QChar c : text) {
            const bool ascii = c.unicode() < 0x80;
            const auto code = ascii ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, w, code, QString(c), Qt::NoModifier);
        }
    }
    // Moves the keyboard focus away from the field, as a click elsewhere does.
    void leave(QWidget *field)
    {
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        child<QLineEdit>(QStringLiteral("name"))->setFocus();
        QTRY_VERIFY(!field->hasFocus());
    }

private Q_SLOTS:
    void init()
    {
        m_form = EmployeeForm();
        m_form.reset(QDate::currentDate());
        m_page = new TPageEmployes(m_form);
        m_page->setChoices({QStringLiteral("Crédit Local")}, {QStringLiteral("Comptable")},
                           {QStringLiteral("10001 Standard"), QStringLiteral("10002 Cadres")});
        m_page->show();
        QVERIFY(QTest::qWaitForWindowActive(m_page));
    }
    void cleanup()
    {
        delete m_page;
        m_page = nullptr;
    }

    void numericFilters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("heures point") << "hours" << "151.67" << "151,67";
        QTest::newRow("salaire lettres") << "salary" << "12a.5b" << "12,5";
        QTest::newRow("salaire blancs") << "salary" << " 1 500-" << "1500";
        QTest::newRow("montant") << "historyAmount" << "x7.25" << "7,25";
    }
    void numericFilters()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QSignalSpy spy(m_page, &TPageEmployes::edited);
        type(line(field), typed);
        QCOMPARE(line(field)->text(), shown);
        QVERIFY(m_form.edited);
        QVERIFY(spy.count() > 0);
        if (field == QLatin1String("hours"))
            QCOMPARE(m_form.hours, shown);
        else if (field == QLatin1String("salary"))
            QCOMPARE(m_form.salary, shown);
        else
            QCOMPARE(m_form.historyAmount, shown);
    }

    void typingMarksEdited_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("distance");
        QTest::addColumn<QString>("typed");
        QTest::newRow("code") << "code" << 1 << "10009";
        QTest::newRow("civilité") << "civility" << 2 << "Mme";
        QTest::newRow("nom") << "name" << 4 << "Hélène Dupré";
        QTest::newRow("ville") << "town" << 9 << "Besançon";
        QTest::newRow("emploi") << "job" << 12 << "Maçon";
        QTest::newRow("banque") << "bankName" << 14 << "Banque Rurale";
        QTest::newRow("mode règl.") << "paymentMethod" << 19 << "Virement";
        QTest::newRow("n° SS") << "socialSecurity" << 20 << "1 75 01";
    }
    void typingMarksEdited()
    {
        QFETCH(QString, field);
        QFETCH(int, distance);
        QFETCH(QString, typed);
        QSignalSpy spy(m_page, &TPageEmployes::edited);
        type(line(field), typed);
        QCOMPARE(m_form.fieldText(distance), typed);
        QVERIFY(m_form.edited);
        QVERIFY(spy.count() > 0);
    }

    void datesMarkEdited_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("marks");
        QTest::newRow("né le") << "birthDate" << true;
        QTest::newRow("entré le") << "entryDate" << true;
        QTest::newRow("date de l'historique") << "historyDate" << false;
    }
    void datesMarkEdited()
    {
        QFETCH(QString, field);
        QFETCH(bool, marks);
        QSignalSpy spy(m_page, &TPageEmployes::edited);
        const QDate d(1970, 3, 14);
        child<QDateEdit>(field)->setDate(d);
        QCOMPARE(m_form.edited, marks);
        QCOMPARE(spy.count(), marks ? 1 : 0);
        const QDate got = field == QLatin1String("birthDate")   ? m_form.birthDate
                          : field == QLatin1String("entryDate") ? m_form.entryDate
                          : field == QLatin1String("leavingDate") ? m_form.leavingDate
                                                                  : m_form.historyDate;
        QCOMPARE(got, d);
    }

    void noteFollowsLines()
    {
        auto *note = child<QPlainTextEdit>(QStringLiteral("note"));
        QSignalSpy spy(m_page, &TPageEmployes::edited);
        type(note, QStringLiteral("Première"));
        QTest::keyClick(note, Qt::Key_Return);
        type(note, QStringLiteral("seconde"));
        QCOMPARE(m_form.note, QStringList({QStringLiteral("Première"), QStringLiteral("seconde")}));
        QVERIFY(m_form.edited);
        QVERIFY(spy.count() > 0);
    }

    // Showing a record changes nothing: no signal, the flag stays clear, and the widgets show
    // the form (the cumul without its alignment blanks, the history rows).
    void refreshIsSilent()
    {
        m_form.code = QStringLiteral("10004");
        m_form.name = QStringLiteral("Zoé Lefèvre");
        m_form.civility = QStringLiteral("Mlle");
        m_form.job = QStringLiteral("Inconnu de la liste");
        m_form.profileCode = QStringLiteral("10002");
        m_form.profileName = QStringLiteral("Cadres");
        m_form.cumul = QStringLiteral("   1234,50");
        m_form.birthDate = QDate(1980, 2, 29);
        m_form.note = {QStringLiteral("a"), QStringLiteral("b")};
        m_form.history[0] = {QStringLiteral("01/01/2002"), QStringLiteral("Paie N°200201001"), QStringLiteral("    12,00")};
        m_form.edited = false;
        QSignalSpy spy(m_page, &TPageEmployes::edited);
        m_page->refresh();
        m_page->setChoices({}, {QStringLiteral("Autre")}, {});
        QCOMPARE(spy.count(), 0);
        QVERIFY(!m_form.edited);
        QCOMPARE(line(QStringLiteral("name"))->text(), m_form.name);
        QCOMPARE(line(QStringLiteral("civility"))->text(), QStringLiteral("Mlle"));
        QCOMPARE(line(QStringLiteral("job"))->text(), QStringLiteral("Inconnu de la liste"));
        QCOMPARE(line(QStringLiteral("profile"))->text(), QStringLiteral("10002"));
        QCOMPARE(line(QStringLiteral("profileName"))->text(), QStringLiteral("Cadres"));
        QCOMPARE(line(QStringLiteral("cumul"))->text(), QStringLiteral("1234,50"));
        QCOMPARE(m_form.cumul, QStringLiteral("   1234,50"));
        QCOMPARE(child<QDateEdit>(QStringLiteral("birthDate"))->date(), QDate(1980, 2, 29));
        QCOMPARE(child<QPlainTextEdit>(QStringLiteral("note"))->toPlainText(), QStringLiteral("a\nb"));
        auto *table = child<QTableWidget>(QStringLiteral("history"));
        QCOMPARE(table->rowCount(), 63);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("Paie N°200201001"));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("12,00"));
        QVERIFY(line(QStringLiteral("cumul"))->isReadOnly());
        QVERIFY(line(QStringLiteral("profileName"))->isReadOnly());
    }

    void profileSplit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("split");
        QTest::newRow("code et nom") << "10001 Standard" << "10001" << "Standard" << true;
        QTest::newRow("espace trop tôt") << "A B" << "A B" << "" << false;
        QTest::newRow("code seul") << "10009" << "10009" << "" << false;
        // The choice completes what is typed from its list, as a user expects.
        QTest::newRow("complété") << "10002" << "10002" << "Cadres" << true;
    }
    void profileSplit()
    {
        QFETCH(QString, typed);
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(bool, split);
        QLineEdit *edit = line(QStringLiteral("profile"));
        edit->setFocus();
        type(edit, typed);
        m_form.edited = false;
        leave(edit);
        QCOMPARE(m_form.profileCode, code);
        QCOMPARE(m_form.profileName, name);
        QCOMPARE(edit->text(), code);
        QCOMPARE(line(QStringLiteral("profileName"))->text(), name);
        QCOMPARE(m_form.edited, split);
    }

    // A profile picked in the list is split at once.
    void profilePicked()
    {
        auto *combo = child<QComboBox>(QStringLiteral("profile"));
        combo->setCurrentIndex(1);
        Q_EMIT combo->activated(1);
        QCOMPARE(m_form.profileCode, QStringLiteral("10002"));
        QCOMPARE(m_form.profileName, QStringLiteral("Cadres"));
        QCOMPARE(combo->currentText(), QStringLiteral("10002"));
    }

    void accountCompletion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("completed");
        QTest::newRow("court") << "421" << "421000";
        QTest::newRow("trop long") << "4210001" << "421000";
        QTest::newRow("six") << "641100" << "641100";
    }
    void accountCompletion()
    {
        QFETCH(QString, typed);
        QFETCH(QString, completed);
        QLineEdit *edit = line(QStringLiteral("account"));
        edit->setFocus();
        edit->selectAll();
        type(edit, typed);
        leave(edit);
        QCOMPARE(edit->text(), completed);
        QCOMPARE(m_form.account, completed);
        QVERIFY(m_form.edited);
    }

    // Passing through the account of a record read as "42000" neither changes it nor marks
    // the record edited, so no save is asked for.
    void accountPassedThrough()
    {
        m_form.account = QStringLiteral("42000");
        m_page->refresh();
        QLineEdit *edit = line(QStringLiteral("account"));
        leave(edit);
        QCOMPARE(edit->text(), QStringLiteral("42000"));
        QVERIFY(!m_form.edited);
    }

    void historyCommit_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("shown");
        QTest::newRow("OK, deux décimales") << false << "0.00" << "12.5" << "12,50";
        QTest::newRow("Entrée, une décimale") << true << "0.0" << "1234,56" << "1234,6";
        QTest::newRow("Entrée, entier") << true << "#" << "99,5" << "100";
    }
    void historyCommit()
    {
        QFETCH(bool, byEnter);
        QFETCH(QString, format);
        QFETCH(QString, amount);
        QFETCH(QString, shown);
        m_page->setAmountFormat(format);
        m_form.history[0] = {QStringLiteral("01/01/2002"), QStringLiteral("Ancienne"), QStringLiteral("1,00")};
        m_page->refresh();
        const QDate day(2026, 11, 30);
        child<QDateEdit>(QStringLiteral("historyDate"))->setDate(day);
        QLineEdit *label = line(QStringLiteral("historyLabel"));
        QLineEdit *amountEdit = line(QStringLiteral("historyAmount"));
        type(label, QStringLiteral("Prime été"));
        type(amountEdit, amount);
        // Typing alone never commits.
        QVERIFY(m_form.history[1].isEmpty());
        QSignalSpy messages(m_page, &TPageEmployes::message);
        if (byEnter)
            QTest::keyClick(amountEdit, Qt::Key_Return);
        else
            QTest::mouseClick(child<QPushButton>(QStringLiteral("historyOk")), Qt::LeftButton);
        QCOMPARE(messages.count(), 0);
        QCOMPARE(m_form.history[1].date, QStringLiteral("30/11/2026"));
        QCOMPARE(m_form.history[1].label, QStringLiteral("Prime été"));
        QCOMPARE(m_form.history[1].amount.trimmed(), shown);
        QVERIFY(m_form.history[2].isEmpty());
        auto *table = child<QTableWidget>(QStringLiteral("history"));
        QCOMPARE(table->item(1, 0)->text(), QStringLiteral("30/11/2026"));
        QCOMPARE(table->item(1, 2)->text(), shown);
        QVERIFY(label->text().isEmpty());
        QVERIFY(amountEdit->text().isEmpty());
        QVERIFY(m_form.edited);
    }

    void historyRefused_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("message");
        QTest::newRow("sans libellé") << "" << "12" << "";
        QTest::newRow("sans montant") << "Prime" << "" << "";
        QTest::newRow("montant illisible") << "Prime" << "1,2,3" << conversionMessage(QStringLiteral("1,2,3"));
    }
    void historyRefused()
    {
        QFETCH(QString, label);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        type(line(QStringLiteral("historyLabel")), label);
        type(line(QStringLiteral("historyAmount")), amount);
        QSignalSpy messages(m_page, &TPageEmployes::message);
        QTest::keyClick(line(QStringLiteral("historyAmount")), Qt::Key_Enter);
        QVERIFY(m_form.history[0].isEmpty());
        QCOMPARE(messages.count(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(messages.at(0).at(0).toString(), message);
        // The inputs keep what was typed.
        QCOMPARE(line(QStringLiteral("historyAmount"))->text(), amount);
    }

    // Characters the dossier files cannot hold never reach the form.
    void refuses1252_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("distance");
        QTest::newRow("nom") << "name" << 4;
        QTest::newRow("emploi") << "job" << 12;
        QTest::newRow("banque") << "bankName" << 14;
    }
    void refuses1252()
    {
        QFETCH(QString, field);
        QFETCH(int, distance);
        type(line(field), QStringLiteral("a\u2192b\u0153\u20ac\u4e2d"));
        // "œ" and "€" are Windows-1252 characters, the arrow and the ideogram are not.
        QCOMPARE(line(field)->text(), QStringLiteral("ab\u0153\u20ac"));
        QCOMPARE(m_form.fieldText(distance), QStringLiteral("ab\u0153\u20ac"));
    }

    // A field is a line of the record's block: it may not read as a block tag.
    void refusesTag_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("nom") << "name" << "<bloc0003>" << "<blo0003>";
        QTest::newRow("ville") << "town" << "</BLOC0001>" << "</BLO0001>";
        QTest::newRow("emploi") << "job" << "<BLOC" << "<BLO";
        QTest::newRow("au milieu") << "address1" << "x<BLOC" << "x<BLOC";
        // A TAB cannot be typed into a field, but it can be pasted.
        QTest::newRow("tabulation collée") << "historyLabel" << "a\tb" << "";
    }
    void refusesTag()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        if (typed.contains(u'\t'))
            line(field)->insert(typed);
        else
            type(line(field), typed);
        QCOMPARE(line(field)->text(), kept);
    }

    void noteRefuses1252()
    {
        auto *note = child<QPlainTextEdit>(QStringLiteral("note"));
        note->insertPlainText(QStringLiteral("Ligne \u2192 un\nDeux \U0001F600!"));
        QCOMPARE(note->toPlainText(), QStringLiteral("Ligne  un\nDeux !"));
        QCOMPARE(m_form.note, QStringList({QStringLiteral("Ligne  un"), QStringLiteral("Deux !")}));
    }

    // Tab goes through the page from top to bottom, left to right.
    void tabOrder()
    {
        const QStringList expected = {QStringLiteral("code"), QStringLiteral("civility"),
                                      QStringLiteral("birthDate"), QStringLiteral("name"),
                                      QStringLiteral("birthPlace"), QStringLiteral("address1")};
        QStringList seen;
        QWidget *w = line(QStringLiteral("code"));
        for (int guard = 0; guard < 100 && seen.size() < expected.size(); ++guard, w = w->nextInFocusChain()) {
            if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(m_page))
                continue;
            QWidget *named = w;
            while (named && (named->objectName().isEmpty() || named->objectName().startsWith(QLatin1String("qt_"))))
                named = named->parentWidget();
            if (named && (seen.isEmpty() || seen.last() != named->objectName()))
                seen << named->objectName();
        }
        QCOMPARE(seen, expected);
    }

};

QTEST_MAIN(TestPageEmployes)
#include "test_pageemployes.moc"
