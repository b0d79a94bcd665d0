#include "accessories/messages.h"
#include "accessories/notepad.h"
#include "testsupport.h"

#include <QFile>

namespace {


} // namespace

class TestMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineFormat_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("line");
        QTest::newRow("A1 urgent") << QStringList{"A1", "", "", "", "", "", ""} << "FFFFT"
                                   << "A1\t\t\t\t\t\t\tFFFFT";
        QTest::newRow("empty") << QStringList{"", "", "", "", "", "", ""} << "FFFFF" << "\t\t\t\t\t\t\tFFFFF";
        QTest::newRow("full") << QStringList{"M. Durand", "Mme Petit", "Société Générale", "01 23 45 67 89",
                                             "12/03/2024", "09:15:00", "Rappeler pour le devis"}
                              << "TFTFT"
                              << "M. Durand\tMme Petit\tSociété Générale\t01 23 45 67 89\t12/03/2024\t"
                                 "09:15:00\tRappeler pour le devis\tTFTFT";
        QTest::newRow("inner spaces kept") << QStringList{"A  B", "C", "", "", "", "", "x y"} << "TTTTT"
                                           << "A  B\tC\t\t\t\t\tx y\tTTTTT";
    }

    void lineFormat()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, boxes);
        QFETCH(QString, line);
        Message m;
        for (int i = 0; i < Message::FieldCount; ++i)
            m.fields[i] = fields[i];
        for (int i = 0; i < Message::BoxCount; ++i)
            m.boxes[i] = boxes[i] == u'T';
        QCOMPARE(m.toLine(), line);
        QVERIFY(Message::fromLine(line) == m);
    }

    void readingOddLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("boxes");
        QTest::newRow("new message") << " " << QStringList{"", "", "", "", "", "", ""} << "FFFFF";
        QTest::newRow("empty line") << "" << QStringList{"", "", "", "", "", "", ""} << "FFFFF";
        QTest::newRow("cut short") << "A\tB" << QStringList{"A", "", "", "", "", "", ""} << "FFFFF";
        QTest::newRow("spaces after a tab dropped")
            << "A\t  B\t C\t\t\t\t\t  TTFFT  " << QStringList{"A", "B", "C", "", "", "", ""} << "TTFFT";
        QTest::newRow("boxes too short") << "A\t\t\t\t\t\t\tTT" << QStringList{"A", "", "", "", "", "", ""} << "FFFFF";
        QTest::newRow("more than five flags")
            << "A\t\t\t\t\t\t\tTFTFTT" << QStringList{"A", "", "", "", "", "", ""} << "TFTFT";
    }

    void readingOddLines()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QFETCH(QString, boxes);
        const Message m = Message::fromLine(line);
        for (int i = 0; i < Message::FieldCount; ++i)
            QCOMPARE(m.fields[i], fields[i]);
        for (int i = 0; i < Message::BoxCount; ++i)
            QCOMPARE(m.boxes[i], boxes[i] == u'T');
    }

    void messagesFile_data()
    {
        QTest::addColumn<QString>("dossier");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "paie.emp" << "paie.oms";
        QTest::newRow("with folder") << "/home/paie/dossiers/paie.emp" << "/home/paie/dossiers/paie.oms";
        QTest::newRow("dot in a folder") << "/home/paie/v1.2/paie.emp" << "/home/paie/v1.2/paie.oms";
        QTest::newRow("relative to here") << "./paie.emp" << "./paie.oms";
        QTest::newRow("no extension") << "/tmp/paie" << "/tmp/paie.oms";
        QTest::newRow("two dots") << "/tmp/paie.2024.emp" << "/tmp/paie.oms";
    }

    void messagesFile()
    {
        QFETCH(QString, dossier);
        QFETCH(QString, expected);
        QCOMPARE(MessagePad::messagesFile(dossier), expected);
    }

    void unnamedDossierUsesCurrentFolder()
    {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const QString file = MessagePad::messagesFile(QString());
        QDir::setCurrent(previous);
        // Resolved once, so that a later change of folder does not split load and save.
        QCOMPARE(file, QDir(dir.path()).absoluteFilePath(QStringLiteral(".oms")));
    }

    void navigation()
    {
        MessagePad pad;
        QCOMPARE(pad.count(), 1);
        QCOMPARE(pad.index(), 0);
        QCOMPARE(pad.lines().first(), QStringLiteral(" "));
        pad.previous();
        QCOMPARE(pad.index(), 0);
        pad.next();
        QCOMPARE(pad.index(), 0);

        Message m;
        m.fields[Message::Pour] = QStringLiteral("A1");
        m.boxes[Message::Urgent] = true;
        pad.store(m);
        pad.add();
        QCOMPARE(pad.count(), 2);
        QCOMPARE(pad.index(), 1);
        m.fields[Message::Pour] = QStringLiteral("B2");
        pad.store(m);
        pad.add();
        pad.next();
        QCOMPARE(pad.index(), 2);
        pad.previous();
        pad.previous();
        pad.previous();
        QCOMPARE(pad.index(), 0);
        QCOMPARE(pad.current().fields[Message::Pour], QStringLiteral("A1"));
        QCOMPARE(pad.lines().first(), QStringLiteral("A1\t\t\t\t\t\t\tFFFFT"));

        // Deleting the last message moves to the one before it.
        pad.next();
        pad.next();
        pad.remove();
        QCOMPARE(pad.count(), 2);
        QCOMPARE(pad.index(), 1);
        QCOMPARE(pad.current().fields[Message::Pour], QStringLiteral("B2"));
        // Deleting a message in the middle keeps the index on the one that follows.
        pad.previous();
        pad.remove();
        QCOMPARE(pad.index(), 0);
        QCOMPARE(pad.current().fields[Message::Pour], QStringLiteral("B2"));
        // Deleting the only message leaves one empty message.
        pad.remove();
        QCOMPARE(pad.count(), 1);
        QCOMPARE(pad.index(), 0);
        QCOMPARE(pad.current().fields[Message::Pour], QString());
        pad.store(Message());
        QCOMPARE(pad.count(), 1);
    }

    void loadAndSave()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("paie.oms"));

        MessagePad missing;
        QVERIFY(missing.load(file).isMissing());
        QCOMPARE(missing.count(), 1);
        QCOMPARE(missing.index(), 0);

        writeBytes(file, "A1\t\t\t\t\t\t\tFFFFT\r\nSoci\xe9t\xe9\t\t\t\t\t\t\tTFFFF\nC3\t\t\t\t\t\t\tFFFFF");
        MessagePad pad;
        QVERIFY(pad.load(file).ok());
        QCOMPARE(pad.count(), 3);
        QCOMPARE(pad.index(), 2); // the last message is current
        pad.previous();
        QCOMPARE(pad.current().fields[Message::Pour], QStringLiteral("Société"));
        QVERIFY(!pad.modified());
        QVERIFY(pad.save(file).ok());
        QCOMPARE(fileBytes(file), QByteArray("A1\t\t\t\t\t\t\tFFFFT\r\nSoci\xe9t\xe9\t\t\t\t\t\t\tTFFFF\r\n"
                                             "C3\t\t\t\t\t\t\tFFFFF\r\n"));

        writeBytes(file, "");
        MessagePad empty;
        QVERIFY(empty.load(file).ok());
        QCOMPARE(empty.count(), 1);
        QCOMPARE(empty.index(), 0);
    }

    void unreadableFile()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("paie.oms"));
        QVERIFY(QDir().mkdir(folder));
        MessagePad pad;
        QCOMPARE(pad.load(folder).status(), text::FileResult::Status::Failed);
        QCOMPARE(pad.count(), 1);
        QVERIFY(!pad.save(folder).ok());
    }

    void notepadFile_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("plain") << "";
        QTest::newRow("ending with a separator") << "/";
    }

    void notepadFile()
    {
        QFETCH(QString, suffix);
        QTemporaryDir dir;
        const Notepad notepad(dir.path() + suffix);
        QCOMPARE(notepad.path(), dir.filePath(QStringLiteral("Korvel.nte")));
        QString text = QStringLiteral("stale");
        QVERIFY(notepad.load(text).isMissing());
        QCOMPARE(text, QString());

        QVERIFY(notepad.save(QStringLiteral("Appeler l'URSSAF\n\nRéunion à 10 h, 50 €")).ok());
        QCOMPARE(fileBytes(notepad.path()),
                 QByteArray("Appeler l'URSSAF\r\n\r\nR\xe9union \xe0 10 h, 50 \x80\r\n"));
        QVERIFY(notepad.load(text).ok());
        QCOMPARE(text, QStringLiteral("Appeler l'URSSAF\n\nRéunion à 10 h, 50 €"));

        // Trailing empty lines are lines too: saved again and again, the file stays the same.
        writeBytes(notepad.path(), "a\r\n\r\n\r\n");
        for (int save = 0; save < 2; ++save) {
            QVERIFY(notepad.load(text).ok());
            QVERIFY(notepad.save(text).ok());
            QCOMPARE(fileBytes(notepad.path()), QByteArray("a\r\n\r\n\r\n"));
        }

        QVERIFY(notepad.save(QString()).ok());
        QCOMPARE(fileBytes(notepad.path()), QByteArray());
    }

    void filesFoundWhateverTheirCase()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(QStringLiteral("KORVEL.NTE")), "note\r\n");
        const Notepad notepad(dir.path());
        QString text;
        QVERIFY(notepad.load(text).ok());
        QCOMPARE(text, QStringLiteral("note"));
        // The messages of "PAIE.Emp" are in "PAIE.OMS": read and written there, no second file.
        writeBytes(dir.filePath(QStringLiteral("PAIE.OMS")), "A1\t\t\t\t\t\t\tFFFFT\r\n");
        QCOMPARE(MessagePad::messagesFile(dir.filePath(QStringLiteral("PAIE.Emp"))), dir.filePath(QStringLiteral("PAIE.OMS")));
    }
};

QTEST_GUILESS_MAIN(TestMessages)
#include "test_accessories_messages.moc"
