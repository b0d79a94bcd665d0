#include "accessories/rtfreader.h"

#include "text/encoding.h"

#include <QHash>
#include <QList>

namespace rtf {

namespace {

// Groups deeper than this share the state of the deepest kept one.
constexpr int kMaxDepth = 200;
// Every number is clamped to this magnitude before use.
constexpr qint64 kMaxNumber = 1000000000;
// Longest indent kept, in twips (22 inches, as word processors allow).
constexpr int kMaxIndent = 31680;
constexpr int kMaxKeyword = 32;

enum class Dest {
    Text,      // document text
    Skip,      // a destination whose content is not shown
    FontTable, // font numbers and names
    ListTable, // Word list definitions
    Overrides, // Word list overrides: \ls numbers to lists
    ListText,  // the bullet or number written before a list paragraph
    Pn,        // old-style paragraph numbering properties
};

struct CharFormat
{
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct ParaFormat
{
    richdoc::Alignment alignment = richdoc::Alignment::Left;
    int left = 0;
    int first = 0;
    int right = 0;
    int ls = 0;
    int ilvl = 0;
    bool pnBullet = false;
    bool pnNumber = false;
};

struct State
{
    CharFormat chr;
    ParaFormat para;
    Dest dest = Dest::Text;
    int uc = 1;
    bool starred = false; // the group opened with \*: an unknown keyword skips it
    bool first = true;    // no keyword or text seen yet in this group
};

int clampInt(qint64 v, qint64 lo, qint64 hi)
{
    return int(qBound(lo, v, hi));
}

// Destinations whose content is never document text.
bool isSkippedDestination(const QByteArray &word)
{
    static const QList<QByteArray> words{
        "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl", "headerr",
        "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "ftnsep", "ftnsepc",
        "ftncn", "aftnsep", "aftnsepc", "aftncn", "annotation", "atnid", "atnauthor", "xe", "tc",
        "txe", "rxe", "fldinst", "filetbl", "revtbl", "rsidtbl", "themedata",
        "colorschememapping", "datastore", "latentstyles", "pgdsctbl", "generator", "shp",
        "shpinst", "nonshppict", "bkmkstart", "bkmkend", "template", "userprops", "docvar",
        "xmlnstbl", "mmathPr", "fchars", "lchars", "wgrffmtfilter", "background", "pnseclvl",
        "do", "protusertbl", "operator", "author", "title", "subject", "keywords", "comment",
        "doccomm", "company", "category", "manager", "hlinkbase", "falt", "panose", "fname",
        "leveltext", "levelnumbers", "listname", "pntxta", "pntxtb"};
    return words.contains(word);
}

class Reader
{
public:
    explicit Reader(const QByteArray &data) : m_data(data) {}

    bool run(QString *error);
    richdoc::Document document() const { return m_doc; }

private:
    struct ListDef
    {
        QList<int> levelFormats; // \levelnfc of each level; 23 is a bullet
    };

    State &state() { return m_stack.last(); }
    // The current state, or that of the document's group once it has closed.
    const State &current() const { return m_stack.isEmpty() ? m_lastState : m_stack.last(); }
    void openGroup();
    bool closeGroup();
    void keyword(const QByteArray &word, bool hasParam, qint64 param);
    void symbol(char c);
    void text(QChar c);
    void unicode(qint64 value);
    void endParagraph();
    void breakParagraphIfText();
    QString fontName(int number) const;
    bool isBullet(const ParaFormat &p) const;

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    QList<State> m_stack;
    State m_lastState;
    int m_excessDepth = 0;
    int m_skipChars = 0; // fallback characters still to skip after \uN

    richdoc::Document m_doc;
    richdoc::Paragraph m_para; // the paragraph being read
    QString m_listText;        // its \listtext or \pntext

    int m_defaultFont = 0;
    QHash<int, QString> m_fonts;
    int m_fontNumber = 0; // the font table entry being read
    QString m_fontText;

    QHash<int, ListDef> m_lists;
    ListDef m_list;             // the \list being read
    QHash<int, int> m_lsToList; // \ls number -> \listid
    int m_overrideList = 0;
};

bool Reader::run(QString *error)
{
    // An RTF file is one group opening with \rtf; leading blanks are tolerated.
    qsizetype start = 0;
    while (start < m_data.size() && (m_data[start] == ' ' || m_data[start] == '\r'
                                     || m_data[start] == '\n' || m_data[start] == '\t'))
        ++start;
    if (!m_data.mid(start, 5).startsWith("{\\rtf")) {
        if (error)
            *error = QStringLiteral("ce fichier n'est pas au format RTF");
        return false;
    }
    m_pos = start;
    bool closed = false;
    const qsizetype n = m_data.size();
    while (m_pos < n && !closed) {
        const char c = m_data[m_pos++];
        if (c == '{') {
            openGroup();
        } else if (c == '}') {
            closed = closeGroup();
        } else if (c == '\\') {
            if (m_pos >= n)
                break;
            const char d = m_data[m_pos];
            if ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z')) {
                QByteArray word;
                while (m_pos < n && ((m_data[m_pos] >= 'a' && m_data[m_pos] <= 'z')
                                     || (m_data[m_pos] >= 'A' && m_data[m_pos] <= 'Z'))) {
                    if (word.size() < kMaxKeyword)
                        word += m_data[m_pos];
                    ++m_pos;
                }
                bool negative = false;
                if (m_pos < n && m_data[m_pos] == '-') {
                    negative = true;
                    ++m_pos;
                }
                bool hasParam = false;
                qint64 param = 0;
                while (m_pos < n && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
                    hasParam = true;
                    param = qMin(param * 10 + (m_data[m_pos] - '0'), kMaxNumber);
                    ++m_pos;
                }
                if (negative)
                    param = -param;
                if (m_pos < n && m_data[m_pos] == ' ')
                    ++m_pos;
                keyword(word, hasParam, param);
            } else {
                ++m_pos;
                symbol(d);
            }
        } else if (c == '\r' || c == '\n') {
            // Line ends in RTF source carry no meaning.
        } else {
            if (m_stack.isEmpty())
                continue;
            state().first = false;
            if (m_skipChars > 0) {
                --m_skipChars;
                continue;
            }
            text(text::decode1252(QByteArray(1, c)).at(0));
        }
    }
    if (!closed) {
        if (error)
            *error = QStringLiteral("le fichier RTF est incomplet");
        return false;
    }
    // Text after the last \par is a last paragraph.
    if (!m_para.runs.isEmpty() || !m_listText.isEmpty())
        endParagraph();
    if (m_doc.paragraphs.isEmpty())
        m_doc.paragraphs.append(richdoc::Paragraph());
    richdoc::normalize(m_doc);
    return true;
}

void Reader::openGroup()
{
    m_skipChars = 0;
    if (m_stack.size() >= kMaxDepth) {
        ++m_excessDepth;
        return;
    }
    State s = m_stack.isEmpty() ? State() : state();
    s.starred = false;
    s.first = true;
    m_stack.append(s);
}

// Returns true when the document's own group closes.
bool Reader::closeGroup()
{
    m_skipChars = 0;
    if (m_excessDepth > 0) {
        --m_excessDepth;
        return false;
    }
    if (m_stack.isEmpty())
        return true;
    const State closing = m_stack.takeLast();
    if (m_stack.isEmpty())
        m_lastState = closing;
    if (closing.dest == Dest::FontTable && !m_fontText.isEmpty()) {
        // A font entry without its closing ';'.
        m_fonts.insert(m_fontNumber, m_fontText.trimmed());
        m_fontText.clear();
    }
    return m_stack.isEmpty();
}

QString Reader::fontName(int number) const
{
    const QString name = m_fonts.value(number < 0 ? m_defaultFont : number);
    if (!name.isEmpty())
        return name;
    const QString fallback = m_fonts.value(m_defaultFont);
    return fallback.isEmpty() ? QStringLiteral("Times New Roman") : fallback;
}

bool Reader::isBullet(const ParaFormat &p) const
{
    if (p.pnBullet)
        return true;
    if (p.ls > 0) {
        const auto list = m_lists.constFind(m_lsToList.value(p.ls, -1));
        if (list != m_lists.constEnd()) {
            const QList<int> &levels = list->levelFormats;
            if (levels.isEmpty())
                return false;
            return levels.value(qBound(0, p.ilvl, int(levels.size()) - 1)) == 23;
        }
    }
    return false;
}

void Reader::endParagraph()
{
    const ParaFormat p = current().para;
    m_para.alignment = p.alignment;
    m_para.leftIndent = p.left;
    m_para.firstIndent = p.first;
    m_para.rightIndent = p.right;
    m_para.bullet = isBullet(p);
    if (!m_para.bullet && !m_listText.isEmpty()) {
        const QString mark = m_listText.trimmed();
        const bool knownList = p.pnNumber || (p.ls > 0 && m_lsToList.contains(p.ls));
        if (!knownList && mark.size() == 1 && QStringLiteral("\u2022\u00B7\u25CF\u25AA\u2013-*o\uF0B7").contains(mark)) {
            // A bullet written only as text, by a program whose list we could not read.
            m_para.bullet = true;
        } else {
            // A number or other list mark: kept as the paragraph's first text.
            richdoc::Run run = m_para.runs.isEmpty() ? richdoc::Run() : m_para.runs.first();
            if (m_para.runs.isEmpty()) {
                const CharFormat &f = current().chr;
                run.font = fontName(f.font);
                run.size = f.halfPoints / 2.0;
                run.bold = f.bold;
                run.italic = f.italic;
                run.underline = f.underline;
            }
            QString mark = m_listText;
            while (!mark.isEmpty() && mark.front() == QLatin1Char(' '))
                mark.remove(0, 1);
            run.text = mark;
            m_para.runs.prepend(run);
        }
    }
    m_doc.paragraphs.append(m_para);
    m_para = richdoc::Paragraph();
    m_listText.clear();
}

void Reader::breakParagraphIfText()
{
    if (!m_para.runs.isEmpty())
        endParagraph();
}

void Reader::text(QChar c)
{
    if (m_stack.isEmpty())
        return;
    State &s = state();
    const char16_t u = c.unicode();
    if (u < 0x20 && u != '\t')
        return;
    switch (s.dest) {
    case Dest::Text: {
        richdoc::Run *last = m_para.runs.isEmpty() ? nullptr : &m_para.runs.last();
        const QString font = fontName(s.chr.font);
        const double size = s.chr.halfPoints / 2.0;
        if (last && last->font == font && last->size == size && last->bold == s.chr.bold
            && last->italic == s.chr.italic && last->underline == s.chr.underline) {
            last->text += c;
        } else {
            richdoc::Run run;
            run.text = QString(c);
            run.font = font;
            run.size = size;
            run.bold = s.chr.bold;
            run.italic = s.chr.italic;
            run.underline = s.chr.underline;
            m_para.runs.append(run);
        }
        break;
    }
    case Dest::FontTable:
        if (c == QLatin1Char(';')) {
            m_fonts.insert(m_fontNumber, m_fontText.trimmed());
            m_fontText.clear();
        } else if (m_fontText.size() < 256 && c != QLatin1Char('\t') && c != QChar::LineSeparator) {
            m_fontText += c;
        }
        break;
    case Dest::ListText:
        if (m_listText.size() < 64)
            m_listText += c;
        break;
    case Dest::Skip:
    case Dest::ListTable:
    case Dest::Overrides:
    case Dest::Pn:
        break;
    }
}

void Reader::unicode(qint64 value)
{
    if (value < 0)
        value += 65536;
    if (value > 0 && value <= 0xFFFF)
        text(QChar(char16_t(value)));
    m_skipChars = m_stack.isEmpty() ? 0 : state().uc;
}

void Reader::symbol(char c)
{
    if (m_stack.isEmpty())
        return;
    if (c == '*') {
        // Marks an optional destination, but only at the head of a group.
        if (state().first)
            state().starred = true;
        return;
    }
    if (c == '\'') {
        // \'hh: one Windows-1252 byte.
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_data.size()) {
            const char d = m_data[m_pos];
            int h;
            if (d >= '0' && d <= '9')
                h = d - '0';
            else if (d >= 'a' && d <= 'f')
                h = d - 'a' + 10;
            else if (d >= 'A' && d <= 'F')
                h = d - 'A' + 10;
            else
                break;
            value = value * 16 + h;
            ++digits;
            ++m_pos;
        }
        state().first = false;
        if (digits == 0)
            return;
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        text(text::decode1252(QByteArray(1, char(value))).at(0));
        return;
    }
    state().first = false;
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        text(QLatin1Char(c));
        break;
    case '~':
        text(QChar(0x00A0));
        break;
    case '_':
        text(QLatin1Char('-'));
        break;
    case '\r':
    case '\n':
        if (state().dest == Dest::Text)
            endParagraph();
        break;
    default:
        // \- (optional hyphen), \: (index subentry), \| (formula) and the rest show nothing.
        break;
    }
}

void Reader::keyword(const QByteArray &word, bool hasParam, qint64 param)
{
    if (m_stack.isEmpty())
        return;
    State &s = state();
    const bool first = s.first;
    const bool starred = s.starred;
    s.first = false;
    s.starred = false;
    const bool on = !hasParam || param != 0;

    if (m_skipChars > 0 && word != "u") {
        // A control word stands for one fallback character of \uN.
        --m_skipChars;
        return;
    }

    // Destinations: a keyword at the head of a group.
    if (first || starred) {
        Dest dest = s.dest;
        bool isDest = true;
        if (word == "fonttbl") {
            dest = Dest::FontTable;
        } else if (word == "listtable") {
            dest = Dest::ListTable;
        } else if (word == "listoverridetable") {
            dest = Dest::Overrides;
        } else if (word == "listtext" || word == "pntext") {
            dest = s.dest == Dest::Text ? Dest::ListText : Dest::Skip;
        } else if (word == "pn") {
            dest = s.dest == Dest::Text ? Dest::Pn : Dest::Skip;
        } else if (isSkippedDestination(word)) {
            dest = Dest::Skip;
        } else if (starred) {
            // An optional destination this reader does not know.
            dest = Dest::Skip;
        } else {
            isDest = false;
        }
        if (isDest) {
            s.dest = dest;
            if (dest == Dest::ListText)
                m_listText.clear();
            if (dest == Dest::Pn) {
                // The numbering group sets the properties of the paragraph around it.
                if (m_stack.size() >= 2)
                    m_stack[m_stack.size() - 2].para.pnNumber = true;
            }
            return;
        }
    }

    switch (s.dest) {
    case Dest::Skip:
        if (word == "bin" && hasParam && param > 0)
            m_pos += qMin<qint64>(param, m_data.size() - m_pos);
        return;
    case Dest::FontTable:
        if (word == "f") {
            if (!m_fontText.isEmpty()) {
                m_fonts.insert(m_fontNumber, m_fontText.trimmed());
                m_fontText.clear();
            }
            m_fontNumber = int(param);
        } else if (word == "u") {
            unicode(param);
        }
        return;
    case Dest::ListTable:
        if (word == "list") {
            m_list = ListDef();
        } else if (word == "listlevel") {
            if (m_list.levelFormats.size() < 9)
                m_list.levelFormats.append(-1);
        } else if (word == "levelnfc") {
            if (!m_list.levelFormats.isEmpty())
                m_list.levelFormats.last() = int(param);
        } else if (word == "listid") {
            if (m_lists.size() < 10000)
                m_lists.insert(int(param), m_list);
        }
        return;
    case Dest::Overrides:
        if (word == "listoverride") {
            m_overrideList = 0;
        } else if (word == "listid") {
            m_overrideList = int(param);
        } else if (word == "ls") {
            if (m_lsToList.size() < 10000)
                m_lsToList.insert(int(param), m_overrideList);
        }
        return;
    case Dest::Pn:
        if (word == "pnlvlblt" && m_stack.size() >= 2) {
            ParaFormat &outer = m_stack[m_stack.size() - 2].para;
            outer.pnBullet = true;
            outer.pnNumber = false;
        }
        return;
    case Dest::ListText:
    case Dest::Text:
        break;
    }

    // Document text and formatting.
    CharFormat &chr = s.chr;
    ParaFormat &para = s.para;
    if (word == "par") {
        if (s.dest == Dest::Text)
            endParagraph();
    } else if (word == "line") {
        text(QChar::LineSeparator);
    } else if (word == "tab" || word == "cell" || word == "nestcell") {
        text(QLatin1Char('\t'));
    } else if (word == "row" || word == "nestrow" || word == "page" || word == "sect") {
        if (s.dest == Dest::Text)
            breakParagraphIfText();
    } else if (word == "u") {
        unicode(param);
    } else if (word == "uc") {
        s.uc = clampInt(param, 0, 10);
    } else if (word == "bin") {
        if (hasParam && param > 0)
            m_pos += qMin<qint64>(param, m_data.size() - m_pos);
    } else if (word == "emdash") {
        text(QChar(0x2014));
    } else if (word == "endash") {
        text(QChar(0x2013));
    } else if (word == "bullet") {
        text(QChar(0x2022));
    } else if (word == "lquote") {
        text(QChar(0x2018));
    } else if (word == "rquote") {
        text(QChar(0x2019));
    } else if (word == "ldblquote") {
        text(QChar(0x201C));
    } else if (word == "rdblquote") {
        text(QChar(0x201D));
    } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
        text(QLatin1Char(' '));
    } else if (word == "deff") {
        m_defaultFont = int(param);
    } else if (word == "plain") {
        chr = CharFormat();
    } else if (word == "f") {
        chr.font = int(qMax<qint64>(param, 0));
    } else if (word == "fs") {
        if (param > 0)
            chr.halfPoints = clampInt(param, 2, 3276);
    } else if (word == "b") {
        chr.bold = on;
    } else if (word == "i") {
        chr.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldash" || word == "uldashd"
               || word == "uldashdd" || word == "uldb" || word == "ulhwave" || word == "ulldash"
               || word == "ulth" || word == "ulthd" || word == "ulthdash" || word == "ulthdashd"
               || word == "ulthdashdd" || word == "ulthldash" || word == "ululdbwave"
               || word == "ulw" || word == "ulwave") {
        chr.underline = on;
    } else if (word == "ulnone") {
        chr.underline = false;
    } else if (word == "pard") {
        para = ParaFormat();
    } else if (word == "ql") {
        para.alignment = richdoc::Alignment::Left;
    } else if (word == "qc") {
        para.alignment = richdoc::Alignment::Center;
    } else if (word == "qr") {
        para.alignment = richdoc::Alignment::Right;
    } else if (word == "qj" || word == "qd") {
        para.alignment = richdoc::Alignment::Justify;
    } else if (word == "li" || word == "lin") {
        para.left = clampInt(param, -kMaxIndent, kMaxIndent);
    } else if (word == "ri" || word == "rin") {
        para.right = clampInt(param, -kMaxIndent, kMaxIndent);
    } else if (word == "fi") {
        para.first = clampInt(param, -kMaxIndent, kMaxIndent);
    } else if (word == "ls") {
        para.ls = clampInt(param, 0, kMaxNumber);
    } else if (word == "ilvl") {
        para.ilvl = clampInt(param, 0, 8);
    }
}

} // namespace

bool readDocument(const QByteArray &data, richdoc::Document &doc, QString *error)
{
    Reader reader(data);
    if (!reader.run(error))
        return false;
    doc = reader.document();
    return true;
}

} // namespace rtf
