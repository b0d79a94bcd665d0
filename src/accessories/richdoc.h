#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The text editor's document: paragraphs of runs of characters sharing one format.
// It is what the RTF reader produces and the RTF writer consumes; the editor window converts
// it to and from its editing control.
namespace richdoc {

// A run of characters in one format. The text holds no paragraph breaks: a tab is '\t' and a
// line break inside a paragraph is U+2028 (QChar::LineSeparator).
struct Run
{
    QString text;
    QString font = QStringLiteral("Times New Roman");
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    // Same format (the text is not compared).
    bool sameFormat(const Run &other) const;
    bool operator==(const Run &other) const = default;
};

enum class Alignment { Left, Center, Right, Justify };

// Indents are in twips (1/20 point), as RTF counts them: leftIndent applies to every line,
// firstIndent is the first line's offset from it (negative for a hanging first line).
// A bulleted paragraph keeps its bullet at the first line's start and its text at leftIndent:
// the editor gives a bullet this much room, so that a paragraph bulleted in Korvel has
// leftIndent kBulletIndent and firstIndent -kBulletIndent, and other word processors place its
// text where Korvel does.
constexpr int kBulletIndent = 300;

struct Paragraph
{
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int firstIndent = 0;
    int rightIndent = 0;
    bool bullet = false;
    QList<Run> runs;

    QString text() const;
    bool operator==(const Paragraph &other) const = default;
};

struct Document
{
    QList<Paragraph> paragraphs;

    // The text with one '\n' between paragraphs.
    QString plainText() const;
    bool operator==(const Document &other) const = default;
};

// Merges neighbouring runs of the same format and drops empty runs, so that two documents
// showing the same formatted text compare equal.
void normalize(Document &doc);

// A document of plain paragraphs in the given format, one per line.
Document fromLines(const QStringList &lines, const Run &format = Run());

} // namespace richdoc
