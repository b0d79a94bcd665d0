#include "store/collection.h"

#include <algorithm>
#include <atomic>
#include <climits>

namespace {

// Four-digit numbers go up to 9999, one index slot each.
constexpr int kIndexSize = 10000;

const QLatin1String kOpenPrefix("<BLOC");
const QLatin1String kClosePrefix("</BLOC");

// Value of the four ASCII digits at pos, or -1.
int digitsAt(const QString &line, qsizetype pos)
{
    if (line.size() < pos + 4)
        return -1;
    int n = 0;
    for (qsizetype i = pos; i < pos + 4; ++i) {
        const char16_t c = line[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

// Any line that starts like an opening or a closing tag, whatever the case of its letters.
bool looksOpening(const QString &line)
{
    return line.startsWith(kOpenPrefix, Qt::CaseInsensitive);
}

bool looksClosing(const QString &line)
{
    return line.startsWith(kClosePrefix, Qt::CaseInsensitive);
}

bool isBlank(const QString &line)
{
    for (QChar c : line)
        if (c.unicode() > u' ')
            return false;
    return true;
}

// A content line as writeBlock() and setBlocks() store it: line breaks become spaces, and a
// line that would read as a tag gets one space in front.
QString storedLine(const QString &line)
{
    QString out = line;
    if (line.contains(u'\r') || line.contains(u'\n')) {
        out.replace(u'\r', u' ');
        out.replace(u'\n', u' ');
    }
    if (out.startsWith(u'<') && Collection::looksLikeTag(out))
        out.prepend(u' ');
    return out;
}

// True when line is the closing tag of the block opened by open: "</BLOC", the four
// characters that follow "<BLOC" in open, ">" (compared exactly).
bool closesBlock(const QString &open, const QString &line)
{
    const QStringView digits = QStringView(open).mid(5, 4);
    return line.size() == digits.size() + 7 && line.startsWith(kClosePrefix)
           && QStringView(line).mid(6, digits.size()) == digits && line.back() == u'>';
}

// One block as found by the repairs: its number (-1 when its tag does not hold four digits),
// and its content lines.
struct Segment {
    int number = -1;
    QStringList content;
};

// Cuts lines into blocks. A block starts at a line beginning with "<BLOC" and ends at its own
// closing tag, or before the next line beginning with "<BLOC", or at the end. Lines outside
// blocks and closing tags that do not close the block they are in are left out. canonical
// tells whether the lines were already sound: every tag well formed and closing its own block,
// no stray closing tag. Content is gathered only when wanted.
QList<Segment> segment(const QStringList &lines, bool wantContent, bool *canonical)
{
    QList<Segment> segments;
    bool sound = true;
    bool inBlock = false;
    QString ownClose;        // closing tag of the open block, as its opening tag spells the number
    for (const QString &line : lines) {
        if (looksOpening(line)) {
            if (inBlock)
                sound = false; // the previous block was never closed
            Segment s;
            s.number = Collection::openTagNumber(line);
            if (s.number < 0 || line != Collection::openTag(s.number))
                sound = false;
            ownClose = kClosePrefix + line.mid(5, 4) + QLatin1Char('>');
            segments.append(s);
            inBlock = true;
        } else if (looksClosing(line)) {
            if (inBlock && line.compare(ownClose, Qt::CaseInsensitive) == 0) {
                if (line != ownClose)
                    sound = false;
                inBlock = false;
            } else {
                sound = false; // stray closing tag, dropped
            }
        } else if (inBlock && wantContent) {
            segments.last().content.append(line);
        }
    }
    if (inBlock)
        sound = false;
    if (canonical)
        *canonical = sound;
    return segments;
}

} // namespace

QString Collection::fourDigits(int n)
{
    // "000" in front, then four characters from the position given by the number of digits.
    const QString digits = QString::number(n);
    return QString(QLatin1String("000") + digits).mid(digits.size() - 1, 4);
}

QString Collection::openTag(int n)
{
    return kOpenPrefix + fourDigits(n) + QLatin1Char('>');
}

QString Collection::closeTag(int n)
{
    return kClosePrefix + fourDigits(n) + QLatin1Char('>');
}

int Collection::openTagNumber(const QString &line)
{
    if (line.size() != 10 || line[9] != u'>' || !looksOpening(line))
        return -1;
    return digitsAt(line, 5);
}

QString Collection::tagText(const QString &line)
{
    return line.mid(4, kTagTextMax);
}

void Collection::touch()
{
    static std::atomic<quint64> counter{0};
    m_revision = ++counter;
}

void Collection::setLines(const QStringList &lines)
{
    m_lines = lines;
    invalidateIndex();
    touch();
}

void Collection::clear()
{
    m_lines.clear();
    m_count = 0;
    m_current = 0;
    invalidateIndex();
    touch();
}

int Collection::countOpeningTags() const
{
    int n = 0;
    for (const QString &line : m_lines)
        if (line.startsWith(kOpenPrefix))
            ++n;
    return n;
}

void Collection::ensureIndex() const
{
    if (m_indexValid)
        return;
    m_first.fill(-1, kIndexSize);
    m_occurrences.fill(0, kIndexSize);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const int n = openTagNumber(m_lines[i]);
        if (n < 0)
            continue;
        if (m_first[n] < 0)
            m_first[n] = int(i);
        ++m_occurrences[n];
    }
    m_indexValid = true;
}

int Collection::find(int n) const
{
    if (n < 0 || n >= kIndexSize)
        return -1;
    ensureIndex();
    return m_first[n];
}

qsizetype Collection::blockEnd(qsizetype first, int n) const
{
    const QString close = closeTag(n);
    for (qsizetype j = first + 1; j < m_lines.size(); ++j) {
        const QString &line = m_lines[j];
        if (line == close)
            return j + 1;
        if (looksOpening(line))
            return j;
    }
    return m_lines.size();
}

QStringList Collection::blockContent(int n, int maxLines) const
{
    const int first = find(n);
    return first < 0 ? QStringList() : contentAt(first, maxLines);
}

QStringList Collection::contentAt(qsizetype openLine, int maxLines, qsizetype *next) const
{
    QStringList out;
    const QString open = m_lines.value(openLine);
    qsizetype j = openLine + 1;
    for (; j < m_lines.size(); ++j) {
        const QString &line = m_lines[j];
        if (closesBlock(open, line)) {
            if (next)
                *next = j + 1;
            return out;
        }
        if (looksOpening(line))
            break;
        if (maxLines < 0 || out.size() < maxLines)
            out.append(line);
        else if (!next)
            return out;
    }
    if (next)
        *next = j;
    return out;
}

QString Collection::lineOfBlock(int n, int distance) const
{
    const int first = find(n);
    return first < 0 ? QString() : lineAt(first, distance);
}

QString Collection::lineAt(qsizetype openLine, int distance) const
{
    if (openLine < 0 || openLine >= m_lines.size() || distance < 1)
        return {};
    const QString &open = m_lines[openLine];
    for (qsizetype j = openLine + 1; j <= openLine + distance; ++j) {
        if (j >= m_lines.size())
            return {};
        const QString &line = m_lines[j];
        if (closesBlock(open, line) || looksOpening(line))
            return {};
    }
    const QString &line = m_lines[openLine + distance];
    return line.isNull() ? QStringLiteral("") : line;
}

QList<Collection::BlockAt> Collection::blocks() const
{
    QList<BlockAt> out;
    out.reserve(m_count);
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].startsWith(kOpenPrefix))
            out.append({i, digitsAt(m_lines[i], 5)});
    return out;
}

int Collection::setBlocks(const QList<QStringList> &contents)
{
    const int kept = int(std::min<qsizetype>(contents.size(), kMaxBlocks));
    qsizetype total = 0;
    for (int j = 0; j < kept; ++j)
        total += contents[j].size() + 2;
    QStringList lines;
    lines.reserve(total);
    for (int j = 0; j < kept; ++j) {
        lines.append(openTag(j));
        for (const QString &line : contents[j])
            lines.append(storedLine(line));
        lines.append(closeTag(j));
    }
    m_lines = std::move(lines);
    invalidateIndex();
    touch();
    m_count = kept;
    m_current = std::clamp(m_current, 0, std::max(0, kept - 1));
    return int(contents.size() - kept);
}

bool Collection::looksLikeTag(const QString &text)
{
    return looksOpening(text) || looksClosing(text);
}

void Collection::replaceLines(qsizetype at, qsizetype removeCount, const QStringList &insert)
{
    touch();
    const qsizetype oldSize = m_lines.size();
    // Opening tags leaving the collection.
    if (m_indexValid) {
        for (qsizetype j = at; j < at + removeCount && m_indexValid; ++j) {
            const int m = openTagNumber(m_lines[j]);
            if (m < 0)
                continue;
            if (m_first[m] == j) {
                if (m_occurrences[m] > 1)
                    invalidateIndex(); // a later copy becomes the first: search again later
                else
                    m_first[m] = -1;
            }
            --m_occurrences[m];
        }
    }

    const qsizetype common = std::min(removeCount, insert.size());
    for (qsizetype k = 0; k < common; ++k)
        m_lines[at + k] = insert[k];
    if (at == oldSize) {
        m_lines.append(insert);
    } else if (removeCount > common) {
        m_lines.remove(at + common, removeCount - common);
    } else if (insert.size() > common) {
        m_lines.insert(at + common, insert.size() - common, QString());
        for (qsizetype k = common; k < insert.size(); ++k)
            m_lines[at + k] = insert[k];
    }

    if (!m_indexValid)
        return;
    const qsizetype delta = insert.size() - removeCount;
    const qsizetype from = at + removeCount;
    // Nothing stands after an append: no entry to shift.
    if (delta != 0 && from < oldSize) {
        for (int &first : m_first)
            if (first >= from)
                first += int(delta);
    }
    // Opening tags entering it.
    for (qsizetype k = 0; k < insert.size(); ++k) {
        const int m = openTagNumber(insert[k]);
        if (m < 0)
            continue;
        const int p = int(at + k);
        if (m_first[m] < 0 || p < m_first[m])
            m_first[m] = p;
        ++m_occurrences[m];
    }
}

bool Collection::writeBlock(int n, const QStringList &content, Placement placement)
{
    if (n < 0 || n >= kMaxBlocks)
        return false;
    QStringList block;
    block.reserve(content.size() + 2);
    block.append(openTag(n));
    for (const QString &line : content)
        block.append(storedLine(line));
    block.append(closeTag(n));

    const int first = find(n);
    if (first < 0) {
        replaceLines(m_lines.size(), 0, block);
        return true;
    }
    const qsizetype end = blockEnd(first, n);
    if (end >= m_lines.size()) {
        // The old block was the last thing in the collection: the new one takes its place,
        // which is the end.
        replaceLines(first, end - first, block);
    } else if (placement == Placement::InPlace) {
        replaceLines(first, end - first, block);
        if (m_count == 0)
            m_count = 1;
    } else {
        replaceLines(first, end - first, {});
        replaceLines(m_lines.size(), 0, block);
    }
    return true;
}

bool Collection::add()
{
    if (m_count >= kMaxBlocks)
        return false;
    replaceLines(m_lines.size(), 0, {QStringLiteral(" ")});
    ++m_count;
    return true;
}

void Collection::squize()
{
    const qsizetype n = m_lines.size();
    qsizetype k = 0;
    while (k < n && isBlank(m_lines[k])) {
        ++k;
        if (n - k < 3)
            break;
    }
    if (k > 0)
        replaceLines(0, k, {});
}

bool Collection::verif(int *dropped)
{
    int sum = 0;
    for (const QString &line : m_lines) {
        if (line.startsWith(kOpenPrefix))
            ++sum;
        else if (line.startsWith(kClosePrefix))
            --sum;
    }
    if (sum == 0)
        return false;
    const int lost = rebuild();
    if (dropped)
        *dropped = lost;
    return true;
}

Collection::Duplicates Collection::doublons()
{
    // Only well-formed tags take part; anything else is normalise()'s business.
    QList<int> tally(kIndexSize, 0);
    bool twice = false;
    for (const QString &line : m_lines) {
        const int n = openTagNumber(line);
        if (n >= 0 && ++tally[n] == 2)
            twice = true;
    }
    Duplicates result;
    if (twice)
        result.dropped = rebuild(&result);
    else
        recount();
    return result;
}

bool Collection::normalise(int *dropped)
{
    bool canonical = false;
    const QList<Segment> segments = segment(m_lines, false, &canonical);
    if (canonical && segments.size() == m_count && m_count <= kMaxBlocks) {
        QList<bool> seen(m_count, false);
        bool contiguous = true;
        for (const Segment &s : segments) {
            if (s.number < 0 || s.number >= m_count || seen[s.number]) {
                contiguous = false;
                break;
            }
            seen[s.number] = true;
        }
        if (contiguous)
            return false;
    }
    const int lost = rebuild();
    if (dropped)
        *dropped = lost;
    return true;
}

int Collection::rebuild(Duplicates *duplicates)
{
    QList<Segment> segments = segment(m_lines, true, nullptr);
    // A block holding only blank lines (a stray opening tag, with at most the blank lines that
    // stand between blocks) holds nothing anyone typed: it is not a record.
    segments.removeIf([](const Segment &s) { return std::all_of(s.content.cbegin(), s.content.cend(), isBlank); });
    std::stable_sort(segments.begin(), segments.end(), [](const Segment &a, const Segment &b) {
        const int ka = a.number < 0 ? INT_MAX : a.number;
        const int kb = b.number < 0 ? INT_MAX : b.number;
        return ka < kb;
    });
    // Copies of one number: the first keeps its place; a later copy identical to one kept is
    // the same record and goes; a later copy that differs holds something typed and is kept,
    // renumbered after every other block.
    QList<QStringList> contents;
    QList<QStringList> later;
    contents.reserve(segments.size());
    Duplicates counted;
    for (qsizetype i = 0; i < segments.size();) {
        qsizetype j = i + 1;
        while (j < segments.size() && segments[j].number == segments[i].number)
            ++j;
        if (segments[i].number < 0) {
            for (qsizetype k = i; k < j; ++k)
                contents.append(std::move(segments[k].content));
        } else {
            QList<qsizetype> kept{i};
            for (qsizetype k = i + 1; k < j; ++k) {
                const bool same = std::any_of(kept.cbegin(), kept.cend(),
                                              [&](qsizetype m) { return segments[m].content == segments[k].content; });
                if (same) {
                    ++counted.removed;
                } else {
                    kept.append(k);
                    ++counted.moved;
                }
            }
            contents.append(segments[i].content);
            for (qsizetype k : kept.mid(1))
                later.append(segments[k].content);
        }
        i = j;
    }
    contents.append(later);
    if (duplicates) {
        duplicates->removed += counted.removed;
        duplicates->moved += counted.moved;
    }
    return setBlocks(contents);
}

bool Collection::supBloc(int n)
{
    const int first = find(n);
    if (first < 0)
        return false;
    replaceLines(first, blockEnd(first, n) - first, {});
    return true;
}

void Collection::renum(int k)
{
    if (m_count < 2)
        return;
    for (QString &line : m_lines) {
        qsizetype pos;
        if (line.startsWith(kOpenPrefix))
            pos = 5;
        else if (line.startsWith(kClosePrefix))
            pos = 6;
        else
            continue;
        const int m = digitsAt(line, pos);
        if (m > k)
            line = line.left(pos) + fourDigits(m - 1) + line.mid(pos + 4);
    }
    invalidateIndex();
    touch();
    --m_count;
}

bool Collection::supprime()
{
    if (m_count <= 0)
        return false;
    const int k = m_current;
    supBloc(k);
    if (m_count >= 2)
        renum(k);
    else
        m_count = 0;
    if (m_current > m_count - 1)
        m_current = std::max(0, m_count - 1);
    return true;
}
