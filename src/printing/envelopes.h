#pragma once

#include "records/employeeform.h"
#include "records/payslipform.h"
#include "printing/canvas.h"
#include "store/collection.h"

#include <QStringList>

#include <array>

// Envelopes: the first four letterhead lines as sender at the top left, the employee's four
// address lines further right and lower, in layout millimetres; the envelope guide (0, or 100
// when "Guide enveloppe à droite" is ticked) is added to every y.

using EnvelopeAddress = std::array<QString, 4>;

// The recipient of the employees page: name, the two address lines, postcode + " " + town.
EnvelopeAddress envelopeRecipient(const EmployeeForm &employee);
// The recipient of the payslips page: the four lines of "Coordonnées de l'employé".
EnvelopeAddress envelopeRecipient(const PayslipForm &payslip);

// What the caller shows (one "OK" button) before printing an envelope.
QString insertEnvelopeMessage();

// "Imprimer enveloppe" and "&Enveloppe courante", on the employees or payslips page only (on
// the profiles page the command does nothing, no message): the caller shows
// insertEnvelopeMessage(), then calls this with the page's recipient and the page set-up's
// envelope orientation (1 landscape, anything else portrait) and guide. One page; the
// printer is left in portrait.
PrintResult ImpEnv(Canvas &canvas, const QStringList &letterhead, const EnvelopeAddress &recipient,
                   int envelopeOrientation, int envelopeGuide);

// "&Enveloppes...": the caller shows its print dialog with the range 1 to employees.count()
// and passes its from and to. One landscape envelope per employee block of the range (name,
// the two address lines, postcode + " " + town from the block), in the order of the blocks,
// as one job of one page per envelope. A range without any block prints nothing
// (NothingPrinted). The printer is left in portrait.
PrintResult Enveloppes(Canvas &canvas, const QStringList &letterhead, const Collection &employees, int from,
                       int to, int envelopeGuide);
