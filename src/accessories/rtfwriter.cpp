#include "accessories/rtfwriter.h"

#include "text/encoding.h"

#include <QHash>

namespace rtf {

namespace {

void appendText(QByteArray &out, const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator || u == '\n') {
            out += "\\line ";
        } else if (u < 0x20) {
            // Other control characters have no place in a letter.
        } else if (u < 0x80) {
            out += char(u);
        } else if (text::fits1252(c)) {
            out += "\\'" + QByteArray::number(uchar(text::encode1252(QString(c)).at(0)), 16).rightJustified(2, '0');
        } else {
            // \uN takes a signed 16-bit number; the '?' is what readers without Unicode show.
            out += "\\u" + QByteArray::number(int(qint16(u))) + '?';
        }
    }
}

// A font table entry ends at ';' and holds no control words: those characters are left out.
QByteArray fontName(const QString &name)
{
    QString clean;
    for (QChar c : name)
        if (c != QLatin1Char(';') && c.unicode() >= 0x20 && c != QChar::LineSeparator)
            clean += c;
    QByteArray out;
    appendText(out, clean);
    return out;
}

QByteArray alignmentWord(richdoc::Alignment a)
{
    switch (a) {
    case richdoc::Alignment::Center:
        return "\\qc";
    case richdoc::Alignment::Right:
        return "\\qr";
    case richdoc::Alignment::Justify:
        return "\\qj";
    case richdoc::Alignment::Left:
        break;
    }
    return "\\ql";
}

} // namespace

QByteArray writeDocument(const richdoc::Document &doc)
{
    // Font table: the editor's default font first, then every font in order of use.
    QStringList fonts{QStringLiteral("Times New Roman")};
    QHash<QString, int> fontIndex{{fonts.first(), 0}};
    bool anyBullet = false;
    for (const richdoc::Paragraph &p : doc.paragraphs) {
        anyBullet = anyBullet || p.bullet;
        for (const richdoc::Run &run : p.runs) {
            if (!fontIndex.contains(run.font)) {
                fontIndex.insert(run.font, int(fonts.size()));
                fonts.append(run.font);
            }
        }
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (int i = 0; i < fonts.size(); ++i)
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 " + fontName(fonts[i]) + ";}";
    out += "}\n";
    if (anyBullet) {
        out += "{\\*\\listtable{\\list\\listtemplateid1\\listsimple{\\listlevel\\levelnfc23\\leveljc0"
               "\\levelfollow0\\levelstartat1{\\leveltext\\'01\\'95;}{\\levelnumbers;}}\\listid1}}\n"
               "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\n";
    }
    out += "\\viewkind4\n";

    for (const richdoc::Paragraph &p : doc.paragraphs) {
        out += "\\pard" + alignmentWord(p.alignment);
        if (p.leftIndent)
            out += "\\li" + QByteArray::number(p.leftIndent);
        if (p.firstIndent)
            out += "\\fi" + QByteArray::number(p.firstIndent);
        if (p.rightIndent)
            out += "\\ri" + QByteArray::number(p.rightIndent);
        // Runs are groups: after the paragraph's control words comes a '{' or "\par", so no
        // space is written (it would be text after the bullet's group).
        if (p.bullet)
            out += "\\ls1\\ilvl0{\\listtext\\f0 \\'95\\tab}";
        for (const richdoc::Run &run : p.runs) {
            if (run.text.isEmpty())
                continue;
            out += "{\\f" + QByteArray::number(fontIndex.value(run.font))
                + "\\fs" + QByteArray::number(qMax(1, qRound(run.size * 2)));
            if (run.bold)
                out += "\\b";
            if (run.italic)
                out += "\\i";
            if (run.underline)
                out += "\\ul";
            out += ' ';
            appendText(out, run.text);
            out += '}';
        }
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

} // namespace rtf
