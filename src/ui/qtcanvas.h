#pragma once

#include "printing/canvas.h"

#include <QFont>
#include <QPainter>

#include <functional>
#include <memory>

class QPrinter;
class QTemporaryFile;

// The printer layer on Qt: the printouts of src/printing/ drawn through QPainter on a
// QPrinter, which is either
//   - a CUPS queue (NativeFormat, printerName() set): the job is drawn into a temporary PDF
//     with the queue's page layout and resolution and handed to CUPS at endJob(), which
//     fails with the reason when CUPS does not accept it. beginJob() already fails when the
//     queue does not exist, refuses jobs or is stopped, or when the server does not answer;
//   - a PDF file (PdfFormat, outputFileName() set): beginJob() fails when the file cannot be
//     written; a job given up by abortJob() leaves no file behind.
// A printer with neither (no queue at all) fails with "Aucune imprimante par défaut
// sélectionnée". Job options chosen in Qt's printer set-up dialog (copies, both sides, paper)
// go with the job. The busy cursor shows while a job is drawn.
//
// The printer is the session's: the orientation set here stays on it.
class QtCanvas : public Canvas
{
public:
    explicit QtCanvas(QPrinter &printer);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas &) = delete;
    QtCanvas &operator=(const QtCanvas &) = delete;

    QSize sizePixels() const override;
    QSize sizeMillimetres() const override;
    Orientation orientation() const override;
    void setOrientation(Orientation orientation) override;

    bool beginJob(const QString &title) override;
    bool newPage() override;
    bool endJob() override;
    void abortJob() override;
    QString error() const override { return m_error; }

    void setFont(const QString &name, int points, bool bold) override;
    void setPenWidth(int pixels) override;
    void setFill(Colour colour) override;
    void text(int x, int y, const QString &text, Align align = Align::Left) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void fillRectangle(int x1, int y1, int x2, int y2) override;
    int textWidth(const QString &text) const override;
    int textHeight(const QString &text) const override;

    // printout drawn into the PDF file at path (A4, whatever the locale: payslips are laid out
    // for the paper of French offices), which it replaces.
    static PrintResult toPdfFile(const QString &path, const std::function<PrintResult(Canvas &)> &printout);

    // The painter of the job being drawn, for what the calls above do not draw (a chart
    // rendered by Qt); its coordinates are the page's pixels, as sizePixels() gives them.
    QPainter &painter() { return m_painter; }

    // The CUPS number of the last job handed to a queue; 0 when none (PDF files).
    int lastJobId() const { return m_jobId; }

private:
    bool toQueue() const;
    // The device drawn on: the temporary PDF of a queue's job while it is drawn, else the printer.
    QPrinter &device() const;
    bool fail(const QString &reason);
    void finish();
    bool checkQueue();
    bool submit();

    QPrinter &m_printer;
    std::unique_ptr<QTemporaryFile> m_spoolFile;
    std::unique_ptr<QPrinter> m_spool;
    QPainter m_painter;
    QFont m_font;
    QString m_title;
    QString m_error;
    int m_jobId = 0;
    bool m_busyCursor = false;
};
