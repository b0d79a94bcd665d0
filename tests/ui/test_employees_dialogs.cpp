// The employees' dialogs typed into: every key filter, the texts the user reads, Enter,
// Escape, clicks and double-clicks, what each returns.
#include "fakedialogs.h"
#include "storesupport.h"
#include "text/encoding.h"
#include "ui/fiche.h"
#include "ui/mainform.h"
#include "ui/combo.h"
#include "ui/listeemployes.h"
#include "ui/recherche.h"
#include "ui/trier.h"
#include "ui/typing.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

using namespace typing;

namespace {

// A double-click as the user makes it: a click, then the second press that the system reports
// as a double-click.
void doubleClick(QWidget *viewport, const QPoint &pos)
{
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, pos);
}

void clickItem(QListWidget *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

QList<EmployeeListRow> rows(int n)
{
    QList<EmployeeListRow> result;
    for (int i = 0; i < n; ++i) {
        EmployeeListRow row;
        row.number = i;
        row.sequence = i + 1;
        row.name = QStringLiteral("Employé %1").arg(i);
        row.town = QStringLiteral("LYON");
        result << row;
    }
    return result;
}

} // namespace

class TestEmployeesDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The characters just outside "0"-"9" ("/" and ":") show a bound off by one.
    void inputDialogLetsAWrongKeyThrough_data()
    {
        QTest::addColumn<int>("kind");   // a SearchKind, or -1 "Code postal", -2 "Ville"
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("field");
        QTest::newRow("nom: tout passe") << int(SearchKind::Nom) << "du Pont-Désiré 2.:/" << "du Pont-Désiré 2.:/";
        QTest::newRow("code: chiffres seuls") << int(SearchKind::Numero) << "/0a 9.:-1\b5" << "095";
        QTest::newRow("téléphone: chiffres, espace, point") << int(SearchKind::Telephone) << "/04-7 9.:a" << "047 9.";
        QTest::newRow("code postal: chiffres seuls") << -1 << "/6a 9:-\b1" << "61";
        // Windows-1252 holds "€" and "œ" (0x80, 0x9C), not "Ω".
        QTest::newRow("ville: Windows-1252 seul") << -2 << "Saint-ÉΩ€œ" << "Saint-É€œ";
    }
    void inputDialogLetsAWrongKeyThrough()
    {
        QFETCH(int, kind);
        QFETCH(QString, keys);
        QFETCH(QString, field);
        std::unique_ptr<TSaisie> dialog(kind == -1   ? static_cast<TSaisie *>(new TFcp)
                                        : kind == -2 ? static_cast<TSaisie *>(new TVille)
                                                     : new TRecherche(SearchKind(kind)));
        showActive(*dialog);
        type(keys);
        QCOMPARE(child<QLineEdit>(dialog.get(), "field")->text(), field);
        type(QStringLiteral("\n"));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->Result(), field);
    }

    // "Code postal" asked again offers the value chosen before, selected: typing replaces it;
    // Escape keeps it, ticks the item and shows the first record of the selection.
    void selectionForgetsTheValueChosen()
    {
        QTemporaryDir dir;
        QStringList lines;
        for (const auto &[i, name, postcode] : {std::tuple(0, "ARNAUD", "69001"), {1, "BERTIN", "75001"}, {2, "CARON", "75001"}})
            lines << blk(i, QStringList{QString::number(10001 + i), "M", "", name, "", "", "", postcode});
        QVERIFY(text::writeLines(dir.filePath("paie.emp"), lines).ok());
        FakeDialogs dialogs;
        TMainForm form(&dialogs);
        form.start(dir.path());
        showActive(form);
        dialogs.files << dir.filePath("paie.emp");
        form.action(Cmd::Ouvrir)->trigger();
        auto *name = child<QLineEdit>(form.ficheWindow(), "name");
        QStringList offered, shown;
        for (const char *keys : {"75001\n", "\x1b", "69001\n"}) {
            onNextModal([&](QWidget *w) {
                offered << child<QLineEdit>(w, "field")->text();
                type(QString::fromUtf8(keys));
            });
            form.action(Cmd::SelCodePostal)->trigger();
            shown << name->text() + (form.action(Cmd::SelCodePostal)->isChecked() ? "+" : "");
            form.action(Cmd::TousEmployes)->trigger();
        }
        QCOMPARE(offered, (QStringList{"", "75001", "75001"}));
        QCOMPARE(shown, (QStringList{"BERTIN+", "BERTIN+", "ARNAUD+"}));
    }

    // The grid holds its rows by tens (1, 10, 11 employees); the hidden number, not the row,
    // is what is chosen.
    void listWindowChoosesTheWrongRow()
    {
        for (const auto &[count, gridRows] : {std::pair(1, 10), {10, 10}, {11, 20}}) {
            TListeEmployes window;
            window.Init(rows(count));
            QVERIFY(window.grid()->rowCount() == gridRows && window.grid()->isColumnHidden(0));
            const QStringList shown{window.grid()->item(count - 1, 1)->text(), window.grid()->item(count - 1, 2)->text(),
                                    window.grid()->item(count - 1, 6)->text()};
            QCOMPARE(shown, (QStringList{QString::number(count), QStringLiteral("Employé %1").arg(count - 1), "LYON"}));
        }
        // Enter on the row of the current record, after moving down one row.
        QList<EmployeeListRow> list = rows(23);
        list[5].number = 17;
        TListeEmployes window;
        window.Init(list, 4);
        showActive(window);
        QCOMPARE(window.grid()->currentRow(), 4);
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QVERIFY(!window.isVisible() && window.Result() == 17);
        // A double-click on a row chooses it; on a row below the last employee, nothing.
        TListeEmployes clicked;
        clicked.Init(rows(3), 0);
        showActive(clicked);
        QTableWidget *grid = clicked.grid();
        doubleClick(grid->viewport(), grid->visualRect(grid->model()->index(6, 2)).center());
        QVERIFY(clicked.isVisible() && clicked.Result() == -1);
        doubleClick(grid->viewport(), grid->visualItemRect(grid->item(2, 2)).center());
        QVERIFY(!clicked.isVisible() && clicked.Result() == 2);
        // Escape chooses nothing.
        TListeEmployes closed;
        closed.Init(rows(3), 1);
        showActive(closed);
        press(Qt::Key_Escape);
        QVERIFY(!closed.isVisible() && closed.Result() == -1);
    }

    // Nom is chosen at the start (Enter); a click on another key (on its round button: a radio
    // button takes no click beyond its caption) and OK choose it; Annuler chooses none.
    void sortDialogReturnsTheWrongKey()
    {
        for (const auto &[choice, button, key] : {std::tuple("", "ok", int(SortKey::Nom)),
                                                  {"codePostal", "ok", int(SortKey::CodePostal)},
                                                  {"ville", "annuler", -1}}) {
            TTri dialog;
            showActive(dialog);
            if (!*choice) {
                press(Qt::Key_Return);
            } else {
                auto *radio = child<QRadioButton>(&dialog, choice);
                QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
                QTest::mouseClick(child<QPushButton>(&dialog, button), Qt::LeftButton);
            }
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.Result(), key);
        }
    }

    void listEditorLosesOrMisplacesEntries()
    {
        TCombo editor(ListEditor::Kind::Banques);
        editor.Init({"BNP", "CIC"});
        showActive(editor);
        auto entries = [&] {
            QStringList l;
            for (int i = 0; i < editor.list()->count(); ++i)
                l << editor.list()->item(i)->text();
            return l.join(u'|');
        };
        // Nothing selected, even after tabbing through the list: Enter appends and empties the
        // field; a character the side file cannot hold is refused, and so is a section line of
        // that file (the entries after it would change lists at the next start).
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), editor.list());
        press(Qt::Key_Tab);
        type(QStringLiteral("Crédit Ω€\n[EMPLOI]\n"));
        QCOMPARE(entries() + editor.input()->text(), QStringLiteral("BNP|CIC|Crédit €|[EMPLOI"));
        // A click copies the entry into the field; Enter replaces it; the button does as Enter.
        clickItem(editor.list(), 1);
        editor.input()->setFocus();
        type(QStringLiteral(" Ouest\nLCL"));
        QTest::mouseClick(child<QToolButton>(&editor, "valider"), Qt::LeftButton);
        QCOMPARE(entries(), QStringLiteral("BNP|CIC Ouest|Crédit €|[EMPLOI|LCL"));
        // Delete in the list removes the chosen entry, then nothing; moving the highlight with
        // the keyboard chooses too.
        clickItem(editor.list(), 0);
        editor.list()->setFocus();
        press(Qt::Key_Delete);
        press(Qt::Key_Delete);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(editor.input()->text(), QStringLiteral("Crédit €"));
        press(Qt::Key_Delete);
        // Closing keeps the edits, whether by "Fermer" or by Escape.
        QTest::mouseClick(child<QPushButton>(&editor, "fermer"), Qt::LeftButton);
        QCOMPARE(editor.Result(), (QStringList{"CIC Ouest", "[EMPLOI", "LCL"}));
        onNextModal([&](QWidget *) { type(QStringLiteral("Cadre\n\x1b")); });
        QCOMPARE(TCombo::edit(ListEditor::Kind::Emplois, {"Employé"}), (QStringList{"Employé", "Cadre"}));
    }
};

QTEST_MAIN(TestEmployeesDialogs)
#include "test_employees_dialogs.moc"
