#include "fakedialogs.h"
#include "ui/typing.h"
#include "ui/fiche.h"
#include "ui/mainform.h"
#include "ui/pageemployes.h"

#include <QLineEdit>

// A person's first day with the program: a dossier created, three employees typed, sorted,
// found, copied, one deleted, saved, and everything found again after a restart.
class TestEmployeesFlow : public QObject
{
    Q_OBJECT

    QLineEdit *field(TMainForm &form, const char *name)
    {
        return typing::child<QLineEdit>(form.ficheWindow()->employeePage(), name);
    }
    void typeEmployee(TMainForm &form, const QString &name, const QString &town)
    {
        for (const auto &[widget, text] : {std::pair("name", name), {"town", town}}) {
            field(form, widget)->setFocus();
            typing::type(text);
        }
    }

private Q_SLOTS:
    void firstDayNotFoundAgainAfterRestart();
};

void TestEmployeesFlow::firstDayNotFoundAgainAfterRestart()
{
    QTemporaryDir dir;
    // Saved in a folder whose name holds a space and dots, found again at start-up.
    const QString path = dir.filePath("Mes paies.2002/paie.emp");
    QVERIFY(QDir(dir.path()).mkdir("Mes paies.2002"));
    {
        FakeDialogs dialogs;
        TMainForm form(&dialogs);
        form.start(dir.path());
        typing::showActive(form);

        form.run(Cmd::Nouveau);
        typeEmployee(form, QStringLiteral("ZOLA Émile"), QStringLiteral("PARIS"));
        QVERIFY(form.fiche().TestModif());
        QCOMPARE(field(form, "code")->text(), QStringLiteral("10001"));
        form.run(Cmd::NouvelleFiche);
        QCOMPARE(field(form, "code")->text() + field(form, "name")->text(), QStringLiteral("10002"));
        typeEmployee(form, QStringLiteral("BALZAC Honoré"), QStringLiteral("TOURS"));
        form.run(Cmd::NouvelleFiche);
        typeEmployee(form, QStringLiteral("HUGO Victor"), QStringLiteral("BESANÇON"));
        QCOMPARE(form.fiche().dossier().employees().count(), 3);

        // Moving with the keys writes the typed record back.
        QTest::keyClick(field(form, "name"), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(field(form, "name")->text(), QStringLiteral("ZOLA Émile"));
        QTest::keyClick(field(form, "name"), Qt::Key_PageDown);
        QCOMPARE(field(form, "name")->text(), QStringLiteral("BALZAC Honoré"));

        form.fiche().employees().sort(SortKey::Nom);
        form.run(Cmd::Premier);
        QCOMPARE(field(form, "name")->text(), QStringLiteral("BALZAC Honoré"));

        form.fiche().employees().search(SearchKind::Nom, QStringLiteral("hugo"));
        QCOMPARE(field(form, "name")->text(), QStringLiteral("HUGO Victor"));

        // Copied into a fourth record, with a code of its own.
        form.run(Cmd::Copier);
        form.run(Cmd::NouvelleFiche);
        form.run(Cmd::Coller);
        QCOMPARE(field(form, "code")->text() + field(form, "name")->text() + field(form, "town")->text(),
                 QStringLiteral("10004HUGO VictorBESANÇON"));
        QCOMPARE(form.fiche().dossier().employees().count(), 4);

        // ZOLA goes.
        form.fiche().employees().search(SearchKind::Nom, QStringLiteral("ZOLA"));
        dialogs.answers << Dialogs::Answer::Ok;
        form.run(Cmd::SupprimerFiche);
        QCOMPARE(form.fiche().dossier().employees().count(), 3);

        form.run(Cmd::OuvrirAuto);
        dialogs.files << path;
        form.run(Cmd::EnregistrerSous);
        QVERIFY(!form.fiche().TestModif());
        QVERIFY(form.close());
    }
    // The next start opens the dossier again, as it was left.
    FakeDialogs dialogs;
    TMainForm form(&dialogs);
    form.start(dir.path());
    QVERIFY(form.frame().currentFileName() == path && form.fiche().dossier().employees().count() == 3);
    QStringList names;
    form.run(Cmd::Premier);
    for (int i = 0; i < 3; ++i) {
        names << field(form, "name")->text();
        form.run(Cmd::Suivant);
    }
    QCOMPARE(names, (QStringList{"BALZAC Honoré", "HUGO Victor", "HUGO Victor"}));
    QVERIFY(dialogs.log.isEmpty());
}

QTEST_MAIN(TestEmployeesFlow)
#include "test_employees_flow.moc"
