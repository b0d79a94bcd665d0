#include "ui/blocnotes.h"

#include "text/encoding.h"
#include "ui/qtdialogs.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Keeps out what the notepad's Windows-1252 file could not hold, so that what is saved is what
// is shown.
QString keepStorable(const QString &s)
{
    QString kept;
    kept.reserve(s.size());
    for (QChar c : s)
        if (text::fits1252(c) || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            kept += c;
    return kept;
}

class NoteEdit : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QString typed = event->text();
        if (!typed.isEmpty() && keepStorable(typed) != typed) {
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void inputMethodEvent(QInputMethodEvent *event) override
    {
        if (keepStorable(event->commitString()) != event->commitString()) {
            QInputMethodEvent filtered(event->preeditString(), event->attributes());
            filtered.setCommitString(keepStorable(event->commitString()), event->replacementStart(),
                                     event->replacementLength());
            QPlainTextEdit::inputMethodEvent(&filtered);
            return;
        }
        QPlainTextEdit::inputMethodEvent(event);
    }

    void insertFromMimeData(const QMimeData *source) override
    {
        if (source->hasText())
            insertPlainText(keepStorable(source->text()));
    }
};

} // namespace

TBlocNotes::TBlocNotes(const QString &startDir, QWidget *parent, Dialogs *dialogs)
    : QDialog(parent)
    , m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>(this, QStringLiteral("Bloc-notes")))
    , m_dialogs(dialogs ? dialogs : m_ownDialogs.get())
    , m_notepad(startDir)
{
    setWindowTitle(QStringLiteral("Bloc-notes"));
    setObjectName(QStringLiteral("TBlocNotes"));

    auto *tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *printAction = tools->addAction(QIcon::fromTheme(QStringLiteral("document-print")),
                                            QStringLiteral("Imprimer"), this, &TBlocNotes::print);
    printAction->setObjectName(QStringLiteral("actionImprimer"));
    printAction->setToolTip(QStringLiteral("Imprimer"));
    printAction->setShortcut(QKeySequence::Print);
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("buttonFermer"));
    close->setAutoDefault(false);
    close->setFocusPolicy(Qt::TabFocus);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    tools->addWidget(close);

    m_text = new NoteEdit(this);
    m_text->setObjectName(QStringLiteral("text"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_text, 1);
    resize(533, 334);
    setSizeGripEnabled(true);

    QString contents;
    m_loaded = m_notepad.load(contents);
    m_text->setPlainText(contents);
    m_text->document()->setModified(false);
}

TBlocNotes::~TBlocNotes() = default;

void TBlocNotes::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_text->setFocus();
    if (!m_loaded.ok() && !m_loaded.isMissing() && !m_loadReported) {
        m_loadReported = true;
        QTimer::singleShot(0, this, [this] { m_dialogs->warn(m_loaded.message()); });
    }
}

void TBlocNotes::print()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimer le bloc-notes"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_text->print(&printer);
}

void TBlocNotes::done(int result)
{
    if (m_text->document()->isModified()) {
        const text::FileResult written = m_notepad.save(m_text->toPlainText());
        if (!written.ok() && !m_dialogs->closeWithoutSaving(written))
            return;
        m_text->document()->setModified(false);
    }
    QDialog::done(result);
}
