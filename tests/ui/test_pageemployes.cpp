// The employees page typed into as a user would: which field feeds which line of the form,
// the filters, the edited flag and signal, the completions done on leaving a field, the
// history input.
#include "records/employeeform.h"
#include "testsupport.h"
#include "ui/pageemployes.h"
#include "ui/typing.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

namespace {
// A field typed into, the line of the form it feeds, what is typed, what the field and the
// form then hold.
struct FieldRow { const char *why; QString field; int distance; QString typed, kept; };
// An entry committed by Enter or "OK"; shown: the amount as shown, or the message of a refusal.
struct EntryRow { const char *why; bool byEnter; QString label, amount, shown; };
} // namespace

Q_DECLARE_METATYPE(FieldRow)
Q_DECLARE_METATYPE(EntryRow)

class TestPageEmployes : public QObject
{
    Q_OBJECT

    EmployeeForm m_form;
    TPageEmployes *m_page = nullptr;

    QLineEdit *line(const QString &name)
    {
        if (auto *combo = m_page->findChild<QComboBox *>(name))
            return combo->lineEdit();
        return m_page->findChild<QLineEdit *>(name);
    }
    template <class W> W *child(const char *name) { return typing::child<W>(m_page, name); }
    // Types into the field, then moves the keyboard focus away, as a click elsewhere does.
    void typeAndLeave(QWidget *field, const QString &text)
    {
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        typing::keys(field, text);
        line("name")->setFocus();
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
        typing::showActive(*m_page);
    }
    void cleanup()
    {
        delete m_page;
        m_page = nullptr;
    }

    // Numbers go through their key filter.
    void fieldFeedsTheWrongLineOrIsNotMarked_data()
    {
        const FieldRow rows[] = {
            // One field of each kind: a line, a fixed list, a list of the user's own.
            {"nom", "name", 4, "Hélène Dupré", "Hélène Dupré"},
            {"civilité", "civility", 2, "Mme", "Mme"},
            {"emploi", "job", 12, "Maçon", "Maçon"},
            {"heures: point, lettres", "hours", EmployeeForm::kHours, "15a1.67", "151,67"},
            {"salaire: blancs, signe", "salary", EmployeeForm::kSalary, " 1 500-", "1500"},
            // "œ" and "€" are Windows-1252 characters (0x9C, 0x80), the arrow and the ideogram not.
            {"nom hors Windows-1252", "name", 4, "a\u2192b\u0153\u20ac\u4e2d", "ab\u0153\u20ac"},
            {"emploi hors Windows-1252", "job", 12, "a\u2192b\u0153\u20ac", "ab\u0153\u20ac"},
            // A field is a line of the record's block: it may not read as a block tag, nor hold a
            // TAB (which cannot be typed, but can be pasted).
            {"nom en balise", "name", 4, "<bloc0003>", "<blo0003>"},
            {"emploi en balise", "job", 12, "</BLOC0001>", "</BLO0001>"},
            {"balise au milieu", "address1", EmployeeForm::kAddress1, "x<BLOC", "x<BLOC"},
            {"tabulation collée", "town", 9, "a\tb", ""},
            {"signe collé dans un nombre", "salary", EmployeeForm::kSalary, "-1500", ""},
        };
        addRows(rows);
    }
    void fieldFeedsTheWrongLineOrIsNotMarked()
    {
        QFETCH(FieldRow, row);
        QSignalSpy spy(m_page, &TPageEmployes::edited);
        if (QByteArray(row.why).contains("collé"))
            line(row.field)->insert(row.typed); // as a paste would
        else
            typing::keys(line(row.field), row.typed);
        QCOMPARE(line(row.field)->text(), row.kept);
        QCOMPARE(m_form.fieldText(row.distance), row.kept);
        QVERIFY(row.kept.isEmpty() || (m_form.edited && spy.count() > 0));
    }

    // A date of the record feeds its field and marks the record; the history's date marks nothing.
    void dateFeedsTheWrongField()
    {
        const QDate d(1970, 3, 14);
        for (const auto &[field, got, marks] : {std::tuple("birthDate", &m_form.birthDate, true),
                                                {"historyDate", &m_form.historyDate, false}}) {
            m_form.edited = false;
            QSignalSpy spy(m_page, &TPageEmployes::edited);
            child<QDateEdit>(field)->setDate(d);
            QCOMPARE(*got, d);
            QVERIFY2(m_form.edited == marks && spy.count() == int(marks), field);
        }
    }

    void noteLosesLinesOrKeepsWhatFilesCannotHold()
    {
        auto *note = child<QPlainTextEdit>("note");
        typing::keys(note, QStringLiteral("Première\nseconde"));
        QVERIFY(m_form.note == QStringList({"Première", "seconde"}) && m_form.edited);
        note->clear();
        note->insertPlainText(QStringLiteral("Ligne \u2192 un\nDeux \U0001F600!"));
        QCOMPARE(note->toPlainText(), QStringLiteral("Ligne  un\nDeux !"));
        QCOMPARE(m_form.note, (QStringList{"Ligne  un", "Deux !"}));
    }

    // Showing a record changes nothing: no signal, the flag stays clear, and the widgets show
    // the form (the cumul without its alignment blanks, the history rows).
    void showingARecordMarksItEdited()
    {
        m_form.job = QStringLiteral("Inconnu de la liste");
        m_form.cumul = QStringLiteral("   1234,50");
        m_form.note = {QStringLiteral("a"), QStringLiteral("b")};
        m_form.history[0] = {QStringLiteral("01/01/2002"), QStringLiteral("Paie N°200201001"), QStringLiteral("    12,00")};
        m_form.edited = false;
        QSignalSpy spy(m_page, &TPageEmployes::edited);
        m_page->refresh();
        m_page->setChoices({}, {QStringLiteral("Autre")}, {});
        QVERIFY(spy.isEmpty() && !m_form.edited);
        QCOMPARE(line("job")->text(), QStringLiteral("Inconnu de la liste"));
        QCOMPARE(line("cumul")->text() + u'|' + m_form.cumul, QStringLiteral("1234,50|   1234,50"));
        QVERIFY(child<QPlainTextEdit>("note")->toPlainText() == "a\nb" && child<QTableWidget>("history")->item(0, 2)->text() == "12,00");
        QVERIFY(line("cumul")->isReadOnly() && line("profileName")->isReadOnly());
    }

    // Leaving the profile completes a code from the list (how "code name" splits is the core's);
    // a code alone stays as typed; picked in the list, it is split at once.
    void profileNotSplitOnLeaving()
    {
        for (const auto &[typed, code, name] : {std::tuple("10009", "10009", ""), {"10002", "10002", "Cadres"}}) {
            m_form.edited = false;
            typeAndLeave(line("profile"), typed);
            QCOMPARE(m_form.profileCode + u'/' + m_form.profileName, QString(code) + u'/' + name);
            QCOMPARE(line("profile")->text() + u'/' + line("profileName")->text(), QString(code) + u'/' + name);
            line("profile")->clear();
        }
        auto *combo = child<QComboBox>("profile");
        combo->setCurrentIndex(0);
        Q_EMIT combo->activated(0);
        QCOMPARE(m_form.profileCode + u'/' + m_form.profileName, QStringLiteral("10001/Standard"));
    }

    // Only a typed account is completed: passing through "42000" read from a record neither
    // changes it nor marks the record edited, so no save is asked for.
    void accountCompletedWhenNotTyped()
    {
        line("account")->clear();
        typeAndLeave(line("account"), QStringLiteral("421"));
        QVERIFY(line("account")->text() == "421000" && m_form.account == "421000" && m_form.edited);
        m_form.account = QStringLiteral("42000");
        m_form.edited = false;
        m_page->refresh();
        typeAndLeave(line("account"), {});
        QVERIFY(line("account")->text() == "42000" && !m_form.edited);
    }

    // Enter in the amount or "OK" adds the entry in the amount format; typing alone never
    // commits, and a refused entry keeps what was typed.
    void historyEntryNotCommitted_data()
    {
        const EntryRow rows[] = {{"OK, deux décimales", false, "Prime été", "12.5", "12,50"}, {"Entrée", true, "Prime été", "7", "7,00"},
                                 {"montant illisible", true, "Prime", "1,2,3", "'1,2,3' n'est pas une valeur numérique correcte"}};
        addRows(rows);
    }
    void historyEntryNotCommitted()
    {
        QFETCH(EntryRow, row);
        const auto &[why, byEnter, label, amount, shown] = row;
        m_page->setAmountFormat(QStringLiteral("0.00"));
        m_form.history[0] = {QStringLiteral("01/01/2002"), QStringLiteral("Ancienne"), QStringLiteral("1,00")};
        m_page->refresh();
        child<QDateEdit>("historyDate")->setDate(QDate(2026, 11, 30));
        typing::keys(line("historyLabel"), label);
        typing::keys(line("historyAmount"), amount);
        QVERIFY(m_form.history[1].isEmpty());
        QSignalSpy messages(m_page, &TPageEmployes::message);
        if (byEnter)
            QTest::keyClick(line("historyAmount"), Qt::Key_Return);
        else
            QTest::mouseClick(child<QPushButton>("historyOk"), Qt::LeftButton);
        const bool refused = shown.startsWith(u'\'');
        const HistoryRow &added = m_form.history[1];
        QCOMPARE(messages.count() ? messages.at(0).at(0).toString() : QString(), refused ? shown : QString());
        QCOMPARE(added.date + u'|' + added.label + u'|' + added.amount.trimmed(),
                 refused ? QStringLiteral("||") : "30/11/2026|" + label + u'|' + shown);
        QCOMPARE(child<QTableWidget>("history")->item(1, 2)->text(), refused ? QString() : shown);
        QCOMPARE(line("historyAmount")->text(), refused ? amount : QString());
    }

    // A date never set shows empty; a date typed is kept, and erased it is empty again.
    void unsetDateShowsToday()
    {
        auto *leaving = child<QDateEdit>("leavingDate");
        QVERIFY(m_form.leavingDate.isNull());
        QCOMPARE(leaving->text().trimmed(), QString());
        typeAndLeave(leaving, "31032026");
        QCOMPARE(m_form.leavingDate, QDate(2026, 3, 31));
        leaving->setFocus();
        leaving->findChild<QLineEdit *>()->selectAll();
        typeAndLeave(leaving, "\b");
        QVERIFY(m_form.leavingDate.isNull());
        QCOMPARE(leaving->text().trimmed(), QString());
    }

    // Tab goes through the page from top to bottom, left to right.
    void tabOrderWrong()
    {
        line("code")->setFocus();
        QStringList seen{"code"};
        // A date takes a Tab per part before giving the focus away.
        for (int guard = 0; guard < 20 && seen.size() < 6; ++guard) {
            typing::press(Qt::Key_Tab);
            QWidget *w = QApplication::focusWidget();
            while (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
                w = w->parentWidget();
            if (seen.last() != w->objectName())
                seen << w->objectName();
        }
        QCOMPARE(seen, (QStringList{"code", "civility", "birthDate", "name", "birthPlace", "address1"}));
    }
};

QTEST_MAIN(TestPageEmployes)
#include "test_pageemployes.moc"
