// The letter editor's RTF reader and writer.
#include "accessories/rtfreader.h"
#include "accessories/rtfwriter.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QFile>

using richdoc::Alignment;
using richdoc::Document;
using richdoc::Paragraph;
using richdoc::Run;

namespace {

Run run(const QString &text, const QString &style = {}, double size = 10,
        const QString &font = QStringLiteral("Times New Roman"))
{
    Run r;
    r.text = text;
    r.font = font;
    r.size = size;
    r.bold = style.contains(QLatin1Char('b'));
    r.italic = style.contains(QLatin1Char('i'));
    r.underline = style.contains(QLatin1Char('u'));
    return r;
}

Paragraph para(QList<Run> runs, Alignment a = Alignment::Left, bool bullet = false,
               int left = 0, int first = 0, int right = 0)
{
    Paragraph p;
    p.runs = runs;
    p.alignment = a;
    p.bullet = bullet;
    p.leftIndent = left;
    p.firstIndent = first;
    p.rightIndent = right;
    return p;
}

Document read(const QByteArray &rtf)
{
    Document doc;
    QString error;
    if (!rtf::readDocument(rtf, doc, &error))
        qWarning() << "unreadable:" << error;
    return doc;
}

// The run holding text (first match), or an empty run.
Run runWith(const Document &doc, const QString &text)
{
    for (const Paragraph &p : doc.paragraphs)
        for (const Run &r : p.runs)
            if (r.text.contains(text))
                return r;
    return {};
}

const Paragraph *paragraphWith(const Document &doc, const QString &text)
{
    for (const Paragraph &p : doc.paragraphs)
        if (p.text().contains(text))
            return &p;
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(richdoc::Document)

class TestRtf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void writerOutputIsPlainAscii();
    void readsCommonRtf_data();
    void readsCommonRtf();
    void formattingFollowsGroups();
    void bulletsOfOtherPrograms_data();
    void bulletsOfOtherPrograms();
    void damagedInputIsReported_data();
    void damagedInputIsReported();
    void hostileInputStaysBounded_data();
    void hostileInputStaysBounded();
    void readsLibreOfficeFiles();
};

void TestRtf::roundTrip_data()
{
    QTest::addColumn<Document>("doc");
    auto single = [](const Paragraph &p) {
        Document d;
        d.paragraphs = {p};
        return d;
    };
    QTest::newRow("accents and euro") << single(para({run(QStringLiteral("Réglé à l'échéance : 1 250,00 € « net »"))}));
    QTest::newRow("beyond windows-1252") << single(para({run(QStringLiteral("≠ ½ Ω ł 😀 Œœ"))}));
    QTest::newRow("rtf syntax characters") << single(para({run(QStringLiteral("a\\b {c} \\par d;"))}));
    QTest::newRow("tab and line break")
        << single(para({run(QStringLiteral("Nom\tPrénom") + QChar::LineSeparator + QStringLiteral("suite"))}));
    QTest::newRow("styles") << single(para({run("normal "), run("gras", "b"), run(" "), run("italique", "i"),
                                            run(" "), run("souligné", "u"), run(" "), run("tout", "biu")}));
    QTest::newRow("fonts and sizes")
        << single(para({run("Arial 12", "", 12, "Arial"), run(" Courier 10,5", "b", 10.5, "Courier New"),
                        run(" Times 72", "", 72)}));
    Document letter;
    letter.paragraphs = {
        para({run("SARL Dupré", "b")}),
        para({run("Objet : relevé", "u", 14)}, Alignment::Center),
        para({run("Paris, le 3 mars")}, Alignment::Right, false, 0, 0, 567),
        para({}),
        para({run("Premier point")}, Alignment::Left, true, 360, -360),
        para({run("Second point", "i")}, Alignment::Left, true, 360, -360),
        para({run("Texte justifié en retrait")}, Alignment::Justify, false, 1134, 567, 283),
        para({}),
    };
    QTest::newRow("letter") << letter;
    Document empty;
    empty.paragraphs = {para({})};
    QTest::newRow("empty document") << empty;
    Document bulletsApart;
    bulletsApart.paragraphs = {para({run("a")}, Alignment::Left, true), para({run("b")}),
                               para({}, Alignment::Left, true)};
    QTest::newRow("empty bullet") << bulletsApart;
}

void TestRtf::roundTrip()
{
    QFETCH(Document, doc);
    const QByteArray rtf = rtf::writeDocument(doc);
    Document back;
    QString error;
    QVERIFY2(rtf::readDocument(rtf, back, &error), qPrintable(error));
    QCOMPARE(back.paragraphs.size(), doc.paragraphs.size());
    for (int i = 0; i < doc.paragraphs.size(); ++i)
        QVERIFY2(back.paragraphs[i] == doc.paragraphs[i], qPrintable(QString::number(i)));
}

void TestRtf::writerOutputIsPlainAscii()
{
    Document doc;
    doc.paragraphs = {para({run(QStringLiteral("é€😀"), "", 10, QStringLiteral("Liberation Sérif"))})};
    const QByteArray rtf = rtf::writeDocument(doc);
    for (char c : rtf)
        QVERIFY2(uchar(c) < 0x80, rtf.constData());
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    QVERIFY(rtf.contains("\\'e9\\'80"));
    QVERIFY(rtf.contains("\\u-10179?\\u-8704?"));
    QVERIFY(rtf.contains("Liberation S\\'e9rif;"));
}

void TestRtf::readsCommonRtf_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("hex escapes in windows-1252")
        << QByteArray("{\\rtf1\\ansi caf\\'e9 \\'80 \\'92\\'85}") << QStringLiteral("café € ’…");
    QTest::newRow("unicode with fallback")
        << QByteArray("{\\rtf1\\ansi\\uc1 \\u8364\\'80 \\u-3913?}") << QStringLiteral("€ \uF0B7");
    QTest::newRow("unicode with two fallback characters")
        << QByteArray("{\\rtf1\\uc2 a\\u8800 xyb}") << QStringLiteral("a≠b");
    QTest::newRow("unicode without fallback") << QByteArray("{\\rtf1\\uc0 \\u233 t\\u233 }") << QStringLiteral("été");
    QTest::newRow("fallback count ends with the group")
        << QByteArray("{\\rtf1\\uc3 {\\u233}x}") << QStringLiteral("éx");
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1\\uc1 \\u-10179?\\u-8704?}") << QStringLiteral("😀");
    QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 \\{a\\}\\\\b\\~c\\-d\\_e}")
                                     << QStringLiteral("{a}\\b\u00A0cd-e");
    QTest::newRow("paragraphs, lines and tabs")
        << QByteArray("{\\rtf1 un\\par deux\\line trois\\tab quatre\\par}")
        << QStringLiteral("un\ndeux\u2028trois\tquatre");
    QTest::newRow("source line ends are not text") << QByteArray("{\\rtf1 un\r\ndeux\nfin\\par\r\n}")
                                                   << QStringLiteral("undeuxfin");
    QTest::newRow("escaped line end is a paragraph") << QByteArray("{\\rtf1 un\\\ndeux}")
                                                     << QStringLiteral("un\ndeux");
    QTest::newRow("text after the last par") << QByteArray("{\\rtf1 un\\par deux}") << QStringLiteral("un\ndeux");
    QTest::newRow("named characters")
        << QByteArray("{\\rtf1 \\lquote a\\rquote  \\ldblquote b\\rdblquote  \\emdash \\endash \\bullet}")
        << QStringLiteral("‘a’ “b” —–•");
    QTest::newRow("font and colour tables, stylesheet, info")
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f1 Arial{\\*\\falt Helvetica};}}"
                      "{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}{\\s1\\b Titre;}}"
                      "{\\info{\\title Lettre}{\\author Moi}}\\pard\\plain texte\\par}")
        << QStringLiteral("texte");
    QTest::newRow("unknown starred destinations")
        << QByteArray("{\\rtf1{\\*\\generator Prog 1.0;}{\\*\\inconnu {\\b a}b}\\*\\c{\\*\\x{\\*\\y z}}ok}")
        << QStringLiteral("ok");
    QTest::newRow("unknown control words are ignored")
        << QByteArray("{\\rtf1\\nouveaumotcle42 a{\\autremot b}c}") << QStringLiteral("abc");
    QTest::newRow("headers, footnotes and pictures")
        << QByteArray("{\\rtf1{\\header en-tete\\par}{\\footer pied}a{\\footnote note}b"
                      "{\\pict\\pngblip 89504e47}c{\\*\\shppict{\\pict 00}}{\\object{\\*\\objdata 01}}}")
        << QStringLiteral("abc");
    QTest::newRow("field result kept, instruction skipped")
        << QByteArray("{\\rtf1 voir {\\field{\\*\\fldinst HYPERLINK \"https://x\"}{\\fldrslt {\\ul site}}} fin}")
        << QStringLiteral("voir site fin");
    QTest::newRow("binary data skipped") << QByteArray("{\\rtf1 a{\\*\\blob\\bin4 }{\\}b}c\\bin2 xyd}")
                                         << QStringLiteral("acd");
    QTest::newRow("tables") << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000 a\\cell b\\cell\\row fin\\par}")
                            << QStringLiteral("a\tb\t\nfin");
    QTest::newRow("leading blanks and trailing bytes")
        << QByteArray("\r\n {\\rtf1 a}\r\n\0\0garbage", sizeof("\r\n {\\rtf1 a}\r\n\0\0garbage") - 1)
        << QStringLiteral("a");
    QTest::newRow("raw 8-bit text") << QByteArray("{\\rtf1 d\xe9j\xe0}") << QStringLiteral("déjà");
}

void TestRtf::readsCommonRtf()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    Document doc;
    QString error;
    QVERIFY2(rtf::readDocument(rtf, doc, &error), qPrintable(error));
    QCOMPARE(doc.plainText(), text);
}

void TestRtf::formattingFollowsGroups()
{
    const Document doc = read(
        "{\\rtf1\\ansi\\deff1{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Georgia;}"
        "\\pard\\qc\\li720\\ri360\\fi-360\\fs28 {\\b gras{\\i grasital}}{\\ul souligne\\ul0  plus}"
        "{\\ul aa1\\ulnone bb1}{\\ulc1 couleur}{\\ab\\ai\\f0 arial}\\plain defaut\\par"
        "\\qr droite\\par\\pard gauche\\par}");
    QCOMPARE(doc.paragraphs.size(), 3);
    const Paragraph &p = doc.paragraphs[0];
    QCOMPARE(p.alignment, Alignment::Center);
    QCOMPARE(p.leftIndent, 720);
    QCOMPARE(p.rightIndent, 360);
    QCOMPARE(p.firstIndent, -360);
    const Run gras = runWith(doc, "gras");
    QVERIFY(gras.bold && !gras.italic && !gras.underline);
    QCOMPARE(gras.size, 14.0);
    QCOMPARE(gras.font, QStringLiteral("Georgia"));
    const Run grasItal = runWith(doc, "grasital");
    QVERIFY(grasItal.bold && grasItal.italic);
    QVERIFY(runWith(doc, "souligne").underline);
    QVERIFY(!runWith(doc, " plus").underline);
    QVERIFY(runWith(doc, "aa1").underline);
    QVERIFY(!runWith(doc, "bb1").underline);
    // \ulc is the underline colour and \ab, \ai the attributes of complex scripts.
    QVERIFY(!runWith(doc, "couleur").underline);
    const Run arial = runWith(doc, "arial");
    QVERIFY(!arial.bold && !arial.italic);
    QCOMPARE(arial.font, QStringLiteral("Arial"));
    const Run defaut = runWith(doc, "defaut");
    QCOMPARE(defaut.size, 12.0);
    QCOMPARE(defaut.font, QStringLiteral("Georgia"));
    // Paragraph properties last until \pard.
    QCOMPARE(doc.paragraphs[1].alignment, Alignment::Right);
    QCOMPARE(doc.paragraphs[1].leftIndent, 720);
    QCOMPARE(doc.paragraphs[2].alignment, Alignment::Left);
    QCOMPARE(doc.paragraphs[2].leftIndent, 0);
}

void TestRtf::bulletsOfOtherPrograms_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<bool>>("bullets");

    QTest::newRow("old-style bullets")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\pard{\\pntext\\f1\\'B7\\tab}"
                      "{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-200\\li200 un\\par"
                      "{\\pntext\\f1\\'B7\\tab}deux\\par\\pard trois\\par}")
        << QStringLiteral("un\ndeux\ntrois") << QList<bool>{true, true, false};
    QTest::newRow("old-style numbering keeps its numbers")
        << QByteArray("{\\rtf1\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}un\\par}")
        << QStringLiteral("1.\tun") << QList<bool>{false};
    QTest::newRow("word lists")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}\\listid7}"
                      "{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid8}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}"
                      "{\\listoverride\\listid8\\listoverridecount0\\ls2}}"
                      "\\pard\\ls1{\\listtext\\u8226\\'95\\tab}puce\\par"
                      "\\pard\\ls2{\\listtext 1.\\tab}numero\\par}")
        << QStringLiteral("puce\n1.\tnumero") << QList<bool>{true, false};
    QTest::newRow("list text of an unknown list")
        << QByteArray("{\\rtf1\\pard\\ls9{\\listtext \\'95\\tab}a\\par\\pard\\ls9{\\listtext a)\\tab}b\\par}")
        << QStringLiteral("a\na)\tb") << QList<bool>{true, false};
}

void TestRtf::bulletsOfOtherPrograms()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QList<bool>, bullets);
    const Document doc = read(rtf);
    QCOMPARE(doc.plainText(), text);
    QList<bool> found;
    for (const Paragraph &p : doc.paragraphs)
        found.append(p.bullet);
    QCOMPARE(found, bullets);
}

void TestRtf::damagedInputIsReported_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("Bonjour\r\n");
    QTest::newRow("other format") << QByteArray("PK\x03\x04 zip");
    QTest::newRow("group without rtf") << QByteArray("{\\ansi a}");
    QTest::newRow("cut short") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard texte coup");
    QTest::newRow("cut inside a keyword") << QByteArray("{\\rtf1 a\\pa");
    QTest::newRow("binary length beyond the end") << QByteArray("{\\rtf1 a\\bin999999999 }");
}

void TestRtf::damagedInputIsReported()
{
    QFETCH(QByteArray, data);
    Document doc;
    doc.paragraphs = {para({run("inchangé")})};
    const Document before = doc;
    QString error;
    QVERIFY(!rtf::readDocument(data, doc, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(doc == before);
}

void TestRtf::hostileInputStaysBounded_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("text");
    const int deep = 200000;
    QTest::newRow("deep nesting, closed") << QByteArray("{\\rtf1 ") + QByteArray(deep, '{') + "\\b x"
            + QByteArray(deep, '}') + "y}"
                                          << true << QStringLiteral("xy");
    QTest::newRow("deep nesting, open") << QByteArray("{\\rtf1 ") + QByteArray(deep, '{') + "x" << false
                                        << QString();
    QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs99999999999999999999\\li-99999999999999999999"
                                                "\\uc99999999999 {\\u99999999999999 xyz}a\\f-5 b\\ls999999999999 c\\par}")
                                  << true << QStringLiteral("abc");
    QTest::newRow("long keyword")
        << QByteArray("{\\rtf1\\") + QByteArray(100000, 'a') + " z}" << true << QStringLiteral("z");
    QTest::newRow("many paragraphs")
        << QByteArray("{\\rtf1 ") + QByteArray("\\par").repeated(100000) + "}" << true
        << QString(99999, QLatin1Char('\n'));
}

void TestRtf::hostileInputStaysBounded()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, readable);
    QFETCH(QString, text);
    QElapsedTimer timer;
    timer.start();
    Document doc;
    QCOMPARE(rtf::readDocument(data, doc), readable);
    QVERIFY2(timer.elapsed() < 5000, "the reader must stay linear");
    if (readable)
        QCOMPARE(doc.plainText(), text);
    if (QTest::currentDataTag() == QLatin1String("huge numbers")) {
        QVERIFY(doc.paragraphs[0].runs[0].size <= 1638);
        QVERIFY(doc.paragraphs[0].leftIndent >= -31680);
    }
}

// Files written by LibreOffice from tests/data/rtf/lettre.html and courrier.fodt.
void TestRtf::readsLibreOfficeFiles()
{
    const Document lettre = read(fileBytes(testsupport::dataPath("rtf/lettre-libreoffice.rtf")));
    QCOMPARE(lettre.paragraphs.size(), 11);
    QCOMPARE(lettre.paragraphs[0].text(), QStringLiteral("Société Dupré & Fils"));
    QVERIFY(runWith(lettre, "Société").bold);
    QCOMPARE(runWith(lettre, "Société").font, QStringLiteral("Arial"));
    QVERIFY(paragraphWith(lettre, "1 250,00 € : gras, italique, souligné, les trois."));
    const Run gras = runWith(lettre, "gras");
    QVERIFY(gras.bold && !gras.italic && !gras.underline);
    const Run italique = runWith(lettre, "italique");
    QVERIFY(!italique.bold && italique.italic && !italique.underline);
    const Run souligne = runWith(lettre, "souligné");
    QVERIFY(!souligne.bold && !souligne.italic && souligne.underline);
    const Run trois = runWith(lettre, "les trois");
    QVERIFY(trois.bold && trois.italic && trois.underline);
    QVERIFY(!runWith(lettre, "Madame").bold);
    QCOMPARE(paragraphWith(lettre, "Texte centré")->alignment, Alignment::Center);
    QCOMPARE(paragraphWith(lettre, "Texte à droite")->alignment, Alignment::Right);
    QCOMPARE(paragraphWith(lettre, "Madame")->alignment, Alignment::Left);
    QVERIFY(paragraphWith(lettre, "Premier point")->bullet);
    QCOMPARE(paragraphWith(lettre, "Second point")->text(), QStringLiteral("Second point — « guillemets »"));
    QVERIFY(paragraphWith(lettre, "Second point")->bullet);
    QCOMPARE(paragraphWith(lettre, "Numéro un")->text(), QStringLiteral("1.\tNuméro un"));
    QVERIFY(!paragraphWith(lettre, "Numéro un")->bullet);
    QVERIFY(runWith(lettre, "Note en italique").italic);
    QCOMPARE(runWith(lettre, "Courier 14").font, QStringLiteral("Courier New"));
    QCOMPARE(runWith(lettre, "Courier 14").size, 14.0);

    const Document courrier = read(fileBytes(testsupport::dataPath("rtf/courrier-libreoffice.rtf")));
    // Header, footer and footnote are not part of the letter's text.
    const QString text = courrier.plainText();
    QVERIFY(!text.contains("En-tête") && !text.contains("Pied de page") && !text.contains("Note de bas"));
    QCOMPARE(courrier.paragraphs.size(), 7);
    const Paragraph &titre = courrier.paragraphs[0];
    QCOMPARE(titre.text(), QStringLiteral("Objet : relevé annuel"));
    QCOMPARE(titre.alignment, Alignment::Center);
    QVERIFY(titre.runs[0].bold);
    QCOMPARE(titre.runs[0].size, 16.0);
    const Paragraph &date = courrier.paragraphs[1];
    QCOMPARE(date.alignment, Alignment::Right);
    QCOMPARE(date.rightIndent, 567);
    const Paragraph &corps = courrier.paragraphs[2];
    QCOMPARE(corps.alignment, Alignment::Justify);
    QCOMPARE(corps.leftIndent, 1134);
    QCOMPARE(corps.firstIndent, 567);
    QVERIFY(corps.text().contains(QStringLiteral("relevé : le total s'élève à 2 345,67 €, payable à réception.")
                                  + QChar::LineSeparator + QStringLiteral("Deuxième ligne\taprès une tabulation.")));
    QVERIFY(runWith(courrier, "2 345,67 €").bold);
    const Run reception = runWith(courrier, "réception");
    QVERIFY(reception.italic && reception.underline && !reception.bold);
    QCOMPARE(courrier.paragraphs[3].firstIndent, -283);
    QCOMPARE(runWith(courrier, "KV-2024").font, QStringLiteral("Courier New"));
    QCOMPARE(runWith(courrier, "KV-2024").size, 9.0);
    QVERIFY(courrier.paragraphs[3].text().contains("voir notre site."));
    QVERIFY(courrier.paragraphs[4].bullet && courrier.paragraphs[5].bullet);
    QCOMPARE(courrier.paragraphs[6].text(), QStringLiteral("Œuvre, “citation”, ½ et ≠ hors 1252."));
}

QTEST_GUILESS_MAIN(TestRtf)
#include "test_accessories_rtf.moc"
