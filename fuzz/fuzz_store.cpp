// Fuzz target of the dossier store: the bytes are one collection's file. Loading it (count,
// Verif, Doublons, normalisation) must never crash or hang, and must leave a sound
// collection: numbers 0 to count - 1, each reachable, nothing left for a second load to repair.
// A few edits then check that the lookup index keeps agreeing with the lines.

#include "store/collection.h"
#include "text/encoding.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void requireIndexMatchesScan(const Collection &c)
{
    Collection fresh;
    fresh.setLines(c.lines());
    for (int n = 0; n < 10000; ++n)
        require(c.find(n) == fresh.find(n));
}

void load(Collection &c)
{
    c.recount();
    c.verif();
    c.doublons();
    c.normalise();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Collection c;
    c.setLines(text::splitLines(text::decode1252(bytes)));
    load(c);

    require(c.count() >= 0 && c.count() <= Collection::kMaxBlocks);
    require(c.count() == c.countOpeningTags());
    for (int n = 0; n < c.count(); ++n)
        require(c.find(n) >= 0);
    require(c.find(c.count()) < 0);

    Collection again;
    again.setLines(c.lines());
    again.recount();
    require(!again.verif());
    require(!again.doublons().acted());
    require(!again.normalise());

    // Edits on the repaired collection: read, write back in place and at the end, add,
    // delete, squize; the index must follow.
    if (c.count() > 0) {
        const int n = int(size % unsigned(c.count()));
        const QStringList content = c.blockContent(n);
        c.writeBlock(n, content + QStringList{QStringLiteral("MEMO")}, Collection::Placement::InPlace);
        c.writeBlock(c.count() - 1, content, Collection::Placement::AtEnd);
        c.setCurrent(n);
        c.supprime();
    }
    if (c.add())
        c.writeBlock(c.count() - 1, {QStringLiteral("x")}, Collection::Placement::InPlace);
    c.squize();
    requireIndexMatchesScan(c);
    return 0;
}
