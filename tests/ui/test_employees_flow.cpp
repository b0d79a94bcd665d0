#include "fakedialogs.h"
#include "ui/typing.h"
#include "ui/fiche.h"
#include "ui/mainform.h"
#include "ui/pageemployes.h"

#include <QLineEdit>

// A person's first day with the program: a dossier created, employees typed, one copied into
// a record of its own, saved, and everything found again after a restart. Moves, sorts, searches
// and deletions are the core's and the frame's tests.
class TestEmployeesFlow : public QObject
{
    Q_OBJECT

    QLineEdit *field(TMainForm &form, const char *name)
    {
        return typing::child<QLineEdit>(form.ficheWindow()->employeePage(), name);
    }
    void typeEmployee(TMainForm &form, const QString &name, const QString &town)
    {
        typing::typeInto(field(form, "name"), name);
        typing::typeInto(field(form, "town"), town);
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
        typeEmployee(form, QStringLiteral("HUGO Victor"), QStringLiteral("BESANÇON"));

        // Copied into a third record, with a code of its own.
        form.run(Cmd::Copier);
        form.run(Cmd::NouvelleFiche);
        form.run(Cmd::Coller);
        QCOMPARE(field(form, "code")->text() + field(form, "name")->text() + field(form, "town")->text(),
                 QStringLiteral("10003HUGO VictorBESANÇON"));

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
    QCOMPARE(names, (QStringList{"ZOLA Émile", "HUGO Victor", "HUGO Victor"}));
    QVERIFY(dialogs.log.isEmpty());
}

QTEST_MAIN(TestEmployeesFlow)
#include "test_employees_flow.moc"
