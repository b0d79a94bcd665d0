#include "accessories/richdoc.h"

namespace richdoc {

bool Run::sameFormat(const Run &other) const
{
    return font == other.font && size == other.size && bold == other.bold
        && italic == other.italic && underline == other.underline;
}

QString Paragraph::text() const
{
    QString out;
    for (const Run &run : runs)
        out += run.text;
    return out;
}

QString Document::plainText() const
{
    QStringList lines;
    lines.reserve(paragraphs.size());
    for (const Paragraph &p : paragraphs)
        lines.append(p.text());
    return lines.join(QLatin1Char('\n'));
}

void normalize(Document &doc)
{
    for (Paragraph &p : doc.paragraphs) {
        QList<Run> merged;
        for (const Run &run : std::as_const(p.runs)) {
            if (run.text.isEmpty())
                continue;
            if (!merged.isEmpty() && merged.last().sameFormat(run))
                merged.last().text += run.text;
            else
                merged.append(run);
        }
        p.runs = merged;
    }
}

Document fromLines(const QStringList &lines, const Run &format)
{
    Document doc;
    for (const QString &line : lines) {
        Paragraph p;
        if (!line.isEmpty()) {
            Run run = format;
            run.text = line;
            p.runs.append(run);
        }
        doc.paragraphs.append(p);
    }
    return doc;
}

} // namespace richdoc
