#pragma once

#include "printing/canvas.h"

#include <QList>
#include <QString>

#include <cmath>

// A canvas that records every call, with fixed metrics: the printable area of an A4 page
// with 3.5 mm margins, 203 x 287 mm in portrait (287 x 203 in landscape), in pixels at the
// chosen resolution. A character is points × dpi ÷ 144 pixels wide; a text is points × dpi
// ÷ 60 pixels high. A job can be made to fail at its start, at a new page or at its end.
class RecordingCanvas : public Canvas
{
public:
    struct Op {
        enum Kind { Begin, NewPage, End, Abort, Text, Line, Rectangle, Fill, Pen };
        Kind kind = Begin;
        int page = 0;            // 0-based page of the job
        int x = 0, y = 0;        // text: its left edge (right-aligned texts: anchor - width)
        int x2 = 0, y2 = 0;      // shapes: the second corner; right-aligned text: the anchor
        QString text;            // text; Begin: the job's title
        Align align = Align::Left;
        QString font;
        int points = 0;
        bool bold = false;
        Orientation orientation = Orientation::Portrait;
        Colour fill;
    };

    explicit RecordingCanvas(int dpi = 300) : m_dpi(dpi) {}

    QList<Op> ops;
    // Reasons of the failures to provoke (empty: no failure); with noPrinter set, no job begins,
    // as on a system without any printer.
    bool noPrinter = false;
    QString refuseBegin, refuseNewPage, refuseEnd;

    int dpi() const { return m_dpi; }
    QSize sizePixels() const override
    {
        const QSize mm = sizeMillimetres();
        return {int(std::lround(mm.width() * m_dpi / 25.4)), int(std::lround(mm.height() * m_dpi / 25.4))};
    }
    QSize sizeMillimetres() const override { return m_orientation == Orientation::Portrait ? QSize(203, 287) : QSize(287, 203); }
    Orientation orientation() const override { return m_orientation; }
    void setOrientation(Orientation o) override { m_orientation = o; }

    bool beginJob(const QString &title) override
    {
        if (noPrinter || !refuseBegin.isEmpty())
            return fail(noPrinter ? noPrinterMessage() : refusedMessage(refuseBegin));
        m_page = 0;
        setFont(QStringLiteral("Arial"), 10, false);
        m_fill = kWhite;
        add(Op::Begin).text = title;
        return true;
    }
    bool newPage() override { return refuseNewPage.isEmpty() ? (++m_page, add(Op::NewPage), true) : fail(refusedMessage(refuseNewPage)); }
    bool endJob() override { return add(Op::End), refuseEnd.isEmpty() || fail(refusedMessage(refuseEnd)); }
    void abortJob() override { add(Op::Abort); }
    QString error() const override { return m_error; }

    void setFont(const QString &name, int points, bool bold) override { m_font = name, m_points = points, m_bold = bold; }
    void setPenWidth(int pixels) override { add(Op::Pen).x = pixels; }
    void setFill(Colour colour) override { m_fill = colour; }
    void text(int x, int y, const QString &s, Align align) override
    {
        Op &op = add(Op::Text);
        op.text = s;
        op.align = align;
        op.x = align == Align::Right ? x - textWidth(s) : x;
        op.x2 = x;
        op.y = y;
    }
    void line(int x1, int y1, int x2, int y2) override { shape(Op::Line, x1, y1, x2, y2); }
    void rectangle(int x1, int y1, int x2, int y2) override { shape(Op::Rectangle, x1, y1, x2, y2); }
    void fillRectangle(int x1, int y1, int x2, int y2) override { shape(Op::Fill, x1, y1, x2, y2); }
    int textWidth(const QString &s) const override { return int(s.size()) * m_points * m_dpi / 144; }
    int textHeight(const QString &) const override { return m_points * m_dpi / 60; }

    // Queries of the recording: the calls of a kind, on a page or all pages.
    QList<Op> all(Op::Kind kind, int page = -1) const
    {
        QList<Op> out;
        for (const Op &op : ops)
            if (op.kind == kind && (page < 0 || op.page == page))
                out.append(op);
        return out;
    }
    QList<Op> texts(int page = -1) const { return all(Op::Text, page); }
    QList<Op> textsEqual(const QString &s, int page = -1) const
    {
        QList<Op> out;
        for (const Op &op : texts(page))
            if (op.text == s)
                out.append(op);
        return out;
    }
    int pageCount() const { return all(Op::Begin).isEmpty() ? 0 : int(all(Op::NewPage).size()) + 1; }
    // Every job: its title and its number of pages, "Titre (2)"; an abandoned one ends in "!".
    QStringList jobs() const
    {
        QStringList out;
        int pages = 0;
        for (const Op &op : ops) {
            if (op.kind == Op::Begin)
                out << op.text, pages = 1;
            else if (op.kind == Op::NewPage)
                ++pages;
            else if (op.kind == Op::End || op.kind == Op::Abort)
                out.last() += QStringLiteral(" (%1)").arg(pages) + (op.kind == Op::Abort ? QStringLiteral("!") : QString());
        }
        return out;
    }

private:
    bool fail(const QString &error) { return m_error = error, false; }
    Op &add(Op::Kind kind)
    {
        ops.append(Op{kind, m_page, 0, 0, 0, 0, {}, Align::Left, m_font, m_points, m_bold, m_orientation, m_fill});
        return ops.last();
    }
    void shape(Op::Kind kind, int x1, int y1, int x2, int y2)
    {
        Op &op = add(kind);
        op.x = x1, op.y = y1, op.x2 = x2, op.y2 = y2;
    }

    int m_dpi;
    Orientation m_orientation = Orientation::Portrait;
    int m_page = 0;
    QString m_font = QStringLiteral("Arial");
    int m_points = 10;
    bool m_bold = false;
    Colour m_fill = kWhite;
    QString m_error;
};
