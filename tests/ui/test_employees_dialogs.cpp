#include "employees/departments.h"
#include "employees/navigation.h"
#include "store/collection.h"
#include "text/encoding.h"
#include "ui/combo.h"
#include "ui/fiche.h"
#include "ui/mainform.h"
#include "ui/departements.h"
#include "ui/listeemployes.h"
#include "ui/recherche.h"
#include "ui/trier.h"
#include "fakedialogs.h"
#include "testsupport.h"
#include "ui/typing.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace {

using typing::showActive;


// Types text where the keyboard focus is, as the user would; "\n" is Enter, "\b" Backspace.
void type(const QString &keys)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    typing::keys(target, keys);
}

void press(Qt::Key key)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, key);
}

template<typename T>
T *child(QWidget &w, const char *name)
{
    return w.findChild<T *>(QLatin1String(name));
}

QString labelOf(QWidget &w)
{
    const QList<QLabel *> labels = w.findChildren<QLabel *>();
    return labels.isEmpty() ? QString() : labels.first()->text();
}

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

// Runs action on the modal dialog that the next exec() opens, once it has the keyboard focus.
// A dialog the action leaves open is closed, so that a failing check cannot hang the test.
void onNextModal(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, action] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || !QApplication::focusWidget())
            return;
        timer->stop();
        timer->deleteLater();
        action(w);
        if (w == QApplication::activeModalWidget() && w->isVisible())
            if (auto *dialog = qobject_cast<QDialog *>(w))
                dialog->reject();
    });
    timer->start();
}

QList<EmployeeListRow> rows(int n)
{
    QList<EmployeeListRow> result;
    for (int i = 0; i < n; ++i) {
        EmployeeListRow r;
        r.number = i;
        r.sequence = i + 1;
        r.name = QStringLiteral("Employé %1").arg(i);
        r.town = QStringLiteral("LYON");
        result << r;
    }
    return result;
}

} // namespace

class TestEmployeesDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchDialogFiltersKeys_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("field");
        QTest::newRow("nom: tout passe") << int(SearchKind::Nom) << "Recherche par nom" << "Début nom"
                                         << "du Pont-Désiré 2." << "du Pont-Désiré 2.";
        QTest::newRow("code: chiffres seuls") << int(SearchKind::Numero) << "Recherche par code employé"
                                              << "Code employé" << "1a0 0.-1x" << "1001";
        QTest::newRow("téléphone: chiffres, espace, point") << int(SearchKind::Telephone)
                                                           << "Recherche par téléphone" << "Téléphone"
                                                           << "04-78 00.1a2" << "0478 00.12";
        QTest::newRow("retour arrière") << int(SearchKind::Numero) << "Recherche par code employé"
                                        << "Code employé" << "123\b4" << "124";
        QTest::newRow("hors Windows-1252 refusé") << int(SearchKind::Nom) << "Recherche par nom"
                                                  << "Début nom" << "AΩB" << "AB";
    }

    void searchDialogFiltersKeys()
    {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QString, label);
        QFETCH(QString, keys);
        QFETCH(QString, field);
        TRecherche dialog{SearchKind(kind)};
        showActive(dialog);
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(labelOf(dialog), label);
        QCOMPARE(QApplication::focusWidget(), dialog.field());
        type(keys);
        QCOMPARE(dialog.field()->text(), field);
        type(QStringLiteral("\n"));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Result(), field);
    }

    void searchDialogCancels()
    {
        TRecherche dialog(SearchKind::Nom);
        showActive(dialog);
        type(QStringLiteral("dupont"));
        press(Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Result(), QString());

        TRecherche other(SearchKind::Telephone);
        showActive(other);
        type(QStringLiteral("01"));
        QTest::mouseClick(child<QPushButton>(other, "annuler"), Qt::LeftButton);
        QCOMPARE(other.Result(), QString());
    }

    void searchAskRunsModally()
    {
        QString text = QStringLiteral("reste");
        onNextModal([](QWidget *) {
            type(QStringLiteral("du"));
            QTest::mouseClick(QApplication::activeModalWidget()->findChild<QPushButton *>(QStringLiteral("ok")),
                              Qt::LeftButton);
        });
        QVERIFY(TRecherche::ask(SearchKind::Nom, text));
        QCOMPARE(text, QStringLiteral("du"));

        onNextModal([](QWidget *) { press(Qt::Key_Escape); });
        QVERIFY(!TRecherche::ask(SearchKind::Numero, text));
        QCOMPARE(text, QString());
    }

    void selectionDialogs_data()
    {
        QTest::addColumn<bool>("postcode");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("after");
        // The prefilled value is selected: typing replaces it.
        QTest::newRow("code postal remplacé") << true << "75001" << "69a0-03" << true << true << "69003";
        QTest::newRow("code postal gardé si annulé") << true << "75001" << "69003" << false << false << "75001";
        QTest::newRow("code postal prérempli confirmé") << true << "75001" << "" << true << true << "75001";
        QTest::newRow("ville accentuée") << false << "PARIS" << "Saint-Étienne 2" << true << true
                                         << "Saint-Étienne 2";
        QTest::newRow("ville gardée si annulée") << false << "PARIS" << "LYON" << false << false << "PARIS";
        QTest::newRow("ville vidée") << false << "PARIS" << "\b" << true << true << "";
    }

    void selectionDialogs()
    {
        QFETCH(bool, postcode);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(bool, confirm);
        QFETCH(bool, accepted);
        QFETCH(QString, after);
        QString value = before;
        QString caption;
        QString label;
        onNextModal([&](QWidget *w) {
            caption = w->windowTitle();
            label = labelOf(*w);
            QCOMPARE(w->findChild<QLineEdit *>(QStringLiteral("field"))->text(), before);
            type(keys);
            if (confirm)
                type(QStringLiteral("\n"));
            else
                press(Qt::Key_Escape);
        });
        const bool result = postcode ? TFcp::ask(value) : TVille::ask(value);
        const QString expected = postcode ? QStringLiteral("Code postal") : QStringLiteral("Ville");
        QCOMPARE(caption, expected);
        QCOMPARE(label, expected);
        QCOMPARE(result, accepted);
        QCOMPARE(value, after);
    }

    void selectionsOfferTheValueChosenBefore()
    {
        QTemporaryDir dir;
        QStringList lines;
        const QStringList names{"ARNAUD", "BERTIN", "CARON"}, postcodes{"69001", "75001", "75001"};
        for (int i = 0; i < 3; ++i) {
            QStringList content(29);
            content[0] = QString::number(10001 + i);
            content[3] = names[i];
            content[7] = postcodes[i];
            lines << Collection::openTag(i) << content << Collection::closeTag(i);
        }
        QVERIFY(text::writeLines(dir.filePath("paie.emp"), lines).ok());
        FakeDialogs dialogs;
        TMainForm form(&dialogs);
        form.start(dir.path());
        showActive(form);
        dialogs.files << dir.filePath("paie.emp");
        form.action(Cmd::Ouvrir)->trigger();
        auto *name = form.ficheWindow()->findChild<QLineEdit *>(QStringLiteral("name"));

        onNextModal([](QWidget *) { type(QStringLiteral("75001\n")); });
        form.action(Cmd::SelCodePostal)->trigger();
        QCOMPARE(name->text(), QStringLiteral("BERTIN"));
        form.action(Cmd::TousEmployes)->trigger();
        QCOMPARE(name->text(), QStringLiteral("ARNAUD"));

        // Asked again: the value chosen before is offered; Annuler keeps it, ticks the item and
        // shows the first record of the selection.
        QString offered;
        onNextModal([&](QWidget *w) {
            offered = w->findChild<QLineEdit *>(QStringLiteral("field"))->text();
            press(Qt::Key_Escape);
        });
        form.action(Cmd::SelCodePostal)->trigger();
        QCOMPARE(offered, QStringLiteral("75001"));
        QVERIFY(form.action(Cmd::SelCodePostal)->isChecked());
        QCOMPARE(name->text(), QStringLiteral("BERTIN"));
    }

    void listWindowShowsRowsByTens_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("gridRows");
        QTest::newRow("un") << 1 << 10;
        QTest::newRow("dix") << 10 << 10;
        QTest::newRow("onze") << 11 << 20;
        QTest::newRow("vingt-trois") << 23 << 30;
    }

    void listWindowShowsRowsByTens()
    {
        QFETCH(int, count);
        QFETCH(int, gridRows);
        TListeEmployes window;
        window.Init(rows(count));
        QCOMPARE(window.windowTitle(), QStringLiteral("Liste des employés"));
        QTableWidget *grid = window.grid();
        QCOMPARE(grid->rowCount(), gridRows);
        QVERIFY(grid->isColumnHidden(0));
        QStringList headers;
        for (int c = 1; c < grid->columnCount(); ++c)
            headers << grid->horizontalHeaderItem(c)->text();
        QCOMPARE(headers, (QStringList{QString(), "Nom", "Adresse", "Adresse", "C.P.", "Ville", "Téléphone", "Email"}));
        QCOMPARE(grid->item(count - 1, 1)->text(), QString::number(count));
        QCOMPARE(grid->item(count - 1, 2)->text(), QStringLiteral("Employé %1").arg(count - 1));
        QCOMPARE(grid->item(count - 1, 6)->text(), QStringLiteral("LYON"));
    }

    void listWindowChooses()
    {
        // Enter on the row of the current record, after moving down one row.
        QList<EmployeeListRow> list = rows(23);
        list[5].number = 17; // the hidden number, not the row, is what is chosen
        TListeEmployes window;
        window.Init(list, 4);
        showActive(window);
        QCOMPARE(window.grid()->currentRow(), 4);
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.Result(), 17);

        // A double-click on a row.
        TListeEmployes clicked;
        clicked.Init(rows(23), 0);
        showActive(clicked);
        QTableWidget *grid = clicked.grid();
        doubleClick(grid->viewport(), grid->visualItemRect(grid->item(2, 2)).center());
        QCOMPARE(clicked.Result(), 2);
        QVERIFY(!clicked.isVisible());
    }

    void listWindowChoosesNothing()
    {
        // A row below the last employee holds nothing: the window stays open.
        TListeEmployes window;
        window.Init(rows(3), 0);
        showActive(window);
        QTableWidget *grid = window.grid();
        const QRect empty = grid->visualRect(grid->model()->index(6, 2));
        doubleClick(grid->viewport(), empty.center());
        QVERIFY(window.isVisible());
        QCOMPARE(window.Result(), -1);
        press(Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.Result(), -1);

        TListeEmployes closed;
        closed.Init(rows(3), 1);
        showActive(closed);
        QTest::mouseClick(child<QPushButton>(closed, "fermer"), Qt::LeftButton);
        QCOMPARE(closed.Result(), -1);
    }

    void pickerReturnsCode()
    {
        Collection employees;
        QStringList lines;
        const QStringList codes{"10001", "10002", "10007"};
        const QStringList names{"DURAND Paul", "Dupont Élise", ""};
        for (int i = 0; i < 3; ++i)
            lines << Collection::openTag(i) << codes[i] << "M" << "" << names[i] << Collection::closeTag(i);
        employees.setLines(lines);
        employees.recount();

        QString caption;
        QStringList items;
        onNextModal([&](QWidget *w) {
            caption = w->windowTitle();
            auto *list = w->findChild<QListWidget *>(QStringLiteral("list"));
            for (int i = 0; i < list->count(); ++i)
                items << list->item(i)->text();
            clickItem(list, 1);
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("ok")), Qt::LeftButton);
        });
        QCOMPARE(TListeEmp::choose(employees), QStringLiteral("10002"));
        QCOMPARE(caption, QStringLiteral("Liste des employés"));
        QCOMPARE(items, (QStringList{"10001 DURAND Paul", "10002 Dupont Élise", "10007 "}));

        onNextModal([](QWidget *w) {
            auto *list = w->findChild<QListWidget *>(QStringLiteral("list"));
            doubleClick(list->viewport(), list->visualItemRect(list->item(2)).center());
        });
        QCOMPARE(TListeEmp::choose(employees), QStringLiteral("10007"));

        onNextModal([](QWidget *w) {
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("annuler")), Qt::LeftButton);
        });
        QCOMPARE(TListeEmp::choose(employees), QString());
    }

    void sortDialog_data()
    {
        QTest::addColumn<QString>("choice"); // radio to click, empty for the preselected one
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("key");
        QTest::newRow("Nom par défaut, Entrée") << "" << false << int(SortKey::Nom);
        QTest::newRow("Code postal") << "codePostal" << false << int(SortKey::CodePostal);
        QTest::newRow("Ville") << "ville" << false << int(SortKey::Ville);
        QTest::newRow("Annuler") << "ville" << true << -1;
    }

    void sortDialog()
    {
        QFETCH(QString, choice);
        QFETCH(bool, cancel);
        QFETCH(int, key);
        TTri dialog;
        showActive(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Trier"));
        QCOMPARE(dialog.findChild<QGroupBox *>()->title(), QStringLiteral("Trier par"));
        QVERIFY(child<QRadioButton>(dialog, "nom")->isChecked());
        QCOMPARE(child<QRadioButton>(dialog, "codePostal")->text(), QStringLiteral("Code postal"));
        if (!choice.isEmpty()) {
            // On the round button itself: a radio button takes clicks on its button and caption
            // only, not on the empty width beyond.
            auto *radio = dialog.findChild<QRadioButton *>(choice);
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
        }
        if (cancel) {
            QPushButton *anuler = child<QPushButton>(dialog, "annuler");
            QCOMPARE(anuler->text(), QStringLiteral("Annuler"));
            QTest::mouseClick(anuler, Qt::LeftButton);
        } else if (choice.isEmpty()) {
            press(Qt::Key_Return);
        } else {
            QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
        }
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Result(), key);
    }

    void listEditorCaptions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        QTest::newRow("banques") << int(ListEditor::Kind::Banques) << "Les Banques" << "Banque";
        QTest::newRow("emplois") << int(ListEditor::Kind::Emplois) << "Les Conventions collectives" << "Emploi";
    }

    void listEditorCaptions()
    {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QString, label);
        TCombo editor{ListEditor::Kind(kind)};
        editor.Init({});
        showActive(editor);
        QCOMPARE(editor.windowTitle(), caption);
        QCOMPARE(labelOf(editor), label);
        QCOMPARE(child<QToolButton>(editor, "valider")->toolTip(), QStringLiteral("Valider"));
        QCOMPARE(QApplication::focusWidget(), editor.input());
    }

    void listEditorEdits()
    {
        TCombo editor(ListEditor::Kind::Banques);
        editor.Init({"BNP", "CIC"});
        showActive(editor);
        auto entries = [&] {
            QStringList l;
            for (int i = 0; i < editor.list()->count(); ++i)
                l << editor.list()->item(i)->text();
            return l;
        };

        // Nothing selected, even after tabbing through the list: Enter appends and empties the
        // field.
        QTest::keyClick(editor.input(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), editor.list());
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), editor.input());
        QCOMPARE(editor.input()->text(), QString());
        type(QStringLiteral("Crédit Agricole\n"));
        QCOMPARE(entries(), (QStringList{"BNP", "CIC", "Crédit Agricole"}));
        QCOMPARE(editor.input()->text(), QString());
        QCOMPARE(editor.model().selected(), -1);

        // A click copies the entry into the field; Enter replaces it.
        clickItem(editor.list(), 1);
        QCOMPARE(editor.input()->text(), QStringLiteral("CIC"));
        editor.input()->setFocus();
        type(QStringLiteral(" Ouest\n"));
        QCOMPARE(entries(), (QStringList{"BNP", "CIC Ouest", "Crédit Agricole"}));
        QCOMPARE(editor.model().selected(), -1);

        // The button does what Enter does.
        editor.input()->setFocus();
        type(QStringLiteral("LCL"));
        QTest::mouseClick(child<QToolButton>(editor, "valider"), Qt::LeftButton);
        QCOMPARE(entries(), (QStringList{"BNP", "CIC Ouest", "Crédit Agricole", "LCL"}));

        // Delete in the list removes the chosen entry; with nothing chosen it removes nothing.
        clickItem(editor.list(), 0);
        editor.list()->setFocus();
        press(Qt::Key_Delete);
        QCOMPARE(entries(), (QStringList{"CIC Ouest", "Crédit Agricole", "LCL"}));
        QCOMPARE(editor.input()->text(), QString());
        press(Qt::Key_Delete);
        QCOMPARE(entries().size(), 3);

        // Moving the highlight with the keyboard chooses too.
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(editor.input()->text(), QStringLiteral("Crédit Agricole"));
        press(Qt::Key_Delete);
        QCOMPARE(entries(), (QStringList{"CIC Ouest", "LCL"}));

        // Closing keeps the edits, whether by "Fermer" or by Escape.
        QTest::mouseClick(child<QPushButton>(editor, "fermer"), Qt::LeftButton);
        QVERIFY(!editor.isVisible());
        QCOMPARE(editor.Result(), (QStringList{"CIC Ouest", "LCL"}));

        onNextModal([](QWidget *) {
            type(QStringLiteral("Cadre\n"));
            press(Qt::Key_Escape);
        });
        QCOMPARE(TCombo::edit(ListEditor::Kind::Emplois, {"Employé"}), (QStringList{"Employé", "Cadre"}));
    }

    void departmentsWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Entrée") << int(Qt::Key_Return);
        QTest::newRow("Échap") << int(Qt::Key_Escape);
    }

    void departmentsWindow()
    {
        QFETCH(int, key);
        TDepart window;
        showActive(window);
        QCOMPARE(window.windowTitle(), QStringLiteral("Départements"));
        QListWidget *list = window.list();
        QCOMPARE(list->count(), 97);
        QCOMPARE(list->item(0)->text(), QStringLiteral("00 Armées"));
        QCOMPARE(list->item(81)->text(), QStringLiteral("81 Tarn"));
        QCOMPARE(list->item(96)->text(), QStringLiteral("97 Dom"));
        QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        const QPoint centre = window.screen()->availableGeometry().center();
        QVERIFY2((window.frameGeometry().center() - centre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("centre %1,%2").arg(window.frameGeometry().center().x()).arg(window.frameGeometry().center().y())));
        press(Qt::Key(key));
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestEmployeesDialogs)
#include "test_employees_dialogs.moc"
