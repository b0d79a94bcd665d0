#include "ui/qtcanvas.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPageSize>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <utility>
#include <vector>

namespace {

// The options of Qt's CUPS support (pages per sheet, banners, page set...) chosen in the
// printer set-up dialog, as name/value pairs: the engine's private property key.
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QString quoted(const QString &s)
{
    return QStringLiteral("« ") + s + QStringLiteral(" »");
}

// Why CUPS refused the last request, in the program's words where it is a known case.
QString cupsReason(const QString &queue)
{
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return QStringLiteral("la file d'impression %1 n'accepte pas de travaux").arg(quoted(queue));
    case IPP_STATUS_ERROR_NOT_FOUND:
        return QStringLiteral("la file d'impression %1 n'existe pas").arg(quoted(queue));
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return QStringLiteral("le serveur d'impression ne répond pas");
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        return QStringLiteral("l'accès à la file d'impression %1 est refusé").arg(quoted(queue));
    default:
        return QString::fromUtf8(cupsLastErrorString());
    }
}

bool serverAnswers()
{
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (!http)
        return false;
    httpClose(http);
    return true;
}

// "queue/instance" as Qt names a CUPS instance.
std::pair<QByteArray, QByteArray> queueAndInstance(const QString &printerName)
{
    const qsizetype slash = printerName.indexOf(u'/');
    if (slash < 0)
        return {printerName.toLocal8Bit(), {}};
    return {printerName.left(slash).toLocal8Bit(), printerName.mid(slash + 1).toLocal8Bit()};
}

} // namespace

QtCanvas::QtCanvas(QPrinter &printer) : m_printer(printer)
{
    setFont(QStringLiteral("Arial"), 10, false);
}

QtCanvas::~QtCanvas()
{
    if (m_painter.isActive())
        abortJob();
}

bool QtCanvas::toQueue() const
{
    return m_printer.outputFormat() == QPrinter::NativeFormat;
}

QPrinter &QtCanvas::device() const
{
    return m_spool ? *m_spool : m_printer;
}

QSize QtCanvas::sizePixels() const
{
    return {device().width(), device().height()};
}

QSize QtCanvas::sizeMillimetres() const
{
    return {device().widthMM(), device().heightMM()};
}

Canvas::Orientation QtCanvas::orientation() const
{
    return m_printer.pageLayout().orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                                           : Orientation::Portrait;
}

void QtCanvas::setOrientation(Orientation orientation)
{
    if (m_painter.isActive())
        return;
    m_printer.setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait);
}

bool QtCanvas::fail(const QString &reason)
{
    m_error = refusedMessage(reason);
    return false;
}

bool QtCanvas::checkQueue()
{
    const auto [queue, instance] = queueAndInstance(m_printer.printerName());
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest) {
        if (!serverAnswers())
            return fail(QStringLiteral("le serveur d'impression ne répond pas"));
        return fail(cupsLastError() == IPP_STATUS_OK ? QStringLiteral("la file d'impression %1 n'existe pas")
                                                           .arg(quoted(QString::fromLocal8Bit(queue)))
                                                     : cupsReason(QString::fromLocal8Bit(queue)));
    }
    auto option = [dest](const char *name) {
        return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
    };
    const QString accepting = option("printer-is-accepting-jobs");
    const QString state = option("printer-state");
    cupsFreeDests(1, dest);
    const QString name = quoted(QString::fromLocal8Bit(queue));
    if (accepting.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return fail(QStringLiteral("la file d'impression %1 n'accepte pas de travaux").arg(name));
    // IPP printer-state 5: stopped. Its jobs would wait without a word to the user.
    if (state == QLatin1String("5"))
        return fail(QStringLiteral("l'imprimante %1 est arrêtée").arg(name));
    return true;
}

PrintResult QtCanvas::toPdfFile(const QString &path, const std::function<PrintResult(Canvas &)> &printout)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(QFileInfo(path).absoluteFilePath());
    QtCanvas canvas(printer);
    return printout(canvas);
}

bool QtCanvas::beginJob(const QString &title)
{
    if (m_painter.isActive())
        return fail(QStringLiteral("une impression est déjà en cours"));
    m_error.clear();
    m_title = title;
    m_jobId = 0;
    if (toQueue()) {
        if (m_printer.printerName().isEmpty()) {
            m_error = noPrinterMessage();
            return false;
        }
        if (!checkQueue())
            return false;
        m_spoolFile = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/korvel-XXXXXX.pdf"));
        if (!m_spoolFile->open()) {
            m_spoolFile.reset();
            return fail(QStringLiteral("aucun fichier temporaire ne peut être créé dans %1").arg(quoted(QDir::tempPath())));
        }
        m_spoolFile->close();
        m_spool = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_spool->setOutputFormat(QPrinter::PdfFormat);
        m_spool->setOutputFileName(m_spoolFile->fileName());
        m_spool->setResolution(m_printer.resolution());
        m_spool->setFullPage(m_printer.fullPage());
        m_spool->setPageLayout(m_printer.pageLayout());
    } else if (m_printer.outputFileName().isEmpty()) {
        m_error = noPrinterMessage();
        return false;
    }
    QPrinter &target = device();
    target.setDocName(title);
    target.setCreator(QStringLiteral("Korvel"));
    if (!m_painter.begin(&target)) {
        const QString file = target.outputFileName();
        m_spool.reset();
        m_spoolFile.reset();
        if (QFileInfo(file).isDir())
            return fail(QStringLiteral("%1 est un dossier").arg(quoted(QDir::toNativeSeparators(file))));
        return fail(QStringLiteral("le fichier %1 ne peut pas être écrit").arg(quoted(QDir::toNativeSeparators(file))));
    }
    setFont(QStringLiteral("Arial"), 10, false);
    setPenWidth(1);
    setFill(kWhite);
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_busyCursor = true;
    }
    return true;
}

bool QtCanvas::newPage()
{
    if (!m_painter.isActive() || !device().newPage())
        return fail(QStringLiteral("la page suivante ne peut pas commencer"));
    return true;
}

void QtCanvas::finish()
{
    m_spool.reset();
    m_spoolFile.reset();
    if (m_busyCursor) {
        QGuiApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
}

bool QtCanvas::endJob()
{
    if (!m_painter.isActive())
        return fail(QStringLiteral("aucune impression n'est en cours"));
    const QString file = device().outputFileName();
    const bool written = m_painter.end();
    bool ok = written;
    if (!written)
        fail(QStringLiteral("le fichier %1 n'a pas pu être écrit").arg(quoted(QDir::toNativeSeparators(file))));
    else if (toQueue())
        ok = submit();
    finish();
    return ok;
}

bool QtCanvas::submit()
{
    const auto [queue, instance] = queueAndInstance(m_printer.printerName());
    std::vector<std::pair<QByteArray, QByteArray>> options;
    const QPageLayout layout = m_printer.pageLayout();
    options.emplace_back("media", layout.pageSize().key().toUtf8());
    if (m_printer.copyCount() > 1) {
        options.emplace_back("copies", QByteArray::number(m_printer.copyCount()));
        if (m_printer.collateCopies())
            options.emplace_back("Collate", "True");
    }
    const bool portrait = layout.orientation() == QPageLayout::Portrait;
    switch (m_printer.duplex()) {
    case QPrinter::DuplexNone:
        options.emplace_back("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
        options.emplace_back("sides", portrait ? "two-sided-long-edge" : "two-sided-short-edge");
        break;
    case QPrinter::DuplexLongSide:
        options.emplace_back("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        options.emplace_back("sides", "two-sided-short-edge");
        break;
    }
    const QStringList extra = m_printer.printEngine()->property(kCupsOptions).toStringList();
    for (qsizetype i = 0; i + 1 < extra.size(); i += 2)
        options.emplace_back(extra[i].toUtf8(), extra[i + 1].toUtf8());

    std::vector<cups_option_t> cupsOptions;
    for (auto &[name, value] : options)
        cupsOptions.push_back({name.data(), value.data()});
    const QByteArray file = QFile::encodeName(m_spoolFile->fileName());
    m_jobId = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), file.constData(), m_title.toUtf8().constData(),
                             int(cupsOptions.size()), cupsOptions.data());
    if (m_jobId <= 0) {
        m_jobId = 0;
        return fail(cupsReason(QString::fromLocal8Bit(queue)));
    }
    return true;
}

void QtCanvas::abortJob()
{
    if (!m_painter.isActive())
        return;
    const QString file = device().outputFileName();
    device().abort();
    m_painter.end();
    // Nothing half-drawn is left: a PDF file given up is removed (a queue's job was never sent).
    if (!toQueue())
        QFile::remove(file);
    finish();
}

void QtCanvas::setFont(const QString &name, int points, bool bold)
{
    m_font = QFont(name);
    m_font.setPointSize(points);
    m_font.setBold(bold);
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

void QtCanvas::setPenWidth(int pixels)
{
    if (m_painter.isActive())
        m_painter.setPen(QPen(Qt::black, pixels, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void QtCanvas::setFill(Colour colour)
{
    if (m_painter.isActive())
        m_painter.setBrush(QColor(colour.red, colour.green, colour.blue));
}

void QtCanvas::text(int x, int y, const QString &s, Align align)
{
    if (!m_painter.isActive() || s.isEmpty())
        return;
    const QFontMetrics fm = m_painter.fontMetrics();
    const int left = align == Align::Right ? x - fm.horizontalAdvance(s) : x;
    m_painter.drawText(left, y + fm.ascent(), s);
}

void QtCanvas::line(int x1, int y1, int x2, int y2)
{
    if (m_painter.isActive())
        m_painter.drawLine(x1, y1, x2, y2);
}

void QtCanvas::rectangle(int x1, int y1, int x2, int y2)
{
    if (m_painter.isActive())
        m_painter.drawRect(QRect(x1, y1, x2 - x1, y2 - y1));
}

void QtCanvas::fillRectangle(int x1, int y1, int x2, int y2)
{
    if (m_painter.isActive())
        m_painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), m_painter.brush());
}

int QtCanvas::textWidth(const QString &s) const
{
    return QFontMetrics(m_font, &device()).horizontalAdvance(s);
}

int QtCanvas::textHeight(const QString &s) const
{
    Q_UNUSED(s);
    return QFontMetrics(m_font, &device()).height();
}
