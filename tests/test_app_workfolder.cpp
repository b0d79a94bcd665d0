// Where the program works when the desktop menu starts it: ~/Korvel, made on the first start
// and kept afterwards, never a file in its way.
#include "app/workfolder.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Row {
    const char *why;
    bool fileInTheWay;
};

} // namespace

Q_DECLARE_METATYPE(Row)

class TestWorkFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QDir::setCurrent(m_started); }

    // The first start, which makes the folder, is the installed program's test (tests/install).
    void userFolderEnteredOrRefusedWithoutLoss_data()
    {
        const Row rows[] = {
            {"later start loses no side file", false},
            {"a file of that name is neither replaced nor entered", true},
        };
        addRows(rows);
    }
    void userFolderEnteredOrRefusedWithoutLoss()
    {
        QFETCH(Row, row);
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("Korvel"));
        if (row.fileInTheWay) {
            writeBytes(folder, "note\r\n");
        } else {
            QVERIFY(QDir().mkdir(folder));
            writeBytes(folder + QStringLiteral("/Korvel.ini"), "réglages\r\n");
        }

        const Status status = app::enterUserFolder(home.path());

        QCOMPARE(status.ok(), !row.fileInTheWay);
        if (row.fileInTheWay) {
            QCOMPARE(status.message(), QStringLiteral("Impossible de créer le dossier de travail %1.").arg(folder));
            QCOMPARE(QDir::currentPath(), m_started);
            QCOMPARE(fileBytes(folder), QByteArray("note\r\n"));
        } else {
            QCOMPARE(QDir::current().canonicalPath(), QDir(folder).canonicalPath());
            QCOMPARE(fileBytes(folder + QStringLiteral("/Korvel.ini")), QByteArray("réglages\r\n"));
        }
    }

private:
    const QString m_started = QDir::currentPath();
};

QTEST_GUILESS_MAIN(TestWorkFolder)
#include "test_app_workfolder.moc"
