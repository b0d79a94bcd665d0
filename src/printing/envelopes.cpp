#include "printing/envelopes.h"

#include "printing/layout.h"
#include "printing/sheets.h"

namespace {

void printEnvelope(Canvas &canvas, const QStringList &letterhead, const EnvelopeAddress &recipient, int guide)
{
    Layout l(canvas, guide);
    l.font(10, false);
    for (int n = 0; n < 4; ++n)
        l.text(5, 5 + 5 * n, letterhead.value(n));
    for (int n = 0; n < 4; ++n)
        l.text(110, 50 + 5 * n, recipient[n]);
}

} // namespace

EnvelopeAddress envelopeRecipient(const EmployeeForm &e)
{
    return {e.name, e.address1, e.address2, e.postcode + QStringLiteral(" ") + e.town};
}

EnvelopeAddress envelopeRecipient(const PayslipForm &p)
{
    return p.address;
}

QString insertEnvelopeMessage()
{
    return QStringLiteral("Insérez une enveloppe dans l'imprimante");
}

PrintResult ImpEnv(Canvas &canvas, const QStringList &letterhead, const EnvelopeAddress &recipient,
                   int envelopeOrientation, int envelopeGuide)
{
    canvas.setOrientation(envelopeOrientation == 1 ? Canvas::Orientation::Landscape : Canvas::Orientation::Portrait);
    PortraitAfterwards portrait(canvas);
    if (!canvas.beginJob(QStringLiteral("Enveloppe ") + recipient[0]))
        return PrintResult::failed(canvas.error());
    printEnvelope(canvas, letterhead, recipient, envelopeGuide);
    if (!canvas.endJob())
        return PrintResult::failed(canvas.error());
    return PrintResult::printed();
}

PrintResult Enveloppes(Canvas &canvas, const QStringList &letterhead, const Collection &employees, int from,
                       int to, int envelopeGuide)
{
    const EmployeeRange range = employeeRange(from, to, employees.count());
    canvas.setOrientation(Canvas::Orientation::Landscape);
    PortraitAfterwards portrait(canvas);
    bool begun = false;
    for (int k = range.first; k <= range.last; ++k) {
        if (!employees.contains(k))
            continue;
        // One page per envelope, and no empty page after the last one.
        if (!begun) {
            if (!canvas.beginJob(QStringLiteral("Enveloppes")))
                return PrintResult::failed(canvas.error());
            begun = true;
        } else if (!canvas.newPage()) {
            const QString message = canvas.error();
            canvas.abortJob();
            return PrintResult::failed(message);
        }
        const QStringList block = employees.blockContent(k, EmployeeForm::kTown);
        auto field = [&](int distance) { return block.value(distance - 1); };
        printEnvelope(canvas, letterhead,
                      {field(EmployeeForm::kName), field(EmployeeForm::kAddress1), field(EmployeeForm::kAddress2),
                       field(EmployeeForm::kPostcode) + QStringLiteral(" ") + field(EmployeeForm::kTown)},
                      envelopeGuide);
    }
    if (!begun)
        return PrintResult::nothing();
    if (!canvas.endJob())
        return PrintResult::failed(canvas.error());
    return PrintResult::printed();
}
