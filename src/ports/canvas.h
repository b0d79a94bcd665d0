#pragma once

#include <QSize>
#include <QString>

// The printer as the printouts see it: one drawing surface in device pixels, origin at the
// top-left corner of the printable area. QtCanvas (src/ui/qtcanvas.h) draws on a QPrinter,
// the tests on a recording canvas with fixed metrics.
//
// A job is beginJob(), any number of newPage(), then endJob() (or abortJob() when a printout
// gives up half-way). The orientation is chosen between jobs; the sizes follow it. Font, pen
// and fill are reset to "Arial" 10 regular, a pen of 1 pixel and a white fill when a job begins.
class Canvas
{
public:
    enum class Orientation { Portrait, Landscape };
    enum class Align { Left, Right };
    struct Colour {
        int red = 255;
        int green = 255;
        int blue = 255;
        bool operator==(const Colour &) const = default;
    };
    static constexpr Colour kWhite{255, 255, 255};
    static constexpr Colour kGrey{192, 192, 192};

    virtual ~Canvas() = default;

    // Printable area of the current orientation: pixels (HORZRES, VERTRES) and whole
    // millimetres (HORZSIZE, VERTSIZE).
    virtual QSize sizePixels() const = 0;
    virtual QSize sizeMillimetres() const = 0;
    virtual Orientation orientation() const = 0;
    virtual void setOrientation(Orientation orientation) = 0;

    // False when the job cannot start (no printer, the print system refuses it, the PDF file
    // cannot be written): error() then gives the message to show and nothing was printed.
    virtual bool beginJob(const QString &title) = 0;
    virtual bool newPage() = 0;
    // Ends the job and hands it to the print system; false when it was not accepted.
    virtual bool endJob() = 0;
    // Ends a job without printing anything of it.
    virtual void abortJob() = 0;
    // The message of the last failure: kNoPrinter or refusedMessage(reason).
    virtual QString error() const = 0;

    virtual void setFont(const QString &name, int points, bool bold) = 0;
    virtual void setPenWidth(int pixels) = 0;
    virtual void setFill(Colour colour) = 0;

    // Text with its top-left corner at (x, y); right-aligned, it ends at x instead.
    virtual void text(int x, int y, const QString &text, Align align = Align::Left) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // Outlined with the pen, filled with the fill.
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    // Filled with the fill, no outline.
    virtual void fillRectangle(int x1, int y1, int x2, int y2) = 0;
    // In device pixels, with the current font.
    virtual int textWidth(const QString &text) const = 0;
    virtual int textHeight(const QString &text) const = 0;

    // What the printer layer says when there is no printer to print on.
    static QString noPrinterMessage() { return QStringLiteral("Aucune imprimante par défaut sélectionnée"); }
    // What is shown when the print system refuses a job.
    static QString refusedMessage(const QString &reason)
    {
        return QStringLiteral("Impossible d'imprimer : ") + reason;
    }
};
