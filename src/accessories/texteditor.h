#pragma once

#include "accessories/richdoc.h"

#include <QString>
#include <QStringList>

// The rules of the letter editor, apart from its window: the file it works on, the questions
// on new document and close, opening and saving RTF files, the company's identity lines at the
// head of a new document and the ruler's marker positions.
class TextEditor
{
public:
    enum class Answer { Oui, Non, Annuler };

    // What the rules need from the window: the user's answers and choices, and the document
    // shown in the editing area.
    class Host
    {
    public:
        virtual ~Host() = default;
        virtual Answer askYesNoCancel(const QString &question) = 0;
        virtual void message(const QString &text) = 0;
        // File choosers; an empty string when cancelled. filter uses "Description (*.ext)|*.ext".
        virtual QString chooseOpenFile(const QString &filter) = 0;
        virtual QString chooseSaveFile(const QString &filter, const QString &proposed) = 0;
        virtual richdoc::Document document() const = 0;
        virtual void showDocument(const richdoc::Document &doc) = 0;
    };

    static inline const QString kFilter = QStringLiteral("Fichiers rtf (*.rtf)|*.rtf");
    static inline const QString kDefaultExtension = QStringLiteral("rtf");
    static inline const QString kDefaultFont = QStringLiteral("Times New Roman");
    static constexpr int kDefaultSize = 10;
    static constexpr int kMinSize = 4;
    static constexpr int kMaxSize = 72;

    // letterhead: the company file's lines; the first four are the identity lines.
    explicit TextEditor(const QStringList &letterhead);

    QString fileName() const { return m_fileName; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // A document whose first four paragraphs are the identity lines, in the default font.
    richdoc::Document letterheadDocument() const;
    // "Enregistrer changements dans " + the file name without its folder + " ?".
    QString saveQuestion() const;
    // name with ".rtf" added when it has no extension.
    static QString withDefaultExtension(const QString &name);

    // Shows the identity lines as a fresh document, after asking about changes; false when
    // the user cancelled. The file name does not change.
    bool newDocument(Host &host);
    // Asks about changes, then reads the chosen file. A file that cannot be read is reported
    // and the shown document and file name stay as they were. False when nothing was opened.
    bool open(Host &host);
    // Loads path into the host without any question; false (after a message) when unreadable.
    bool load(Host &host, const QString &path);
    // Saves the changed document under the name chosen in the save dialog. True when there was
    // nothing to save or the document was written; false when cancelled or on a write error.
    bool save(Host &host);
    // True when the window may close: no changes, or the user answered no, or saved.
    bool canClose(Host &host);

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
    bool askAboutChanges(Host &host);

    QStringList m_identity;
    QString m_fileName;
    bool m_modified = false;
};
