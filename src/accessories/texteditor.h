#pragma once

#include "accessories/richdoc.h"
#include "ports/dialogs.h"

#include <QString>
#include <QStringList>

// The rules of the letter editor, apart from its window: the file it works on, the questions
// on new document and close, opening and saving RTF files, the company's identity lines at the
// head of a new document and the ruler's marker positions.
class TextEditor
{
public:
    // The document shown in the window's editing area.
    class View
    {
    public:
        virtual ~View() = default;
        virtual richdoc::Document document() const = 0;
        virtual void showDocument(const richdoc::Document &doc) = 0;
    };

    static inline const QString kFilter = QStringLiteral("Fichiers rtf (*.rtf)|*.rtf");
    static inline const QString kDefaultExtension = QStringLiteral("rtf");
    static inline const QString kDefaultFont = QStringLiteral("Times New Roman");
    static constexpr int kDefaultSize = 10;
    static constexpr int kMinSize = 4;
    static constexpr int kMaxSize = 72;

    // letterhead: the company file's lines; the first four are the identity lines. The questions
    // and file choosers go through dialogs, the document to view.
    TextEditor(const QStringList &letterhead, Dialogs &dialogs, View &view);

    QString fileName() const { return m_fileName; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // A document whose first four paragraphs are the identity lines, in the default font.
    richdoc::Document letterheadDocument() const;
    // name with ".rtf" added when it has no extension.
    static QString withDefaultExtension(const QString &name);

    // Shows the identity lines as a fresh document, after asking about changes; false when
    // the user cancelled. The file name does not change.
    bool newDocument();
    // Asks about changes, then reads the chosen file. A file that cannot be read is reported
    // and the shown document and file name stay as they were. False when nothing was opened.
    bool open();
    // Loads path into the view without any question; false (after a message) when unreadable.
    bool load(const QString &path);
    // Saves the changed document under the name chosen in the save dialog, asking "Ce fichier
    // existe déjà" before replacing a file other than the current one. True when there was
    // nothing to save or the document was written; false when cancelled or on a write error.
    bool save();
    // True when the window may close: no changes, or the user answered no, or saved.
    bool canClose();

    // The ruler, in pixels from its left edge, with indents in points. first is the first
    // line's indent from the margin and left the other lines' indent from the first line's.
    static constexpr int kGutter = 6;
    static int firstMarkerX(int first);
    static int leftMarkerX(int first, int left);
    static int rightMarkerX(int rulerWidth, int right);
    // Indents from a released marker: x is the marker's position, grab the point where it was
    // held, measured from its left edge.
    static int firstIndentAt(int x, int grab);
    static int leftIndentAt(int x, int grab, int first);
    static int rightIndentAt(int rulerWidth, int x, int grab);

private:
    bool askAboutChanges();

    Dialogs &m_dialogs;
    View &m_view;
    QStringList m_identity;
    QString m_fileName;
    bool m_modified = false;
};
