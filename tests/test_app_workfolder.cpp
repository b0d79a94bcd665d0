// Where the program works when the desktop menu starts it: ~/Korvel, made on the first start
// and kept afterwards, never a file in its way.
#include "app/workfolder.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

enum class Before { Nothing, FolderWithSettings, FileInTheWay };

struct Row {
    const char *why;
    Before before;
    bool entered;
};

} // namespace

Q_DECLARE_METATYPE(Row)

class TestWorkFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QDir::setCurrent(m_started); }

    void userFolderEnteredOrRefusedWithoutLoss_data()
    {
        const Row rows[] = {
            {"first start makes the folder", Before::Nothing, true},
            {"later start loses no side file", Before::FolderWithSettings, true},
            {"a file of that name is neither replaced nor entered", Before::FileInTheWay, false},
        };
        addRows(rows);
    }
    void userFolderEnteredOrRefusedWithoutLoss()
    {
        QFETCH(Row, row);
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("Korvel"));
        if (row.before == Before::FolderWithSettings) {
            QVERIFY(QDir().mkdir(folder));
            writeBytes(folder + QStringLiteral("/Korvel.ini"), "réglages\r\n");
        } else if (row.before == Before::FileInTheWay) {
            writeBytes(folder, "note\r\n");
        }

        const Status status = app::enterUserFolder(home.path());

        QCOMPARE(status.ok(), row.entered);
        if (row.entered) {
            QCOMPARE(QDir::current().canonicalPath(), QDir(folder).canonicalPath());
        } else {
            QCOMPARE(status.message(), QStringLiteral("Impossible de créer le dossier de travail %1.").arg(folder));
            QCOMPARE(QDir::currentPath(), m_started);
            QCOMPARE(fileBytes(folder), QByteArray("note\r\n"));
        }
        if (row.before == Before::FolderWithSettings)
            QCOMPARE(fileBytes(folder + QStringLiteral("/Korvel.ini")), QByteArray("réglages\r\n"));
    }

private:
    const QString m_started = QDir::currentPath();
};

QTEST_GUILESS_MAIN(TestWorkFolder)
#include "test_app_workfolder.moc"
