#include "store/collection.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <utility>

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
// Most lines do not start with '<': they are told apart at the first character.
bool looksOpening(const QString &line)
{
    return !line.isEmpty() && line.front() == u'<' && line.startsWith(kOpenPrefix, Qt::CaseInsensitive);
}

bool looksClosing(const QString &line)
{
    return !line.isEmpty() && line.front() == u'<' && line.startsWith(kClosePrefix, Qt::CaseInsensitive);
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

bool isBlockPiece(const QStringList &piece)
{
    return !piece.isEmpty() && looksOpening(piece.first());
}

bool isClosed(const QStringList &piece)
{
    return piece.size() >= 2 && closesBlock(piece.first(), piece.last());
}

// The content of a block piece: the lines after its opening tag, before its closing tag if it
// has one.
qsizetype contentEnd(const QStringList &piece)
{
    return isClosed(piece) ? piece.size() - 1 : piece.size();
}

// Cuts lines into pieces: a block piece from each line starting like an opening tag to its
// closing tag (or up to the next such line, or the end), a loose piece for each run of lines
// between blocks.
QList<QStringList> cutIntoPieces(const QStringList &lines)
{
    QList<QStringList> pieces;
    const qsizetype n = lines.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i++;
        if (looksOpening(lines[start])) {
            while (i < n && !looksOpening(lines[i])) {
                if (closesBlock(lines[start], lines[i++]))
                    break;
            }
        } else {
            while (i < n && !looksOpening(lines[i]))
                ++i;
        }
        pieces.append(lines.mid(start, i - start));
    }
    return pieces;
}

// The Fenwick tree of the pieces' line counts (see m_tree).
qsizetype lowbit(qsizetype i)
{
    return i & -i;
}

void treeBuild(QList<qsizetype> &tree, const QList<QStringList> &pieces)
{
    tree.resize(pieces.size());
    for (qsizetype i = 0; i < pieces.size(); ++i)
        tree[i] = pieces[i].size();
    for (qsizetype i = 1; i <= tree.size(); ++i) {
        const qsizetype up = i + lowbit(i);
        if (up <= tree.size())
            tree[up - 1] += tree[i - 1];
    }
}

// Lines in the first count pieces.
qsizetype treePrefix(const QList<qsizetype> &tree, qsizetype count)
{
    qsizetype sum = 0;
    for (qsizetype i = count; i > 0; i -= lowbit(i))
        sum += tree[i - 1];
    return sum;
}

void treeAdd(QList<qsizetype> &tree, qsizetype piece, qsizetype delta)
{
    for (qsizetype i = piece + 1; i <= tree.size(); i += lowbit(i))
        tree[i - 1] += delta;
}

void treeAppend(QList<qsizetype> &tree, qsizetype size)
{
    const qsizetype i = tree.size() + 1;
    tree.append(size + treePrefix(tree, i - 1) - treePrefix(tree, i - lowbit(i)));
}

// The piece holding line (less than the total): the first piece whose running count passes
// line, so that holes, holding no line, are passed over.
qsizetype treeFind(const QList<qsizetype> &tree, qsizetype line)
{
    qsizetype step = 1;
    while (step * 2 <= tree.size())
        step *= 2;
    qsizetype pos = 0;
    for (; step > 0; step /= 2) {
        if (pos + step <= tree.size() && tree[pos + step - 1] <= line) {
            pos += step;
            line -= tree[pos - 1];
        }
    }
    return pos;
}

// Reading on the lines end to end, when the pieces are not cut or the call does not start at
// a block.
QStringList flatContent(const QStringList &lines, qsizetype openLine, int maxLines, qsizetype *next)
{
    QStringList out;
    const QString open = lines.value(openLine);
    qsizetype j = openLine + 1;
    for (; j < lines.size(); ++j) {
        const QString &line = lines[j];
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

QString flatLine(const QStringList &lines, qsizetype openLine, int distance)
{
    if (openLine < 0 || openLine >= lines.size() || distance < 1)
        return {};
    const QString &open = lines[openLine];
    for (qsizetype j = openLine + 1; j <= openLine + distance; ++j) {
        if (j >= lines.size())
            return {};
        const QString &line = lines[j];
        if (closesBlock(open, line) || looksOpening(line))
            return {};
    }
    const QString &line = lines[openLine + distance];
    return line.isNull() ? QStringLiteral("") : line;
}

// renum(): a line starting exactly with "<BLOC" or "</BLOC" and a number m > k, with m - 1
// instead; a null string for any other line.
QString renumberedTag(const QString &line, int k)
{
    qsizetype pos;
    if (line.startsWith(kOpenPrefix))
        pos = 5;
    else if (line.startsWith(kClosePrefix))
        pos = 6;
    else
        return {};
    const int m = digitsAt(line, pos);
    if (m <= k)
        return {};
    return line.left(pos) + Collection::fourDigits(m - 1) + line.mid(pos + 4);
}

// How many leading blank lines squize() removes from head, the first lines of a collection of
// total lines.
qsizetype leadingBlanks(const QStringList &head, qsizetype total)
{
    qsizetype k = 0;
    while (k < head.size() && isBlank(head[k])) {
        ++k;
        if (total - k < 3)
            break;
    }
    return k;
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

bool Collection::looksLikeTag(const QString &text)
{
    return looksOpening(text) || looksClosing(text);
}

void Collection::touch()
{
    static std::atomic<quint64> counter{0};
    m_revision = ++counter;
}

void Collection::setFlat(QStringList lines)
{
    m_lineCount = lines.size();
    m_flat = std::move(lines);
    m_flatValid = true;
    m_pieces = {};
    m_tree = {};
    m_holes = 0;
    m_piecesValid = false;
    m_indexValid = false;
    touch();
}

void Collection::piecesChanged()
{
    m_flat = QStringList();
    m_flatValid = false;
    touch();
}

const QStringList &Collection::lines() const
{
    if (!m_flatValid) {
        QStringList flat;
        flat.reserve(m_lineCount);
        for (const QStringList &piece : std::as_const(m_pieces))
            flat.append(piece);
        m_flat = std::move(flat);
        m_flatValid = true;
    }
    return m_flat;
}

void Collection::setLines(const QStringList &lines)
{
    setFlat(lines);
}

void Collection::clear()
{
    setFlat({});
    m_count = 0;
    m_current = 0;
}

int Collection::countOpeningTags() const
{
    int n = 0;
    if (m_flatValid) {
        for (const QString &line : std::as_const(m_flat))
            if (line.startsWith(kOpenPrefix))
                ++n;
    } else {
        // Every line starting like an opening tag is the first line of its piece.
        for (const QStringList &piece : std::as_const(m_pieces))
            if (!piece.isEmpty() && piece.first().startsWith(kOpenPrefix))
                ++n;
    }
    return n;
}

void Collection::ensurePieces() const
{
    if (m_piecesValid)
        return;
    m_pieces = cutIntoPieces(m_flat);
    treeBuild(m_tree, m_pieces);
    m_holes = 0;
    m_piecesValid = true;
    m_indexValid = false;
}

void Collection::ensureIndex() const
{
    ensurePieces();
    if (m_indexValid)
        return;
    m_first.fill(-1, kIndexSize);
    m_occurrences.fill(0, kIndexSize);
    for (qsizetype p = 0; p < m_pieces.size(); ++p) {
        const QStringList &piece = m_pieces.at(p);
        if (piece.isEmpty())
            continue;
        const int n = openTagNumber(piece.first());
        if (n < 0)
            continue;
        if (m_first[n] < 0)
            m_first[n] = int(p);
        ++m_occurrences[n];
    }
    m_indexValid = true;
}

qsizetype Collection::pieceOf(int n) const
{
    if (n < 0 || n >= kIndexSize)
        return -1;
    ensureIndex();
    return m_first.at(n);
}

qsizetype Collection::pieceStart(qsizetype p) const
{
    return treePrefix(m_tree, p);
}

qsizetype Collection::pieceAt(qsizetype line) const
{
    return treeFind(m_tree, line);
}

int Collection::find(int n) const
{
    const qsizetype p = pieceOf(n);
    return p < 0 ? -1 : int(pieceStart(p));
}

bool Collection::contains(int n) const
{
    return pieceOf(n) >= 0;
}

QStringList Collection::pieceContent(qsizetype p, int maxLines) const
{
    const QStringList &piece = m_pieces.at(p);
    qsizetype size = contentEnd(piece) - 1;
    if (maxLines >= 0)
        size = std::min<qsizetype>(size, maxLines);
    return piece.mid(1, size);
}

QString Collection::pieceLine(qsizetype p, int distance) const
{
    const QStringList &piece = m_pieces.at(p);
    if (distance < 1 || distance >= contentEnd(piece))
        return {};
    const QString &line = piece[distance];
    return line.isNull() ? QStringLiteral("") : line;
}

bool Collection::blockPieceAt(qsizetype openLine, qsizetype *piece) const
{
    if (!m_piecesValid || openLine < 0 || openLine >= m_lineCount)
        return false;
    const qsizetype p = pieceAt(openLine);
    if (pieceStart(p) != openLine || !isBlockPiece(m_pieces.at(p)))
        return false;
    *piece = p;
    return true;
}

QStringList Collection::blockContent(int n, int maxLines) const
{
    const qsizetype p = pieceOf(n);
    return p < 0 ? QStringList() : pieceContent(p, maxLines);
}

QStringList Collection::contentAt(qsizetype openLine, int maxLines, qsizetype *next) const
{
    qsizetype p = -1;
    if (!m_flatValid && blockPieceAt(openLine, &p)) {
        if (next)
            *next = openLine + m_pieces.at(p).size();
        return pieceContent(p, maxLines);
    }
    return flatContent(lines(), openLine, maxLines, next);
}

QString Collection::lineOfBlock(int n, int distance) const
{
    const qsizetype p = pieceOf(n);
    return p < 0 ? QString() : pieceLine(p, distance);
}

QString Collection::lineAt(qsizetype openLine, int distance) const
{
    qsizetype p = -1;
    if (!m_flatValid && blockPieceAt(openLine, &p))
        return pieceLine(p, distance);
    return flatLine(lines(), openLine, distance);
}

QList<Collection::BlockAt> Collection::blocks() const
{
    QList<BlockAt> out;
    out.reserve(m_count);
    if (m_flatValid) {
        for (qsizetype i = 0; i < m_flat.size(); ++i)
            if (m_flat.at(i).startsWith(kOpenPrefix))
                out.append({i, digitsAt(m_flat.at(i), 5)});
        return out;
    }
    qsizetype line = 0;
    for (const QStringList &piece : std::as_const(m_pieces)) {
        if (!piece.isEmpty() && piece.first().startsWith(kOpenPrefix))
            out.append({line, digitsAt(piece.first(), 5)});
        line += piece.size();
    }
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
    setFlat(std::move(lines));
    m_count = kept;
    m_current = std::clamp(m_current, 0, std::max(0, kept - 1));
    return int(contents.size() - kept);
}

void Collection::replacePiece(qsizetype p, QStringList lines)
{
    // Same block number: the index does not change.
    const qsizetype delta = lines.size() - m_pieces[p].size();
    m_pieces[p] = std::move(lines);
    treeAdd(m_tree, p, delta);
    m_lineCount += delta;
}

void Collection::removePiece(qsizetype p)
{
    QStringList &piece = m_pieces[p];
    const int n = openTagNumber(piece.first());
    if (m_indexValid && n >= 0) {
        --m_occurrences[n];
        if (m_first[n] == p) {
            if (m_occurrences[n] > 0)
                m_indexValid = false; // a later copy becomes the first: search again later
            else
                m_first[n] = -1;
        }
    }
    treeAdd(m_tree, p, -piece.size());
    m_lineCount -= piece.size();
    piece = QStringList();
    ++m_holes;
    // Only loose lines can have to join the piece before the hole.
    const qsizetype at = pieceStart(p);
    if (at > 0 && at < m_lineCount) {
        const qsizetype next = pieceAt(at);
        if (!isBlockPiece(m_pieces.at(next)))
            rejoin(pieceAt(at - 1), next);
    }
}

void Collection::appendPiece(QStringList lines)
{
    const qsizetype p = m_pieces.size();
    const qsizetype at = m_lineCount;
    const int n = openTagNumber(lines.first());
    if (m_indexValid && n >= 0) {
        if (m_first[n] < 0)
            m_first[n] = int(p);
        ++m_occurrences[n];
    }
    treeAppend(m_tree, lines.size());
    m_lineCount += lines.size();
    m_pieces.append(std::move(lines));
    if (at > 0 && !isBlockPiece(m_pieces.at(p)))
        rejoin(pieceAt(at - 1), p);
}

void Collection::rejoin(qsizetype a, qsizetype b)
{
    QStringList &first = m_pieces[a];
    QStringList &second = m_pieces[b];
    if (isBlockPiece(second))
        return;
    qsizetype take = second.size();
    if (isBlockPiece(first)) {
        if (isClosed(first))
            return;
        // The block without its closing tag takes the loose lines up to its closing tag.
        take = 0;
        while (take < second.size())
            if (closesBlock(first.first(), second[take++]))
                break;
    }
    first.append(second.mid(0, take));
    second.remove(0, take);
    treeAdd(m_tree, a, take);
    treeAdd(m_tree, b, -take);
    if (second.isEmpty()) {
        second = QStringList();
        ++m_holes;
    }
}

void Collection::sweepHoles()
{
    if (m_holes <= 8 || m_holes * 2 <= m_pieces.size())
        return;
    QList<QStringList> live;
    live.reserve(m_pieces.size() - m_holes);
    for (QStringList &piece : m_pieces)
        if (!piece.isEmpty())
            live.append(std::move(piece));
    m_pieces = std::move(live);
    treeBuild(m_tree, m_pieces);
    m_holes = 0;
    m_indexValid = false; // the pieces moved: rebuilt from the pieces' first lines
}

bool Collection::writeBlock(int n, const QStringList &content, Placement placement)
{
    if (n < 0 || n >= kMaxBlocks)
        return false;
    const quint64 before = m_revision;
    QStringList block;
    block.reserve(content.size() + 2);
    block.append(openTag(n));
    for (const QString &line : content)
        block.append(storedLine(line));
    block.append(closeTag(n));

    const qsizetype p = pieceOf(n);
    if (p < 0) {
        appendPiece(std::move(block));
    } else if (pieceStart(p) + m_pieces[p].size() == m_lineCount) {
        // The old block was the last thing in the collection: the new one takes its place,
        // which is the end.
        replacePiece(p, std::move(block));
    } else if (placement == Placement::InPlace) {
        replacePiece(p, std::move(block));
        if (m_count == 0)
            m_count = 1;
    } else {
        removePiece(p);
        appendPiece(std::move(block));
    }
    piecesChanged();
    sweepHoles();
    m_lastWrite = {before, m_revision, n};
    return true;
}

bool Collection::add()
{
    if (m_count >= kMaxBlocks)
        return false;
    ensurePieces();
    appendPiece({QStringLiteral(" ")});
    piecesChanged();
    sweepHoles();
    ++m_count;
    return true;
}

void Collection::squize()
{
    if (m_lineCount == 0)
        return;
    if (!m_piecesValid) {
        const qsizetype k = leadingBlanks(m_flat, m_flat.size());
        if (k > 0) {
            QStringList lines = std::move(m_flat);
            lines.remove(0, k);
            setFlat(std::move(lines));
        }
        return;
    }
    // Leading blank lines are all in the first piece: a block piece starts with its tag.
    const qsizetype p = pieceAt(0);
    QStringList &piece = m_pieces[p];
    const qsizetype k = leadingBlanks(piece, m_lineCount);
    if (k == 0)
        return;
    piece.remove(0, k);
    treeAdd(m_tree, p, -k);
    m_lineCount -= k;
    if (piece.isEmpty()) {
        piece = QStringList();
        ++m_holes;
    }
    piecesChanged();
}

bool Collection::verif(int *dropped)
{
    int sum = 0;
    for (const QString &line : lines()) {
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
    const QStringList &lines = this->lines();
    // Only well-formed tags take part; anything else is normalise()'s business.
    QList<int> tally(kIndexSize, 0);
    bool twice = false;
    for (const QString &line : lines) {
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
    const QList<Segment> segments = segment(lines(), false, &canonical);
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
    QList<Segment> segments = segment(lines(), true, nullptr);
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
    const qsizetype p = pieceOf(n);
    if (p < 0)
        return false;
    removePiece(p);
    piecesChanged();
    sweepHoles();
    return true;
}

void Collection::renum(int k)
{
    if (m_count < 2)
        return;
    --m_count;
    ensurePieces();
    // Renumbering keeps every piece whole unless a tag now closes a damaged block elsewhere than
    // its last line, or a block loses its closing tag in front of loose lines: then the
    // pieces are cut again.
    bool whole = true;
    for (qsizetype p = 0; p < m_pieces.size(); ++p) {
        bool rewritten = false;
        for (qsizetype j = 0; j < m_pieces.at(p).size(); ++j) {
            QString tag = renumberedTag(m_pieces.at(p).at(j), k);
            if (!tag.isNull()) {
                m_pieces[p][j] = std::move(tag);
                rewritten = true;
            }
        }
        const QStringList &piece = m_pieces.at(p);
        if (!rewritten || !whole || !isBlockPiece(piece))
            continue;
        for (qsizetype j = 1; j + 1 < piece.size() && whole; ++j)
            whole = !closesBlock(piece.first(), piece[j]);
        if (whole && !isClosed(piece)) {
            const qsizetype end = pieceStart(p) + piece.size();
            if (end < m_lineCount)
                whole = isBlockPiece(m_pieces.at(pieceAt(end)));
        }
    }
    m_indexValid = false;
    piecesChanged();
    if (!whole) {
        lines();
        setFlat(std::move(m_flat));
    }
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
