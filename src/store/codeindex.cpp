#include "store/codeindex.h"

#include "store/collection.h"

#include <algorithm>
#include <climits>

namespace {

bool wholeNumber(const QString &code, qint64 *value)
{
    bool ok = false;
    const qint64 v = code.trimmed().toLongLong(&ok);
    // The largest value would leave no next code.
    if (!ok || v == LLONG_MAX)
        return false;
    *value = v;
    return true;
}

} // namespace

QString CodeIndex::codeLine(const Collection &c, int n)
{
    // Through the block, not c.lines(): after a write those would be put together again.
    const QString line = c.lineOfBlock(n, 1);
    return Collection::looksLikeTag(line) ? QString() : line;
}

void CodeIndex::add(int n, const QString &code) const
{
    m_codes[n] = code;
    const QString key = keyOf(code);
    if (!key.isEmpty()) {
        QList<int> &blocks = m_blocks[key];
        blocks.insert(std::lower_bound(blocks.begin(), blocks.end(), n), n);
    }
    qint64 v = 0;
    if (wholeNumber(code, &v))
        ++m_numbers[v];
}

void CodeIndex::remove(int n) const
{
    const QString code = m_codes[n];
    if (code.isNull())
        return;
    m_codes[n] = QString();
    const QString key = keyOf(code);
    if (!key.isEmpty()) {
        auto it = m_blocks.find(key);
        if (it != m_blocks.end()) {
            it->removeOne(n);
            if (it->isEmpty())
                m_blocks.erase(it);
        }
    }
    qint64 v = 0;
    if (wholeNumber(code, &v)) {
        auto it = m_numbers.find(v);
        if (it != m_numbers.end() && --it->second == 0)
            m_numbers.erase(it);
    }
}

bool CodeIndex::isCurrent(const Collection &c) const
{
    return m_valid && m_revision == c.revision();
}

void CodeIndex::ensure(const Collection &c) const
{
    if (isCurrent(c))
        return;
    const Collection::LastWrite &w = c.lastWrite();
    if (m_valid && w.before == m_revision && w.after == c.revision()) {
        follow(c, w.block, w.after);
        return;
    }
    m_blocks.clear();
    m_numbers.clear();
    m_codes.fill(QString(), Collection::kMaxBlocks + 1);
    // The blocks the collection's lookup finds, through its index: no line outside them is read.
    for (int n = 0; n <= Collection::kMaxBlocks; ++n)
        if (c.contains(n))
            add(n, codeLine(c, n));
    m_revision = c.revision();
    m_valid = true;
}

int CodeIndex::find(const Collection &c, const QString &code) const
{
    const QString key = keyOf(code);
    if (key.isEmpty())
        return -1;
    ensure(c);
    const auto it = m_blocks.constFind(key);
    return it == m_blocks.cend() ? -1 : it->first();
}

qint64 CodeIndex::largest(const Collection &c, qint64 floor) const
{
    ensure(c);
    return m_numbers.empty() ? floor : std::max(floor, m_numbers.rbegin()->first);
}

void CodeIndex::follow(const Collection &c, int n, quint64 after) const
{
    remove(n);
    if (c.contains(n))
        add(n, codeLine(c, n));
    m_revision = after;
}
