#pragma once

#include "store/codeindex.h"

#include <QList>
#include <QString>
#include <QStringList>

// One collection of a dossier (employees, profiles or payslips): the lines of its file, in
// order, holding numbered blocks
//
//     <BLOC0000>
//     ...positional lines, then "MEMO", "DATA" and "PAIE" lines...
//     </BLOC0000>
//
// plus the collection's count (number of records) and current record number. Every block
// operation of the program is written here once and used for the three collections.
//
// Lookup: block n is the first line equal to openTag(n) without regard to case. Finding,
// reading and writing back a block cost the size of the block, not the size of the
// collection. For that the lines are held as pieces, in the order of the file: each block is
// one piece (its extent, below), and the lines between blocks form loose pieces. Beside the
// pieces the collection keeps an index from block number to the piece of its first opening
// tag, and the running line counts of the pieces, so that a line index is found in a time
// that grows with the logarithm of the number of blocks. Writing a block back replaces its
// piece; a block moved to the end leaves a hole where it stood, and holes are swept away once
// they make up half the pieces. lines() puts the pieces end to end when asked and keeps the
// result until the next change, so that scans and saves stay linear; a whole-collection
// change (a load, a sort, a repair) works on those lines and the pieces are cut again at the
// next lookup.
//
// Extent of a block: from its opening tag to the first following line equal to its closing
// tag. A block whose closing tag is missing ends before the next line starting with "<BLOC"
// (or at the end of the collection), so that rewriting or deleting it never takes the blocks
// after it along.
//
// The edited flag of a record belongs to its form (employees, profiles, payslips), not to the
// collection: writeBlock() always writes, the caller decides whether the form needs it.
class Collection
{
public:
    // A collection holds at most 9999 blocks, numbered 0000 to 9998.
    static constexpr int kMaxBlocks = 9999;
    // Readers take at most this many characters after the four-character tag of a
    // "MEMO", "DATA" or "PAIE" line.
    static constexpr int kTagTextMax = 255;

    // Where writeBlock() puts a rewritten block.
    enum class Placement {
        // Employees: the block keeps its place; a new block, or one that was the last thing
        // in the collection, goes to the end.
        InPlace,
        // Profiles and payslips: the old block is removed and the new one always goes to the end.
        AtEnd,
    };

    // Four-digit form of n, 0 <= n <= 9999: 7 gives "0007", 1234 gives "1234".
    static QString fourDigits(int n);
    // "<BLOC" + fourDigits(n) + ">" and "</BLOC" + fourDigits(n) + ">".
    static QString openTag(int n);
    static QString closeTag(int n);
    // The number of a line that is exactly an opening tag ("<BLOC", four digits, ">", letters
    // in any case), or -1.
    static int openTagNumber(const QString &line);
    // True when text would be taken for an opening or closing tag ("<BLOC", "</BLOC", any
    // case) if it stood alone on a line: a field holding it would cut its block in two.
    static bool looksLikeTag(const QString &text);
    // The text of a tagged content line after its four-character tag ("MEMO", "DATA",
    // "PAIE"), at most kTagTextMax characters.
    static QString tagText(const QString &line);

    Collection() = default;

    // The lines, exactly as the file holds them. Put together after a change (linear), then
    // kept until the next change, which the reference returned does not outlive (copy the
    // list to keep it): call it for scans, not for one block.
    const QStringList &lines() const;
    // Changes with every change of the lines (not of the count or the current number), taken
    // from one counter of the whole program: two collections at the same revision hold the
    // same lines, so caches built over the lines know when to rebuild.
    quint64 revision() const { return m_revision; }
    // The last writeBlock(): the revisions before and after it, and its block. A cache that
    // stood at `before` and finds the collection at `after` has only that block to read again.
    struct LastWrite {
        quint64 before = 0;
        quint64 after = 0;
        int block = -1;
    };
    const LastWrite &lastWrite() const { return m_lastWrite; }

    // The block whose code line (the first line: employee code, profile code, payslip number)
    // equals code, trimmed and without regard to case; the lowest such block; -1 for none or a
    // blank code. Through an index kept beside the lines (CodeIndex), rebuilt only when the
    // lines changed other than by one writeBlock().
    int findCode(const QString &code) const { return m_codes.find(*this, code); }
    // The largest code line that reads as a whole number, when larger than floor; floor
    // otherwise.
    qint64 largestCode(qint64 floor) const { return m_codes.largest(*this, floor); }
    qsizetype lineCount() const { return m_lineCount; }
    // Replaces every line (a load). Count and current are left to the caller
    // (see recount()).
    void setLines(const QStringList &lines);
    // Empties the collection: no line, count 0, current 0.
    void clear();

    // Number of records, maintained by add() and supprime(), recomputed by recount() and the
    // repairs. Current record number, 0-based.
    int count() const { return m_count; }
    void setCount(int count) { m_count = count; }
    int current() const { return m_current; }
    void setCurrent(int n) { m_current = n; }

    // Number of lines whose first five characters are "<BLOC" (compared exactly).
    int countOpeningTags() const;
    // count = countOpeningTags().
    void recount() { m_count = countOpeningTags(); }

    // Line index of block n's opening tag, or -1 when there is no such block.
    int find(int n) const;
    bool contains(int n) const;
    // The lines of block n between its tags (without them): up to its closing tag, the next
    // opening tag or the end of the collection, and at most maxLines lines when maxLines >= 0.
    // Empty when the block does not exist. Costs the size of the block once the index is built.
    QStringList blockContent(int n, int maxLines = -1) const;
    // The same for the block whose opening tag stands at line openLine, for scans that walk
    // the blocks in the order of the lines; next receives the line after the block (after its
    // closing tag, or the next opening tag).
    QStringList contentAt(qsizetype openLine, int maxLines = -1, qsizetype *next = nullptr) const;
    // The content line at distance of block n (1 is the line after the opening tag): a null
    // QString when there is no such block or the block ends before that line, an empty
    // (non-null) one for an empty line. Costs the distance once the index is built.
    QString lineOfBlock(int n, int distance) const;
    // The same for the block whose opening tag stands at line openLine.
    QString lineAt(qsizetype openLine, int distance) const;

    // A block as a scan in the order of the lines meets it: the line of its opening tag and
    // the number the tag carries (-1 when its four characters are not digits).
    struct BlockAt {
        qsizetype line = -1;
        int number = -1;
    };
    // Every line starting with "<BLOC" (compared exactly, as countOpeningTags() counts them),
    // in the order of the lines: what the searches, lists, exports and the sort walk through.
    // One pass over the lines, or over the pieces when the lines are not put together.
    QList<BlockAt> blocks() const;

    // Replaces every line by the blocks of contents, in order: contents[j] becomes block j
    // between well-formed tags, each content line stored as writeBlock() stores it; lines
    // outside blocks are gone. Contents past kMaxBlocks cannot be numbered and are dropped;
    // the count becomes the number of blocks kept and the current number is kept within them.
    // Returns the number of contents dropped. Linear in the number of lines written.
    int setBlocks(const QList<QStringList> &contents);

    // Replaces block n (0 <= n < kMaxBlocks) by its tags around content, placed as said by
    // placement; a block that does not exist yet is appended. An InPlace write that keeps the
    // block in its place raises a count of 0 to 1. False (and nothing changed) when n is out
    // of range.
    //
    // Content lines are stored so that they stay inside their block whatever they hold: line
    // breaks would split a line into several lines of the file and shift every field after
    // it, so they are written as spaces; a line that would read as a tag (looksLikeTag())
    // would cut the block in two, so it is written with one space in front. Callers hand over
    // any text; none has to know what a tag looks like.
    bool writeBlock(int n, const QStringList &content, Placement placement);

    // A new record at the end: appends a line holding one space and raises the count; the new
    // record's number is count() - 1 and its block does not exist until it is written.
    // False, and nothing changed, when the collection already holds kMaxBlocks records: the
    // caller shows "Le fichier est plein".
    bool add();

    // Removes leading blank lines (empty or only blanks) before saving; stops at the first
    // non-blank line or as soon as fewer than three lines remain, so that a collection made of
    // two blank lines keeps one of them.
    void squize();

    // Balance check run on load: +1 for each line starting with "<BLOC", -1 for each line
    // starting with "</BLOC". When the sum is not zero the collection is rebuilt (rebuild())
    // and true is returned: the caller marks the dossier modified and warns the user.
    // dropped receives the number of blocks the rebuild could not keep (see rebuild()).
    bool verif(int *dropped = nullptr);
    // What resolving copies of one block number did: later copies identical to one kept were
    // removed (the same record twice), later copies that differ were kept and renumbered after
    // every other block (so nothing typed is lost); dropped counts blocks the rebuild could not
    // keep (see rebuild()).
    struct Duplicates {
        int removed = 0;
        int moved = 0;
        int dropped = 0;
        bool acted() const { return removed > 0 || moved > 0; }
    };
    // Duplicate check run on load after verif(): when a number stands in two or more
    // well-formed opening tags, the collection is rebuilt (rebuild()), which resolves the
    // copies as every rebuild does. Tags whose four characters are not digits are left to
    // normalise(). The count is recounted. Like every repair it changes the collection: the
    // caller marks the dossier modified and warns the user when it acted.
    Duplicates doublons();
    // Last repair of a load: when the blocks are not exactly numbers 0 to count - 1 each once,
    // in well-formed tags, each closed by its own closing tag, the collection is rebuilt
    // (rebuild()) so that every block is reachable. True when it acted; dropped as for verif().
    bool normalise(int *dropped = nullptr);
    // The rebuild behind verif(), doublons() and normalise(): cuts the collection into blocks
    // (a block ends at its closing tag, or where the next opening tag starts), drops the lines
    // outside blocks, stray closing tags and blocks holding only blank lines, and writes the
    // blocks back in ascending order of their old numbers (blocks whose number is not four
    // digits after them), renumbered 0, 1, 2... with well-formed tags (setBlocks()). Of several
    // copies of a number the first keeps its place, later identical copies go and later copies
    // that differ follow at the very end; duplicates, when given, adds up what was done to them.
    // Returns how many blocks were dropped past kMaxBlocks.
    int rebuild(Duplicates *duplicates = nullptr);

    // Removes block n (its first occurrence) if it exists; true when something was removed.
    bool supBloc(int n);
    // After deleting block k: when the count is 2 or more, every opening and closing tag
    // whose number m is greater than k becomes m - 1 and the count drops by one. Below 2
    // nothing changes.
    void renum(int k);
    // Deletes the current record: removes its block (if it was ever written), then renumbers
    // the blocks after it (renum). Deleting the only record leaves the collection with count 0,
    // so the record added next is block 0000. The current number is then kept within the
    // records (0 when none is left). The caller marks the dossier modified, then reads the new
    // current record into its form; the form's pending edits are not written first.
    // False, and nothing changed, when the collection has no record.
    bool supprime();

private:
    // Every line is in exactly one piece. A piece whose first line starts like an opening tag
    // ("<BLOC", any case) is a block piece and holds no other such line; it ends with its
    // closing tag, or, when it has none, before the next opening tag or at the end. Any other
    // piece is loose. Two loose pieces never follow each other, and a loose piece never
    // follows a block piece without its closing tag (its lines would belong to that block).
    // An empty piece is a hole left by a removal.
    void setFlat(QStringList lines);
    void piecesChanged();
    void ensurePieces() const;
    void ensureIndex() const;
    // The piece of block n's first opening tag, or -1.
    qsizetype pieceOf(int n) const;
    // Line index of the first line of piece p; the live piece holding line (< lineCount()).
    qsizetype pieceStart(qsizetype p) const;
    qsizetype pieceAt(qsizetype line) const;
    QStringList pieceContent(qsizetype p, int maxLines) const;
    QString pieceLine(qsizetype p, int distance) const;
    // True when line openLine starts a block piece; piece receives it.
    bool blockPieceAt(qsizetype openLine, qsizetype *piece) const;
    // Piece p becomes lines, another copy of the same block.
    void replacePiece(qsizetype p, QStringList lines);
    void removePiece(qsizetype p);
    void appendPiece(QStringList lines);
    // Restores the rules above between live pieces a and b = the one after a.
    void rejoin(qsizetype a, qsizetype b);
    void sweepHoles();
    void touch();

    int m_count = 0;
    int m_current = 0;
    quint64 m_revision = 0;
    LastWrite m_lastWrite;
    CodeIndex m_codes;
    qsizetype m_lineCount = 0;

    // The lines end to end, valid when m_flatValid. The pieces, valid when m_piecesValid; at
    // least one of the two is always valid. m_tree: running line counts of the pieces (a
    // Fenwick tree, entry i holding the lines of pieces (i - lowbit(i), i], counted from 1).
    mutable QStringList m_flat;
    mutable bool m_flatValid = true;
    mutable QList<QStringList> m_pieces;
    mutable QList<qsizetype> m_tree;
    mutable qsizetype m_holes = 0;
    mutable bool m_piecesValid = false;

    // m_first[n]: piece of the first opening tag of n, or -1; m_occurrences[n]: how many
    // opening tags of n there are (to know when removing the first one needs a new search).
    mutable QList<int> m_first;
    mutable QList<int> m_occurrences;
    mutable bool m_indexValid = false;
};
