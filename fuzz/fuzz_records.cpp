// Fuzz target of the profile and payslip records: the bytes are the content of one block, read
// as a profile and as a payslip. Reading must never crash or hang, and what the program writes
// from the form must read back to the same form and write back byte for byte.

#include "records/payslipform.h"
#include "records/profileform.h"
#include "ports/clock.h"
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

// A fixed day, so that the period defaults of a payslip do not change between two readings.
class FixedClock : public Clock
{
public:
    QDate today() const override { return QDate(2002, 3, 14); }
};

Collection blockOf(const QStringList &content)
{
    Collection c;
    c.setLines(QStringList{Collection::openTag(0)} + content + QStringList{Collection::closeTag(0)});
    c.recount();
    return c;
}

template <class Form, class Read, class Write>
void roundTrip(const QStringList &content, Read read, Write write)
{
    Collection c = blockOf(content);
    Form first;
    read(c, first);
    first.edited = true;
    require(write(c, first));
    const QStringList written = c.blockContent(0);
    Form second;
    read(c, second);
    require(second.blockLines() == written);
    second.edited = true;
    require(write(c, second));
    require(c.blockContent(0) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FixedClock clock;
    Clock::setInstance(&clock);
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList content = text::splitLines(text::decode1252(bytes));
    // Lines that look like tags would end the block; without them a whole file (the replayed
    // samples) reads as one block holding every record's lines.
    content.removeIf([](const QString &line) { return Collection::looksLikeTag(line); });

    roundTrip<ProfileForm>(
        content, [](const Collection &c, ProfileForm &f) { LitProfil(c, 0, f); },
        [](Collection &c, ProfileForm &f) { return EcritProfil(c, 0, f); });
    roundTrip<PayslipForm>(
        content, [](const Collection &c, PayslipForm &f) { LitBulletin(c, 0, f, QStringLiteral("200203001")); },
        [](Collection &c, PayslipForm &f) { return EcritBulletin(c, 0, f); });
    Clock::setInstance(nullptr);
    return 0;
}
