#pragma once


#include <QHash>
#include <QList>
#include <QString>

#include <map>

class Collection;

// Finds a block of a collection by its code line (the first line of the block: the employee
// code, the profile code, the payslip number) without reading the collection each time.
//
// The index is built on first use from the blocks as the collection's own lookup sees them
// (the first opening tag of each number), and built again only when the collection's
// revision changed. When the one change since is a rewrite of one block (the write of a
// record), only that block's code is read again instead of the whole collection: validating
// a payslip then costs the same on 9999 employees as on ten, and no caller follows the
// index by hand.
//
// Codes are compared trimmed and without regard to case; among blocks with the same code
// the lowest block number is found (the first in collection order, as the blocks stand after
// every load). A blank code matches no block.
class CodeIndex
{
public:
    // The block whose code equals code (see above), or -1.
    int find(const Collection &c, const QString &code) const;
    // The largest code that reads as a whole number, when it is larger than floor; floor
    // otherwise. Codes that are not whole numbers are skipped.
    qint64 largest(const Collection &c, qint64 floor) const;

    bool isCurrent(const Collection &c) const;

private:
    static QString keyOf(const QString &code) { return code.trimmed().toCaseFolded(); }
    void ensure(const Collection &c) const;
    void add(int n, const QString &code) const;
    void remove(int n) const;
    // Reads block n's code again after its write took the collection to revision after.
    void follow(const Collection &c, int n, quint64 after) const;
    // The first line of block n, null when the block has none or it reads as a tag.
    static QString codeLine(const Collection &c, int n);

    mutable bool m_valid = false;
    mutable quint64 m_revision = 0;
    // Key -> block numbers holding it, ascending.
    mutable QHash<QString, QList<int>> m_blocks;
    // Block number -> its code line (null when the block does not exist or has none).
    mutable QList<QString> m_codes;
    // Whole-number codes -> how many blocks hold them.
    mutable std::map<qint64, int> m_numbers;
};
