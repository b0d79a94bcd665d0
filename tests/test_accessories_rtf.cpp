// The letter editor: its RTF reader and writer, checked against LibreOffice too, and its rules
// (questions, new document, open and save).
#include "accessories/rtfreader.h"
#include "accessories/rtfwriter.h"
#include "accessories/texteditor.h"
#include "fakedialogs.h"
#include "text/encoding.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

using richdoc::Alignment;
using richdoc::Document;
using richdoc::Paragraph;
using richdoc::Run;

namespace {

Run run(const QString &text, const QString &style = {}, double size = 10, const QString &font = "Times New Roman")
{
    return {text, font, size, style.contains(u'b'), style.contains(u'i'), style.contains(u'u')};
}

Paragraph para(QList<Run> runs, Alignment a = Alignment::Left, bool bullet = false, int left = 0, int first = 0, int right = 0)
{
    return {a, left, first, right, bullet, runs};
}

Document doc(QList<Paragraph> paragraphs)
{
    return {paragraphs};
}

// What the reader makes of rtf (an empty document when it refuses it).
Document read(const QByteArray &rtf)
{
    Document d;
    return rtf::readDocument(rtf, d) ? d : Document();
}

struct FakeView : TextEditor::View
{
    richdoc::Document shown = richdoc::fromLines({QStringLiteral("tapé")});
    richdoc::Document document() const override { return shown; }
    void showDocument(const richdoc::Document &doc) override { shown = doc; }
};

// An editor over a scripted view and scripted dialogs, in a folder of its own whose name has a
// dot and a space, holding "autre.rtf".
struct Editor : FakeDialogs
{
    QTemporaryDir tmp;
    QString dir = tmp.filePath(QStringLiteral("Lettres v1.2"));
    QString other = dir + QStringLiteral("/autre.rtf");
    bool chooserConfirmsOverwrite = false;
    FakeView view;
    TextEditor editor{{"SARL Dupré", "12 rue des Lilas", "75011 PARIS", "01 23 45 67 89", "Siret 123"}, *this, view};

    Editor()
    {
        QDir().mkpath(dir);
        writeBytes(other, "{\\rtf1 autre\\par}");
    }
    QString saveFile(const QString &filter, const QString &proposed, const QString &suffix, bool confirm,
                     const QString &title) override
    {
        chooserConfirmsOverwrite = chooserConfirmsOverwrite || confirm;
        return FakeDialogs::saveFile(filter, proposed, suffix, confirm, title);
    }
    QStringList questions() const { return log.filter(QRegularExpression("^ask: ")).replaceInStrings("ask: ", ""); }
};

// command: 0 new document, 1 close, 2 open; saveAs: typed in the save chooser after Oui, "" cancels.
struct ChangesRow { const char *why; int command; Dialogs::Answer answer; QString saveAs; bool goesOn; };

} // namespace

Q_DECLARE_METATYPE(ChangesRow)

Q_DECLARE_METATYPE(richdoc::Document)

class TestLetterEditor : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;

    // Converts lettre.rtf into the folder named after the filter; a private profile lets tests run side by side.
    void convert(const QString &filter)
    {
        const QString soffice = QStandardPaths::findExecutable("soffice");
        QVERIFY2(!soffice.isEmpty(), "LibreOffice (soffice) is missing: run scripts/deps --test");
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(soffice, {"-env:UserInstallation=file://" + m_tmp.filePath("profile"), "--headless", "--convert-to", filter,
                          "--outdir", m_tmp.filePath(filter.left(3)), m_tmp.filePath("lettre.rtf")});
        QVERIFY2(p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, p.readAll().constData());
    }

private Q_SLOTS:
    // The word processor our users open the letters with: what it shows and what it writes back
    // must keep the text and the styles.
    void libreOfficeLosesTextOrStyles()
    {
        const Document letter = doc({
            para({run("SARL Dupré & Fils", "b")}),
            para({run("Objet : solde de 1 250,00 € « net » — „Œuvre“ ™", "u", 14)}, Alignment::Center),
            para({run("Madame,\t"), run("veuillez trouver ci-joint le relevé.", "i", 10, "Arial")}),
            // A paragraph bulleted in the editor, and one with the hanging indent other programs write.
            para({run("Premier point")}, Alignment::Left, true, richdoc::kBulletIndent, -richdoc::kBulletIndent),
            para({run("Second point")}, Alignment::Left, true, 720, -360),
            para({run("Paris, le 3 février", "biu")}, Alignment::Right),
            para({run("Œuvre en retrait")}, Alignment::Left, false, 1134, 567, 283),
        });
        writeBytes(m_tmp.filePath("lettre.rtf"), rtf::writeDocument(letter));
        // The text LibreOffice shows; bullets come out as text in front of the line.
        convert("txt:Text (encoded):UTF8");
        QStringList lines = QString::fromUtf8(fileBytes(m_tmp.filePath("txt/lettre.txt"))).remove(QChar(0xFEFF)).trimmed().split(QRegularExpression("\r?\n"));
        for (int i : {3, 4}) {
            QVERIFY2(lines.value(i).trimmed().startsWith(QChar(0x2022)), qPrintable(lines.value(i)));
            lines[i] = lines[i].trimmed().mid(1).trimmed();
        }
        QCOMPARE(lines.join(u'\n'), letter.plainText());
        // What LibreOffice writes back reads as the same letter.
        convert("rtf");
        QCOMPARE(read(fileBytes(m_tmp.filePath("rtf/lettre.rtf"))).paragraphs, letter.paragraphs);
    }

    void roundTripLosesSomething_data()
    {
        QTest::addColumn<Document>("d");
        QString upper; // Windows-1252 from 0x80 to 0xFF, the unassigned bytes of 0x80..0x9F included
        for (int b = 0x80; b <= 0xFF; ++b)
            upper += text::decode1252(QByteArray(1, char(b)));
        QTest::newRow("windows-1252 upper half") << doc({para({run(upper)})});
        QTest::newRow("beyond windows-1252") << doc({para({run(QStringLiteral("≠ ½ Ω ł 😀 Œœ"))})});
        QTest::newRow("rtf syntax, tab and line break") << doc({para({run("a\\b {c} \\par d;\tPrénom" + QString(QChar::LineSeparator) + "suite")})});
        QTest::newRow("letter") << doc({
            para({run("SARL Dupré", "b"), run(" italique", "i"), run(" souligné", "u"), run(" tout", "biu"), run(" Arial 12", "", 12, "Arial"),
                  run(" Courier 10,5", "b", 10.5, "Courier New"), run(" Times 72", "", 72)}),
            para({run("Objet : relevé", "u", 14)}, Alignment::Center),
            para({run("Paris, le 3 mars")}, Alignment::Right, false, 0, 0, 567),
            para({}),
            para({run("Premier point")}, Alignment::Left, true, 360, -360),
            para({run("Texte justifié en retrait")}, Alignment::Justify, false, 1134, 567, 283),
            para({}),
        });
        QTest::newRow("empty document") << doc({para({})});
        QTest::newRow("empty bullet") << doc({para({run("a")}, Alignment::Left, true), para({run("b")}),
                                              para({}, Alignment::Left, true)});
    }
    void roundTripLosesSomething()
    {
        QFETCH(Document, d);
        QCOMPARE(read(rtf::writeDocument(d)).paragraphs, d.paragraphs);
    }

    void writerOutputNotPlainAscii()
    {
        const QByteArray rtf = rtf::writeDocument(
            doc({para({run(QStringLiteral("é€\u0081Ÿ😀"), "", 10, QStringLiteral("Liberation Sérif"))})}));
        for (char c : rtf)
            QVERIFY2(uchar(c) < 0x80, rtf.constData());
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QVERIFY(rtf.contains("\\'e9\\'80\\'81\\'9f\\u-10179?\\u-8704?"));
        QVERIFY(rtf.contains("Liberation S\\'e9rif;"));
    }

    void readerMisreadsCommonRtf_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("hex escapes in windows-1252") << QByteArray("{\\rtf1\\ansi caf\\'e9 \\'80 \\'92\\'85\\'9f}")
                                                     << QStringLiteral("café € ’…Ÿ");
        QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1\\ansi\\uc1 \\u8364\\'80 \\u-3913?}")
                                               << QStringLiteral("€ \uF0B7");
        QTest::newRow("fallback count ends with the group") << QByteArray("{\\rtf1\\uc3 {\\u233}x}") << QStringLiteral("éx");
        QTest::newRow("surrogate pair") << QByteArray("{\\rtf1\\uc1 \\u-10179?\\u-8704?}") << QStringLiteral("😀");
        QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 \\{a\\}\\\\b\\~c\\-d\\_e}") << QStringLiteral("{a}\\b\u00A0cd-e");
        QTest::newRow("paragraphs, lines, tabs, source line ends") << QByteArray("{\\rtf1 un\\par deux\\line trois\\tab qua\r\ntre\\\nfin}")
                                                    << QStringLiteral("un\ndeux\u2028trois\tquatre\nfin");
        QTest::newRow("named characters")
            << QByteArray("{\\rtf1 \\lquote a\\rquote  \\ldblquote b\\rdblquote  \\emdash \\endash \\bullet}")
            << QStringLiteral("‘a’ “b” —–•");
        QTest::newRow("unknown starred destinations")
            << QByteArray("{\\rtf1{\\*\\generator Prog 1.0;}{\\*\\inconnu {\\b a}b}\\*\\c{\\*\\x{\\*\\y z}}ok}") << QStringLiteral("ok");
        QTest::newRow("headers, footnotes and pictures") << QByteArray("{\\rtf1{\\header h\\par}{\\footer f}a{\\footnote n}b{\\pict\\pngblip 89}c{\\*\\shppict{\\pict 00}}{\\object{\\*\\objdata 01}}}")
                                                         << QStringLiteral("abc");
        QTest::newRow("binary data skipped") << QByteArray("{\\rtf1 a{\\*\\blob\\bin4 }{\\}b}c\\bin2 xyd}") << QStringLiteral("acd");
        QTest::newRow("leading blanks and trailing bytes")
            << QByteArray("\r\n {\\rtf1 a}\r\n\0\0garbage", sizeof("\r\n {\\rtf1 a}\r\n\0\0garbage") - 1) << QStringLiteral("a");
        QTest::newRow("old-style bullets")
            << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\pard{\\pntext\\f1\\'B7\\tab}"
                          "{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-200\\li200 un\\par"
                          "{\\pntext\\f1\\'B7\\tab}deux\\par\\pard trois\\par}")
            << QStringLiteral("* un\n* deux\ntrois");
        QTest::newRow("old-style numbering keeps its numbers")
            << QByteArray("{\\rtf1\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}un\\par}") << QStringLiteral("1.\tun");
        QTest::newRow("list text of an unknown list")
            << QByteArray("{\\rtf1\\pard\\ls9{\\listtext \\'95\\tab}a\\par\\pard\\ls9{\\listtext a)\\tab}b\\par}")
            << QStringLiteral("* a\na)\tb");
        QTest::newRow("groups and style switches")
            << QByteArray("{\\rtf1{\\b gras{\\i grasital}}{\\ul souligne\\ul0  plus}{\\ul aa1\\ulnone bb1}{\\ulc1 couleur }{\\ab\\ai cs }\\plain fin}")
            << QStringLiteral("<b>gras</><bi>grasital</><u>souligne</> plus<u>aa1</>bb1couleur cs fin");
        // Files written by LibreOffice from tests/data/rtf/lettre.html and courrier.fodt (the
        // second also keeps a field's result, "notre site", and skips its instruction).
        QTest::newRow("libreoffice, from html") << fileBytes(testsupport::dataPath("rtf/lettre-libreoffice.rtf"))
            << QStringLiteral("<b>Société Dupré & Fils</>\nMadame, Monsieur,\nLe montant dû est de 1 250,00 € : <b>gras</>, <i>italique</>, <u>souligné</>, <biu>les trois</>.\n"
                              "Texte centré\nTexte à droite\n* Premier point\n* Second point — « guillemets »\n1.\tNuméro un\n2.\tNuméro deux\n<i>Note en italique par style</>\nRouge et Courier 14");
        QTest::newRow("libreoffice, header, footer and footnote left out") << fileBytes(testsupport::dataPath("rtf/courrier-libreoffice.rtf"))
            << QStringLiteral("<b>Objet : relevé annuel</>\nParis, le 3 février 2024\nNous vous prions de trouver ci-joint le relevé : le total s'élève à <b>2 345,67 €</>, payable à <iu>réception</>.\u2028"
                              "Deuxième ligne\taprès une tabulation.\nRéférence KV-2024/002, voir <u>notre site</>.\n* Un\n* Deux\nŒuvre, “citation”, ½ et ≠ hors 1252.");
        QTest::newRow("raw 8-bit text") << QByteArray("{\\rtf1 d\xe9j\xe0 \x80\x9c}") << QStringLiteral("déjà €œ");
    }
    void readerMisreadsCommonRtf()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        Document d;
        QString error;
        QVERIFY2(rtf::readDocument(rtf, d, &error), qPrintable(error));
        QStringList shown; // "* " before a bulleted paragraph; a run in bold, italic or underlined as "<biu>text</>"
        for (const Paragraph &p : d.paragraphs) {
            shown << (p.bullet ? "* " : "");
            for (const Run &r : p.runs) {
                const QString style = QString(r.bold ? "b" : "") + (r.italic ? "i" : "") + (r.underline ? "u" : "");
                shown.last() += style.isEmpty() ? r.text : "<" + style + ">" + r.text + "</>";
            }
        }
        QCOMPARE(shown.join(u'\n'), text);
    }

    // Fonts, sizes and paragraph properties: the default font, \plain, and \pard.
    void formattingLeaksOutOfGroups()
    {
        const Document d = read("{\\rtf1\\ansi\\deff1{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Georgia;}"
                                "\\pard\\qc\\li720\\ri360\\fi-360\\fs28 {\\b gras}{\\f0 arial}\\plain defaut\\par"
                                "\\qr droite\\par\\pard gauche\\par}");
        QCOMPARE(d.paragraphs.value(0).runs, (QList<Run>{run("gras", "b", 14, "Georgia"), run("arial", "", 14, "Arial"), run("defaut", "", 12, "Georgia")}));
        QCOMPARE(d.paragraphs[0], para(d.paragraphs[0].runs, Alignment::Center, false, 720, -360, 360));
        QCOMPARE(d.paragraphs[1], para(d.paragraphs[1].runs, Alignment::Right, false, 720, -360, 360));
        QCOMPARE(d.paragraphs[2], para(d.paragraphs[2].runs));
    }

    // Damaged input is refused with a reason and changes nothing; hostile input stays linear.
    void badInputReadAsALetter_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text"); // null: refused
        const int deep = 200000;
        QTest::newRow("plain text") << QByteArray("Bonjour\r\n") << QString();
        QTest::newRow("group without rtf") << QByteArray("{\\ansi a}") << QString();
        QTest::newRow("cut short") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard texte coup") << QString();
        QTest::newRow("cut inside a keyword") << QByteArray("{\\rtf1 a\\pa") << QString();
        QTest::newRow("binary length beyond the end") << QByteArray("{\\rtf1 a\\bin999999999 }") << QString();
        QTest::newRow("deep nesting, open") << QByteArray("{\\rtf1 ") + QByteArray(deep, '{') + "x" << QString();
        QTest::newRow("deep nesting, closed") << QByteArray("{\\rtf1 ") + QByteArray(deep, '{') + "\\b x" + QByteArray(deep, '}') + "y}" << QStringLiteral("xy");
        QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs99999999999999999999\\li-99999999999999999999"
                                                    "\\uc99999999999 {\\u99999999999999 xyz}a\\f-5 b\\ls999999999999 c\\par}")
                                      << QStringLiteral("abc");
        QTest::newRow("long keyword") << QByteArray("{\\rtf1\\") + QByteArray(100000, 'a') + " z}" << QStringLiteral("z");
        QTest::newRow("many paragraphs") << QByteArray("{\\rtf1 ") + QByteArray("\\par").repeated(100000) + "}" << QString(99999, u'\n');
    }
    void badInputReadAsALetter()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        Document d = doc({para({run("inchangé")})});
        const Document before = d;
        QString error;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(rtf::readDocument(data, d, &error), !text.isNull());
        QVERIFY2(timer.elapsed() < 5000, "the reader must stay linear");
        QCOMPARE(error.isEmpty(), !text.isNull());
        QVERIFY(text.isNull() ? d == before : d.plainText() == text);
        if (QTest::currentDataTag() == QLatin1String("huge numbers"))
            QVERIFY(d.paragraphs[0].runs[0].size <= 1638 && d.paragraphs[0].leftIndent >= -31680);
    }

    // ---- the editor

    void changesLostOrKept_data()
    {
        using A = Dialogs::Answer;
        const ChangesRow rows[] = {{"new, oui, name with spaces", 0, A::Oui, "Relevé de mars", true},
                                   {"close, oui, save cancelled", 1, A::Oui, "", false},
                                   {"open, non", 2, A::Non, "", true}, {"open, annuler", 2, A::Annuler, "", false}};
        addRows(rows);
    }
    void changesLostOrKept()
    {
        QFETCH(ChangesRow, row);
        const auto &[why, command, answer, saveAs, goesOn] = row;
        Editor e;
        e.answers = {answer};
        if (answer == Dialogs::Answer::Oui)
            e.files.append(saveAs.isEmpty() ? saveAs : e.dir + u'/' + saveAs);
        if (command == 2 && goesOn)
            e.files.append(e.other);
        e.editor.setModified(true);
        const bool result = command == 0 ? e.editor.newDocument() : command == 1 ? e.editor.canClose() : e.editor.open();
        QCOMPARE(e.questions(), QStringList{"Enregistrer changements dans  ?"});
        QCOMPARE(result, goesOn);
        // A yes saves under the chosen name, with ".rtf" added.
        if (!saveAs.isEmpty()) {
            richdoc::Document written;
            QVERIFY(rtf::readDocument(fileBytes(e.dir + u'/' + saveAs + ".rtf"), written));
            QCOMPARE(written.plainText(), QStringLiteral("tapé"));
        }
        // Nothing is lost: the text stays and still counts as changed, or the command is done.
        QCOMPARE(e.editor.isModified(), !goesOn);
        const QString shown = e.view.shown.plainText();
        QVERIFY2(!goesOn ? shown == "tapé" : command == 0 ? shown.startsWith("SARL Dupré\n") : shown == "autre", qPrintable(shown));
    }

    void saveAsksOrRenamesWrongly()
    {
        Editor e;
        QVERIFY(e.editor.save() && e.editor.canClose() && e.log.isEmpty()); // unchanged: nothing asked, nothing written
        e.editor.setModified(true);
        e.files = {e.dir + "/lettre", e.dir + "/lettre.RTF"};
        QVERIFY(e.editor.save() && e.editor.canClose());
        QCOMPARE(e.editor.fileName(), e.dir + "/lettre.rtf");
        // The next save proposes the current name; a name with its own extension keeps it.
        e.editor.setModified(true);
        QVERIFY(e.editor.save());
        QCOMPARE(e.log, (QStringList{"save: " + TextEditor::kFilter + " ", "save: " + TextEditor::kFilter + " " + e.dir + "/lettre.rtf"}));
        QCOMPARE(e.editor.fileName() + QString::number(e.editor.isModified()), e.dir + "/lettre.RTF0");
        // A name under a regular file cannot be written, whoever runs the test: the changes stay.
        e.editor.setModified(true);
        e.files = {e.other + "/lettre.rtf"};
        QVERIFY(!e.editor.save());
        QCOMPARE(e.messages(), QStringList{"Impossible d'enregistrer le fichier " + QDir::toNativeSeparators(e.other + "/lettre.rtf")});
        QCOMPARE(e.editor.fileName() + QString::number(e.editor.isModified()), e.dir + "/lettre.RTF1");
    }

    void replacingAFileAskedTwice_data()
    {
        QTest::addColumn<bool>("current");
        QTest::addColumn<QList<Dialogs::Answer>>("answers");
        QTest::addColumn<bool>("written");
        using A = Dialogs::Answer;
        QTest::newRow("the current file, no question") << true << QList<A>{} << true;
        QTest::newRow("another file, replaced") << false << QList<A>{A::Ok} << true;
        QTest::newRow("another file, kept") << false << QList<A>{A::Annuler} << false;
    }
    void replacingAFileAskedTwice()
    {
        QFETCH(bool, current);
        QFETCH(QList<Dialogs::Answer>, answers);
        QFETCH(bool, written);
        Editor e;
        const QString first = e.dir + "/lettre.rtf";
        e.editor.setModified(true);
        e.files = {first, current ? first : e.other};
        QVERIFY(e.editor.save());
        e.editor.setModified(true);
        e.answers = answers;
        QCOMPARE(e.editor.save(), written);
        // The chooser never asks on its own: the question, when there is one, is the editor's.
        QVERIFY(!e.chooserConfirmsOverwrite);
        QCOMPARE(e.questions(), answers.isEmpty() ? QStringList() : QStringList{"Ce fichier existe déjà"});
        QCOMPARE(e.editor.fileName(), written && !current ? e.other : first);
        QCOMPARE(e.editor.isModified(), !written);
        QCOMPARE(fileBytes(e.other).contains("autre"), current || !written);
    }

    // A new document starts with the letterhead's first four lines, unchanged, asking nothing;
    // an open that fails keeps the document shown.
    void newOrOpenMisreadsOrKeepsOldDocument()
    {
        Editor e;
        QVERIFY(e.editor.newDocument() && !e.editor.isModified() && e.log.isEmpty());
        QCOMPARE(e.view.shown.plainText(), QStringLiteral("SARL Dupré\n12 rue des Lilas\n75011 PARIS\n01 23 45 67 89\n"));
        // A short letterhead still gives four lines.
        QVERIFY(TextEditor(QStringList{"Seule"}, e, e.view).newDocument());
        QCOMPARE(e.view.shown.plainText(), QStringLiteral("Seule\n\n\n\n"));
        const Document letter = doc({para({run("Première")}), para({run("Seconde")}, Alignment::Center)});
        writeBytes(e.dir + "/l.rtf", rtf::writeDocument(letter));
        writeBytes(e.dir + "/faux.rtf", "Ceci n'est pas du RTF");
        const richdoc::Document before = e.view.shown;
        e.files = {e.dir + "/faux.rtf", e.dir + "/absent.rtf", e.dir + "/l.rtf"};
        QVERIFY(!e.editor.open() && !e.editor.open());
        QCOMPARE(e.messages(), (QStringList{"Impossible de lire le fichier " + QDir::toNativeSeparators(e.dir + "/faux.rtf"),
                                            "Impossible de lire le fichier " + QDir::toNativeSeparators(e.dir + "/absent.rtf")}));
        QVERIFY(e.view.shown == before && e.editor.fileName().isEmpty());
        QVERIFY(e.editor.open() && e.view.shown == letter && !e.editor.isModified());
        // The question names the file; a new document keeps the name.
        e.editor.setModified(true);
        e.answers = {Dialogs::Answer::Non};
        QVERIFY(e.editor.newDocument());
        QCOMPARE(e.questions(), QStringList{"Enregistrer changements dans l.rtf ?"});
        QCOMPARE(e.editor.fileName(), e.dir + "/l.rtf");
    }
};

QTEST_GUILESS_MAIN(TestLetterEditor)
#include "test_accessories_rtf.moc"
