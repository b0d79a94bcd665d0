#pragma once

#include "accessories/texteditor.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QAction;
class QComboBox;
class QFont;
class QPrinter;
class QSpinBox;
class QTextDocument;
class QTextEdit;
class QToolBar;

// The ruler above the letter: tick marks and the three indent markers of the current
// paragraph, which the user drags with the mouse.
class TexteRuler : public QWidget
{
    Q_OBJECT
public:
    enum Marker { FirstLine, Left, Right };
    static constexpr int kMarkerWidth = 9;

    explicit TexteRuler(QWidget *parent = nullptr);

    void setMarkers(int firstX, int leftX, int rightX);
    int markerX(Marker marker) const { return m_x[marker]; }
    QSize sizeHint() const override;

Q_SIGNALS:
    // A marker was let go at x (its left edge), having been held grab pixels from that edge.
    void markerReleased(TexteRuler::Marker marker, int x, int grab);
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRect markerRect(Marker marker) const;

    int m_x[3] = {2, 2, 0};
    int m_dragged = -1;
    int m_grab = 0;
};

// The letter editor: a rich-text area under a tool strip and a ruler, working on RTF files.
// The frame opens it with the company file's lines:
//     TTexte texte(letterhead, this);
//     texte.exec();
class TTexte : public QDialog, protected TextEditor::View
{
    Q_OBJECT
public:
    // letterhead: the company file's lines; the first four head every new document. dialogs:
    // the questions and file choosers (the platform's when none is given).
    explicit TTexte(const QStringList &letterhead, QWidget *parent = nullptr, Dialogs *dialogs = nullptr);
    ~TTexte() override;

    QTextEdit *editor() const { return m_editor; }
    TexteRuler *ruler() const { return m_ruler; }
    const TextEditor &model() const { return m_model; }

    // Conversions between the editing area and the document that files hold.
    static richdoc::Document toDocument(const QTextDocument *doc);
    static void fromDocument(QTextDocument *doc, const richdoc::Document &source);

    // The letter as shown in the editing area.
    richdoc::Document document() const override;

    // Loads an RTF file as the "open" command does once a file is chosen.
    bool loadFile(const QString &path);

public Q_SLOTS:
    void reject() override;

protected:
    void showDocument(const richdoc::Document &doc) override;
    // The font dialog, pre-filled with font; false when cancelled.
    virtual bool chooseFont(QFont &font);
    // The print dialog; false when cancelled.
    virtual bool choosePrinter(QPrinter &printer);

private:
    void buildToolStrip();
    void nouveau();
    void ouvrir();
    void enregistrer();
    void imprimer();
    void choisirPolice();
    void applyCharFormat(const class QTextCharFormat &format);
    void setAlignment(Qt::Alignment alignment);
    void setBullets(bool on);
    void applyRulerMarker(TexteRuler::Marker marker, int x, int grab);
    void showStateAtCaret();

    std::unique_ptr<Dialogs> m_ownDialogs;
    TextEditor m_model;
    QToolBar *m_tools = nullptr;
    QComboBox *m_fontName = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QAction *m_bold = nullptr;
    QAction *m_italic = nullptr;
    QAction *m_underline = nullptr;
    QAction *m_alignLeft = nullptr;
    QAction *m_alignCenter = nullptr;
    QAction *m_alignRight = nullptr;
    QAction *m_bullets = nullptr;
    TexteRuler *m_ruler = nullptr;
    QTextEdit *m_editor = nullptr;
    bool m_showingState = false; // the tool strip is being set from the caret: no commands
    bool m_loading = false;      // a document is being put into the editor: not a change
};
