// Letters written by the editor, checked against LibreOffice, the word processor our users
// open them with: what LibreOffice shows and what it writes back must keep text and styles.
#include "accessories/rtfreader.h"
#include "accessories/rtfwriter.h"
#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using richdoc::Alignment;

namespace {

richdoc::Document letter()
{
    richdoc::Document d = richdoc::fromLines({
        "SARL Dupré & Fils",
        "Objet : solde de 1 250,00 € « net »",
        "Madame,\tveuillez trouver ci-joint le relevé.",
        "Premier point",
        "Second point",
        "Paris, le 3 février",
        "Œuvre en retrait",
    });
    auto &p = d.paragraphs;
    p[0].runs[0].bold = true;
    p[1].alignment = Alignment::Center;
    p[1].runs[0].underline = true;
    p[1].runs[0].size = 14;
    p[2].runs.append(p[2].runs[0]);
    p[2].runs[0].text = "Madame,\t";
    p[2].runs[1].text = "veuillez trouver ci-joint le relevé.";
    p[2].runs[1].italic = true;
    p[2].runs[1].font = "Arial";
    // A paragraph bulleted in the editor, and one with the hanging indent other programs write.
    p[3].bullet = p[4].bullet = true;
    p[3].leftIndent = richdoc::kBulletIndent;
    p[3].firstIndent = -richdoc::kBulletIndent;
    p[4].leftIndent = 720;
    p[4].firstIndent = -360;
    p[5].alignment = Alignment::Right;
    p[5].runs[0].bold = p[5].runs[0].italic = p[5].runs[0].underline = true;
    p[6].leftIndent = 1134;
    p[6].firstIndent = 567;
    p[6].rightIndent = 283;
    return d;
}

} // namespace

class TestRtfLibreOffice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void roundTripThroughLibreOffice();

private:
    // Converts file into dir with the given filter; a private profile lets tests run side by side.
    bool convert(const QString &file, const QString &filter, const QString &dir);

    QString m_soffice;
    QTemporaryDir m_tmp;
};

void TestRtfLibreOffice::initTestCase()
{
    m_soffice = QStandardPaths::findExecutable("soffice");
    QVERIFY2(!m_soffice.isEmpty(), "LibreOffice (soffice) is missing: run scripts/deps --test");
    QVERIFY(m_tmp.isValid());
}

bool TestRtfLibreOffice::convert(const QString &file, const QString &filter, const QString &dir)
{
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start(m_soffice, {"-env:UserInstallation=file://" + m_tmp.filePath("profile"), "--headless",
                              "--convert-to", filter, "--outdir", dir, file});
    if (!soffice.waitForFinished(60000)) {
        soffice.kill();
        soffice.waitForFinished();
        return false;
    }
    return soffice.exitStatus() == QProcess::NormalExit && soffice.exitCode() == 0;
}

void TestRtfLibreOffice::roundTripThroughLibreOffice()
{
    const richdoc::Document doc = letter();
    const QString source = m_tmp.filePath("lettre.rtf");
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(rtf::writeDocument(doc));
    }

    // The text LibreOffice shows.
    const QString txtDir = m_tmp.filePath("txt");
    QVERIFY(convert(source, "txt:Text (encoded):UTF8", txtDir));
    QFile txt(txtDir + "/lettre.txt");
    QVERIFY(txt.open(QIODevice::ReadOnly));
    QString shown = QString::fromUtf8(txt.readAll());
    shown.remove(QChar(0xFEFF));
    QStringList lines = shown.split(QRegularExpression("\r?\n"));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (int i : {3, 4}) {
        // Bullets come out as text in front of the line.
        QVERIFY2(lines.value(i).trimmed().startsWith(QChar(0x2022)), qPrintable(lines.value(i)));
        lines[i] = lines[i].trimmed().mid(1).trimmed();
    }
    QCOMPARE(lines.join('\n'), doc.plainText());

    // What LibreOffice writes back reads as the same letter.
    const QString rtfDir = m_tmp.filePath("rtf");
    QVERIFY(convert(source, "rtf", rtfDir));
    QFile back(rtfDir + "/lettre.rtf");
    QVERIFY(back.open(QIODevice::ReadOnly));
    richdoc::Document reread;
    QString error;
    QVERIFY2(rtf::readDocument(back.readAll(), reread, &error), qPrintable(error));
    QCOMPARE(reread.plainText(), doc.plainText());
    QCOMPARE(reread.paragraphs.size(), doc.paragraphs.size());
    for (int i = 0; i < doc.paragraphs.size(); ++i) {
        const auto &want = doc.paragraphs[i];
        const auto &got = reread.paragraphs[i];
        QCOMPARE(got.alignment, want.alignment);
        QCOMPARE(got.bullet, want.bullet);
        QCOMPARE(got.leftIndent, want.leftIndent);
        QCOMPARE(got.firstIndent, want.firstIndent);
        QCOMPARE(got.rightIndent, want.rightIndent);
        QCOMPARE(got.runs.size(), want.runs.size());
        for (int r = 0; r < want.runs.size(); ++r) {
            QCOMPARE(got.runs[r].text, want.runs[r].text);
            QCOMPARE(got.runs[r].font, want.runs[r].font);
            QCOMPARE(got.runs[r].size, want.runs[r].size);
            QCOMPARE(got.runs[r].bold, want.runs[r].bold);
            QCOMPARE(got.runs[r].italic, want.runs[r].italic);
            QCOMPARE(got.runs[r].underline, want.runs[r].underline);
        }
    }
}

QTEST_GUILESS_MAIN(TestRtfLibreOffice)
#include "test_accessories_rtf_libreoffice.moc"
