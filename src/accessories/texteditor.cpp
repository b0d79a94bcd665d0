#include "accessories/texteditor.h"

#include "accessories/rtfreader.h"
#include "accessories/rtfwriter.h"
#include "text/encoding.h"

#include <QFileInfo>

TextEditor::TextEditor(const QStringList &letterhead, Dialogs &dialogs, View &view)
    : m_dialogs(dialogs), m_view(view), m_identity(letterhead.mid(0, 4))
{
    while (m_identity.size() < 4)
        m_identity.append(QString());
}

richdoc::Document TextEditor::letterheadDocument() const
{
    richdoc::Run format;
    format.font = kDefaultFont;
    format.size = kDefaultSize;
    // The four identity lines, then the line where the letter begins.
    richdoc::Document doc = richdoc::fromLines(m_identity, format);
    doc.paragraphs.append(richdoc::Paragraph());
    return doc;
}

QString TextEditor::withDefaultExtension(const QString &name)
{
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + QLatin1Char('.') + kDefaultExtension;
}

// Asks whether to save a changed document; true when the caller may go on. A save that is
// cancelled or fails keeps the document, or it would be lost.
bool TextEditor::askAboutChanges()
{
    return !m_modified || m_dialogs.saveChangesFirst(m_fileName, [this] { return save(); });
}

bool TextEditor::newDocument()
{
    if (!askAboutChanges())
        return false;
    m_view.showDocument(letterheadDocument());
    m_modified = false;
    return true;
}

bool TextEditor::open()
{
    if (!askAboutChanges())
        return false;
    const QString path = m_dialogs.openFile(kFilter);
    if (path.isEmpty())
        return false;
    return load(path);
}

bool TextEditor::load(const QString &path)
{
    QByteArray data;
    text::FileResult read = text::readFile(path, data);
    richdoc::Document doc;
    QString reason;
    if (read.ok() && !rtf::readDocument(data, doc, &reason))
        read = text::FileResult(text::FileResult::Operation::Read, text::FileResult::Status::Failed, path, reason);
    if (!read.ok()) {
        m_dialogs.warn(read.message());
        return false;
    }
    m_fileName = path;
    m_view.showDocument(doc);
    m_modified = false;
    return true;
}

bool TextEditor::save()
{
    if (!m_modified)
        return true;
    // The chooser proposes the current file, which is saved over without a question; another
    // file that exists is only replaced once the user agrees.
    const QString path = withDefaultExtension(m_dialogs.saveFile(kFilter, m_fileName, kDefaultExtension));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path) != QFileInfo(m_fileName) && QFileInfo::exists(path)
        && !m_dialogs.confirm(QStringLiteral("Ce fichier existe déjà")))
        return false;
    const text::FileResult written = text::writeFile(path, rtf::writeDocument(m_view.document()));
    if (!written.ok()) {
        m_dialogs.warn(written.message());
        return false;
    }
    m_fileName = path;
    m_modified = false;
    return true;
}

bool TextEditor::canClose()
{
    return askAboutChanges();
}

int TextEditor::firstMarkerX(int first)
{
    return first * 4 / 3 + 2;
}

int TextEditor::leftMarkerX(int first, int left)
{
    return (first + left) * 4 / 3 + 2;
}

int TextEditor::rightMarkerX(int rulerWidth, int right)
{
    return rulerWidth - kGutter - (right + kGutter) * 4 / 3;
}

int TextEditor::firstIndentAt(int x, int grab)
{
    return (x + grab - kGutter) * 3 / 4;
}

int TextEditor::leftIndentAt(int x, int grab, int first)
{
    return (x + grab - kGutter) * 3 / 4 - first;
}

int TextEditor::rightIndentAt(int rulerWidth, int x, int grab)
{
    return (rulerWidth - x + grab - 2) * 3 / 4 - 2 * kGutter;
}
