#include "accessories/texteditor.h"

#include "accessories/rtfreader.h"
#include "accessories/rtfwriter.h"
#include "text/encoding.h"

#include <QFileInfo>

TextEditor::TextEditor(const QStringList &letterhead)
    : m_identity(letterhead.mid(0, 4))
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

QString TextEditor::saveQuestion() const
{
    return QStringLiteral("Enregistrer changements dans ") + QFileInfo(m_fileName).fileName()
        + QStringLiteral(" ?");
}

QString TextEditor::withDefaultExtension(const QString &name)
{
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + QLatin1Char('.') + kDefaultExtension;
}

// Asks whether to save a changed document; true when the caller may go on.
bool TextEditor::askAboutChanges(Host &host)
{
    if (!m_modified)
        return true;
    switch (host.askYesNoCancel(saveQuestion())) {
    case Answer::Oui:
        // A save that is cancelled or fails keeps the document, or it would be lost.
        return save(host);
    case Answer::Non:
        return true;
    case Answer::Annuler:
        break;
    }
    return false;
}

bool TextEditor::newDocument(Host &host)
{
    if (!askAboutChanges(host))
        return false;
    host.showDocument(letterheadDocument());
    m_modified = false;
    return true;
}

bool TextEditor::open(Host &host)
{
    if (!askAboutChanges(host))
        return false;
    const QString path = host.chooseOpenFile(kFilter);
    if (path.isEmpty())
        return false;
    return load(host, path);
}

bool TextEditor::load(Host &host, const QString &path)
{
    QByteArray data;
    text::FileResult read = text::readFile(path, data);
    richdoc::Document doc;
    QString reason;
    if (read.ok() && !rtf::readDocument(data, doc, &reason))
        read = text::FileResult(text::FileResult::Operation::Read, text::FileResult::Status::Failed, path, reason);
    if (!read.ok()) {
        host.message(read.message());
        return false;
    }
    m_fileName = path;
    host.showDocument(doc);
    m_modified = false;
    return true;
}

bool TextEditor::save(Host &host)
{
    if (!m_modified)
        return true;
    const QString path = withDefaultExtension(host.chooseSaveFile(kFilter, m_fileName));
    if (path.isEmpty())
        return false;
    const text::FileResult written = text::writeFile(path, rtf::writeDocument(host.document()));
    if (!written.ok()) {
        host.message(written.message());
        return false;
    }
    m_fileName = path;
    m_modified = false;
    return true;
}

bool TextEditor::canClose(Host &host)
{
    return askAboutChanges(host);
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
