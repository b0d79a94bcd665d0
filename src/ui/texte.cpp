#include "ui/texte.h"

#include "ui/qtdialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The editing area counts in pixels of a 96 dpi screen, files in twips: 1 px = 15 twips,
// 1 point = 4/3 px.
constexpr double kTwipsPerPixel = 15.0;
constexpr double kPixelsPerPoint = 4.0 / 3.0;
// Bullets are drawn in the space of one list indent, this wide.
constexpr double kBulletIndent = richdoc::kBulletIndent / kTwipsPerPixel;

// A paragraph's indents as files and the ruler count them, in pixels: left for every line but
// the first, first for the first line's start from it. The editing area puts a bulleted
// paragraph's text one list indent further in than its block's margin, the bullet in that room.
struct Indents
{
    double left = 0;
    double first = 0;
    double right = 0;
};

Indents indentsOf(const QTextBlockFormat &f, bool bullet)
{
    const double room = bullet ? kBulletIndent : 0;
    return {f.leftMargin() + room, f.textIndent() - room, f.rightMargin()};
}

void setIndents(QTextBlockFormat &f, const Indents &indents, bool bullet)
{
    const double room = bullet ? kBulletIndent : 0;
    double margin = indents.left - room;
    double textIndent = indents.first + room;
    if (margin < 0) {
        // A bullet with less room than it needs (as in older letters): its text moves in, the
        // first line's start stays.
        textIndent += margin;
        margin = 0;
    }
    f.setLeftMargin(margin);
    f.setTextIndent(textIndent);
    f.setRightMargin(indents.right);
}

QString runFont(const QTextCharFormat &f, const QTextDocument *doc)
{
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return doc->defaultFont().family();
}

double runSize(const QTextCharFormat &f, const QTextDocument *doc)
{
    const double size = f.fontPointSize();
    return size > 0 ? size : doc->defaultFont().pointSizeF();
}

QTextCharFormat charFormat(const richdoc::Run &run)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{run.font});
    f.setFontPointSize(run.size);
    f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(run.italic);
    f.setFontUnderline(run.underline);
    return f;
}

QTextBlockFormat blockFormat(const richdoc::Paragraph &p)
{
    QTextBlockFormat f;
    switch (p.alignment) {
    case richdoc::Alignment::Left:
        f.setAlignment(Qt::AlignLeft);
        break;
    case richdoc::Alignment::Center:
        f.setAlignment(Qt::AlignHCenter);
        break;
    case richdoc::Alignment::Right:
        f.setAlignment(Qt::AlignRight);
        break;
    case richdoc::Alignment::Justify:
        f.setAlignment(Qt::AlignJustify);
        break;
    }
    setIndents(f, {p.leftIndent / kTwipsPerPixel, p.firstIndent / kTwipsPerPixel, p.rightIndent / kTwipsPerPixel},
               p.bullet);
    return f;
}

richdoc::Alignment alignmentOf(const QTextBlockFormat &f)
{
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        return richdoc::Alignment::Center;
    if (a & Qt::AlignJustify)
        return richdoc::Alignment::Justify;
    if (a & Qt::AlignRight)
        return richdoc::Alignment::Right;
    return richdoc::Alignment::Left;
}

QTextListFormat bulletFormat()
{
    QTextListFormat f;
    f.setStyle(QTextListFormat::ListDisc);
    f.setIndent(1);
    return f;
}

// The platform's dialogs, whose open chooser adds ".rtf" to a name typed without it, as the
// save chooser does.
class TexteDialogs : public QtDialogs
{
public:
    explicit TexteDialogs(QWidget *window) : QtDialogs(window, QStringLiteral("Texte")), m_window(window) {}

    QString openFile(const QString &filter, const QString &proposed = {}) override
    {
        QFileDialog dialog(m_window, QStringLiteral("Ouvrir"), proposed, qtFilter(filter));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(TextEditor::kDefaultExtension);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().first();
    }

private:
    QWidget *m_window;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Ruler

TexteRuler::TexteRuler(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(false);
}

QSize TexteRuler::sizeHint() const
{
    return QSize(400, fontMetrics().height() + 12);
}

void TexteRuler::setMarkers(int firstX, int leftX, int rightX)
{
    m_x[FirstLine] = firstX;
    m_x[Left] = leftX;
    m_x[Right] = rightX;
    update();
}

QRect TexteRuler::markerRect(Marker marker) const
{
    const int h = height() / 2;
    // The first-line marker hangs from the top edge, the two others stand on the bottom one.
    return QRect(m_x[marker], marker == FirstLine ? 0 : height() - h, kMarkerWidth, h);
}

void TexteRuler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    // The scale is the text TAB + "|" repeated 100 times: a tick at every tab stop.
    const QFontMetrics fm = fontMetrics();
    const int tab = qMax(8, 8 * fm.averageCharWidth());
    painter.setPen(palette().color(QPalette::WindowText));
    const int top = (height() - fm.height()) / 2;
    for (int i = 1; i <= 100 && i * tab < width(); ++i)
        painter.drawText(QRect(i * tab, top, fm.horizontalAdvance(QLatin1Char('|')) + 2, fm.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("|"));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(palette().color(QPalette::WindowText));
    for (Marker m : {FirstLine, Left, Right}) {
        const QRect r = markerRect(m);
        QPolygon triangle;
        if (m == FirstLine)
            triangle << r.topLeft() << r.topRight() << QPoint(r.center().x(), r.bottom());
        else
            triangle << r.bottomLeft() << r.bottomRight() << QPoint(r.center().x(), r.top());
        painter.drawPolygon(triangle);
    }
}

void TexteRuler::resizeEvent(QResizeEvent *)
{
    Q_EMIT resized();
}

void TexteRuler::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    m_dragged = -1;
    // The right marker is tried first, then the first-line marker, which may cover the left one.
    for (Marker m : {Right, FirstLine, Left}) {
        if (markerRect(m).contains(p)) {
            m_dragged = m;
            break;
        }
    }
    if (m_dragged < 0)
        return;
    // Grabbed at half its width: its middle follows the mouse.
    m_grab = kMarkerWidth / 2;
    m_x[m_dragged] = p.x() - m_grab;
    update();
}

void TexteRuler::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragged < 0)
        return;
    m_x[m_dragged] = event->position().toPoint().x() - m_grab;
    update();
}

void TexteRuler::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragged < 0)
        return;
    const auto marker = Marker(m_dragged);
    m_x[marker] = event->position().toPoint().x() - m_grab;
    m_dragged = -1;
    Q_EMIT markerReleased(marker, m_x[marker], m_grab);
}

// ---------------------------------------------------------------------------------------------
// Editor window

TTexte::TTexte(const QStringList &letterhead, QWidget *parent, Dialogs *dialogs)
    : QDialog(parent)
    , m_ownDialogs(dialogs ? nullptr : std::make_unique<TexteDialogs>(this))
    , m_model(letterhead, dialogs ? *dialogs : *m_ownDialogs, *this)
{
    setWindowTitle(QStringLiteral("Texte"));

    m_tools = new QToolBar(this);
    m_ruler = new TexteRuler(this);
    m_editor = new QTextEdit(this);
    m_editor->setFrameShape(QFrame::NoFrame);
    // The text keeps 6 pixels from the left and right edges, where the ruler counts from.
    m_editor->document()->setDocumentMargin(TextEditor::kGutter);
    m_editor->document()->setIndentWidth(kBulletIndent);
    QFont font(TextEditor::kDefaultFont);
    font.setPointSize(TextEditor::kDefaultSize);
    m_editor->document()->setDefaultFont(font);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tools);
    layout->addWidget(m_ruler);
    layout->addWidget(m_editor, 1);

    buildToolStrip();
    // Wide enough for the whole tool strip, whatever the fonts: no command hides behind the
    // strip's overflow arrow.
    resize(qMax(800, m_tools->sizeHint().width()), 640);

    connect(m_editor, &QTextEdit::cursorPositionChanged, this, &TTexte::showStateAtCaret);
    connect(m_editor, &QTextEdit::selectionChanged, this, &TTexte::showStateAtCaret);
    connect(m_editor, &QTextEdit::currentCharFormatChanged, this, &TTexte::showStateAtCaret);
    connect(m_editor->document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_loading)
            m_model.setModified(true);
        showStateAtCaret();
    });
    connect(m_ruler, &TexteRuler::markerReleased, this, &TTexte::applyRulerMarker);
    // The right marker is placed from the ruler's right edge.
    connect(m_ruler, &TexteRuler::resized, this, &TTexte::showStateAtCaret);

    // The window opens on a new letter headed by the company's identity lines.
    m_model.newDocument();
    m_editor->moveCursor(QTextCursor::End);
    showStateAtCaret();
    m_editor->setFocus();
}

TTexte::~TTexte() = default;

void TTexte::buildToolStrip()
{
    auto add = [this](const QString &caption, const QString &name, QKeySequence key = {}) {
        QAction *a = m_tools->addAction(caption);
        a->setObjectName(name);
        a->setToolTip(caption);
        if (!key.isEmpty())
            a->setShortcut(key);
        return a;
    };
    connect(add(QStringLiteral("Nouveau"), QStringLiteral("nouveau"), QKeySequence::New),
            &QAction::triggered, this, &TTexte::nouveau);
    connect(add(QStringLiteral("Ouvrir"), QStringLiteral("ouvrir"), QKeySequence::Open),
            &QAction::triggered, this, &TTexte::ouvrir);
    connect(add(QStringLiteral("Enregistrer"), QStringLiteral("enregistrer"), QKeySequence::Save),
            &QAction::triggered, this, &TTexte::enregistrer);
    connect(add(QStringLiteral("Imprimer"), QStringLiteral("imprimer"), QKeySequence::Print),
            &QAction::triggered, this, &TTexte::imprimer);
    // Ctrl+C and Ctrl+V stay with the editing area, which does the same.
    connect(add(QStringLiteral("Copier"), QStringLiteral("copier")), &QAction::triggered,
            m_editor, &QTextEdit::copy);
    connect(add(QStringLiteral("Coller"), QStringLiteral("coller")), &QAction::triggered,
            m_editor, &QTextEdit::paste);
    m_tools->addSeparator();

    m_fontName = new QComboBox(m_tools);
    m_fontName->setObjectName(QStringLiteral("police"));
    m_fontName->setToolTip(QStringLiteral("Police"));
    m_fontName->setEditable(true);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    m_fontName->setMinimumContentsLength(16);
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    m_fontName->addItems(families);
    m_fontName->setEditText(TextEditor::kDefaultFont);
    m_tools->addWidget(m_fontName);
    connect(m_fontName, &QComboBox::textActivated, this, [this](const QString &family) {
        if (m_showingState || family.trimmed().isEmpty())
            return;
        QTextCharFormat f;
        f.setFontFamilies(QStringList{family.trimmed()});
        applyCharFormat(f);
    });

    m_fontSize = new QSpinBox(m_tools);
    m_fontSize->setObjectName(QStringLiteral("taille"));
    m_fontSize->setToolTip(QStringLiteral("Taille"));
    m_fontSize->setRange(TextEditor::kMinSize, TextEditor::kMaxSize);
    m_fontSize->setValue(TextEditor::kDefaultSize);
    m_tools->addWidget(m_fontSize);
    connect(m_fontSize, &QSpinBox::valueChanged, this, [this](int size) {
        if (m_showingState)
            return;
        QTextCharFormat f;
        f.setFontPointSize(size);
        applyCharFormat(f);
    });

    connect(add(QStringLiteral("Police"), QStringLiteral("policeDialogue")), &QAction::triggered,
            this, &TTexte::choisirPolice);
    m_tools->addSeparator();

    m_bold = add(QStringLiteral("Gras"), QStringLiteral("gras"), QKeySequence(Qt::CTRL | Qt::Key_G));
    m_italic = add(QStringLiteral("Italique"), QStringLiteral("italique"), QKeySequence(Qt::CTRL | Qt::Key_I));
    m_underline = add(QStringLiteral("Souligné"), QStringLiteral("souligne"), QKeySequence(Qt::CTRL | Qt::Key_U));
    for (QAction *a : {m_bold, m_italic, m_underline})
        a->setCheckable(true);
    connect(m_bold, &QAction::toggled, this, [this](bool on) {
        if (m_showingState)
            return;
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        applyCharFormat(f);
    });
    connect(m_italic, &QAction::toggled, this, [this](bool on) {
        if (m_showingState)
            return;
        QTextCharFormat f;
        f.setFontItalic(on);
        applyCharFormat(f);
    });
    connect(m_underline, &QAction::toggled, this, [this](bool on) {
        if (m_showingState)
            return;
        QTextCharFormat f;
        f.setFontUnderline(on);
        applyCharFormat(f);
    });
    m_tools->addSeparator();

    m_alignLeft = add(QStringLiteral("Gauche"), QStringLiteral("gauche"), QKeySequence(Qt::CTRL | Qt::Key_L));
    m_alignCenter = add(QStringLiteral("Centré"), QStringLiteral("centre"), QKeySequence(Qt::CTRL | Qt::Key_E));
    m_alignRight = add(QStringLiteral("Droite"), QStringLiteral("droite"), QKeySequence(Qt::CTRL | Qt::Key_R));
    auto *group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *a : {m_alignLeft, m_alignCenter, m_alignRight}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    m_alignLeft->setChecked(true);
    connect(m_alignLeft, &QAction::triggered, this, [this] { setAlignment(Qt::AlignLeft); });
    connect(m_alignCenter, &QAction::triggered, this, [this] { setAlignment(Qt::AlignHCenter); });
    connect(m_alignRight, &QAction::triggered, this, [this] { setAlignment(Qt::AlignRight); });

    m_bullets = add(QStringLiteral("Puces"), QStringLiteral("puces"));
    m_bullets->setCheckable(true);
    connect(m_bullets, &QAction::toggled, this, [this](bool on) {
        if (!m_showingState)
            setBullets(on);
    });
    m_tools->addSeparator();

    connect(add(QStringLiteral("Fermer"), QStringLiteral("fermer")), &QAction::triggered, this,
            &QWidget::close);
}

// ---------------------------------------------------------------------------------------------
// Conversions

richdoc::Document TTexte::toDocument(const QTextDocument *doc)
{
    richdoc::Document out;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        richdoc::Paragraph p;
        const QTextBlockFormat bf = block.blockFormat();
        p.alignment = alignmentOf(bf);
        p.bullet = block.textList() != nullptr;
        const Indents indents = indentsOf(bf, p.bullet);
        p.leftIndent = qRound(indents.left * kTwipsPerPixel);
        p.firstIndent = qRound(indents.first * kTwipsPerPixel);
        p.rightIndent = qRound(indents.right * kTwipsPerPixel);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat cf = fragment.charFormat();
            richdoc::Run run;
            run.text = fragment.text();
            // Pictures and other objects pasted in have no place in the file.
            run.text.remove(QChar::ObjectReplacementCharacter);
            run.font = runFont(cf, doc);
            run.size = runSize(cf, doc);
            run.bold = cf.fontWeight() >= QFont::DemiBold;
            run.italic = cf.fontItalic();
            run.underline = cf.fontUnderline();
            p.runs.append(run);
        }
        out.paragraphs.append(p);
    }
    richdoc::normalize(out);
    return out;
}

void TTexte::fromDocument(QTextDocument *doc, const richdoc::Document &source)
{
    doc->clear();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    QTextList *list = nullptr;
    bool firstBlock = true;
    for (const richdoc::Paragraph &p : source.paragraphs) {
        const QTextCharFormat first = p.runs.isEmpty() ? QTextCharFormat() : charFormat(p.runs.first());
        if (firstBlock) {
            cursor.setBlockFormat(blockFormat(p));
            cursor.setBlockCharFormat(first);
            firstBlock = false;
        } else {
            cursor.insertBlock(blockFormat(p), first);
        }
        if (p.bullet) {
            if (list)
                list->add(cursor.block());
            else
                list = cursor.createList(bulletFormat());
        } else {
            list = nullptr;
        }
        for (const richdoc::Run &run : p.runs)
            cursor.insertText(run.text, charFormat(run));
    }
    cursor.endEditBlock();
    doc->clearUndoRedoStacks();
}

// ---------------------------------------------------------------------------------------------
// View

richdoc::Document TTexte::document() const
{
    return toDocument(m_editor->document());
}

void TTexte::showDocument(const richdoc::Document &doc)
{
    m_loading = true;
    fromDocument(m_editor->document(), doc);
    m_loading = false;
    m_editor->moveCursor(QTextCursor::Start);
    showStateAtCaret();
}

bool TTexte::chooseFont(QFont &font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, this, QStringLiteral("Police"));
    if (ok)
        font = chosen;
    return ok;
}

bool TTexte::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------------------------------------
// Commands

void TTexte::nouveau()
{
    if (m_model.newDocument())
        m_editor->moveCursor(QTextCursor::End);
}

void TTexte::ouvrir()
{
    m_model.open();
}

bool TTexte::loadFile(const QString &path)
{
    return m_model.load(path);
}

void TTexte::enregistrer()
{
    m_model.save();
}

void TTexte::imprimer()
{
    QPrinter printer;
    if (!choosePrinter(printer))
        return;
    printer.setDocName(QString());
    m_editor->document()->print(&printer);
}

void TTexte::reject()
{
    // Closing by "Fermer", the close box or Escape: changes are asked about first.
    if (m_model.canClose())
        QDialog::reject();
}

// The font commands act on the selection, or without one on the text about to be typed.
void TTexte::applyCharFormat(const QTextCharFormat &format)
{
    QTextCursor cursor = m_editor->textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    else
        m_editor->mergeCurrentCharFormat(format);
    showStateAtCaret();
}

void TTexte::choisirPolice()
{
    QFont font = m_editor->currentCharFormat().font();
    const QTextCharFormat current = m_editor->currentCharFormat();
    font.setFamily(runFont(current, m_editor->document()));
    font.setPointSizeF(runSize(current, m_editor->document()));
    if (!chooseFont(font))
        return;
    QTextCharFormat f;
    f.setFontFamilies(QStringList{font.family()});
    f.setFontPointSize(font.pointSizeF() > 0 ? font.pointSizeF() : TextEditor::kDefaultSize);
    f.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    f.setFontItalic(font.italic());
    f.setFontUnderline(font.underline());
    applyCharFormat(f);
}

void TTexte::setAlignment(Qt::Alignment alignment)
{
    if (m_showingState)
        return;
    QTextBlockFormat f;
    f.setAlignment(alignment);
    m_editor->textCursor().mergeBlockFormat(f);
    showStateAtCaret();
}

void TTexte::setBullets(bool on)
{
    QTextCursor cursor = m_editor->textCursor();
    cursor.beginEditBlock();
    if (on) {
        if (!cursor.currentList()) {
            // Joins the bulleted paragraph just above, as one list.
            QTextBlock above = m_editor->document()->findBlock(cursor.selectionStart()).previous();
            QTextList *list = above.isValid() ? above.textList() : nullptr;
            if (list) {
                QTextBlock b = m_editor->document()->findBlock(cursor.selectionStart());
                const QTextBlock last = m_editor->document()->findBlock(cursor.selectionEnd());
                for (;; b = b.next()) {
                    list->add(b);
                    if (b == last || !b.isValid())
                        break;
                }
            } else {
                cursor.createList(bulletFormat());
            }
        }
    } else {
        QTextBlock b = m_editor->document()->findBlock(cursor.selectionStart());
        const QTextBlock last = m_editor->document()->findBlock(cursor.selectionEnd());
        for (; b.isValid(); b = b.next()) {
            if (QTextList *list = b.textList()) {
                list->remove(b);
                QTextBlockFormat f = b.blockFormat();
                f.setIndent(0);
                QTextCursor(b).setBlockFormat(f);
            }
            if (b == last)
                break;
        }
    }
    cursor.endEditBlock();
    showStateAtCaret();
}

void TTexte::applyRulerMarker(TexteRuler::Marker marker, int x, int grab)
{
    const QTextCursor cursor = m_editor->textCursor();
    const bool bullet = cursor.currentList() != nullptr;
    const Indents current = indentsOf(cursor.blockFormat(), bullet);
    // In points: first line from the margin, the other lines from the first, right indent.
    int first = qRound((current.left + current.first) / kPixelsPerPoint);
    int left = qRound(-current.first / kPixelsPerPoint);
    int right = qRound(current.right / kPixelsPerPoint);
    switch (marker) {
    case TexteRuler::FirstLine:
        first = TextEditor::firstIndentAt(x, grab);
        // The other lines stay where the left marker shows them.
        left = TextEditor::leftIndentAt(m_ruler->markerX(TexteRuler::Left), grab, first);
        break;
    case TexteRuler::Left:
        left = TextEditor::leftIndentAt(x, grab, first);
        break;
    case TexteRuler::Right:
        right = TextEditor::rightIndentAt(m_ruler->width(), x, grab);
        break;
    }
    // Text is never pushed out past the edges of the page.
    first = qMax(0, first);
    left = qMax(-first, left);
    right = qMax(0, right);
    QTextBlockFormat f;
    setIndents(f, {(first + left) * kPixelsPerPoint, -left * kPixelsPerPoint, right * kPixelsPerPoint}, bullet);
    m_editor->textCursor().mergeBlockFormat(f);
    showStateAtCaret();
}

void TTexte::showStateAtCaret()
{
    if (m_showingState)
        return;
    m_showingState = true;
    const QTextCharFormat cf = m_editor->currentCharFormat();
    const QTextDocument *doc = m_editor->document();
    m_bold->setChecked(cf.fontWeight() >= QFont::DemiBold);
    m_italic->setChecked(cf.fontItalic());
    m_underline->setChecked(cf.fontUnderline());
    m_fontSize->setValue(qRound(runSize(cf, doc)));
    const QString family = runFont(cf, doc);
    if (m_fontName->currentText() != family)
        m_fontName->setEditText(family);

    const QTextCursor cursor = m_editor->textCursor();
    const QTextBlockFormat bf = cursor.blockFormat();
    // Justified text, read from a file, has no button: none is shown pressed.
    const richdoc::Alignment a = alignmentOf(bf);
    m_alignLeft->setChecked(a == richdoc::Alignment::Left);
    m_alignCenter->setChecked(a == richdoc::Alignment::Center);
    m_alignRight->setChecked(a == richdoc::Alignment::Right);
    m_bullets->setChecked(cursor.currentList() != nullptr);

    const Indents indents = indentsOf(bf, cursor.currentList() != nullptr);
    const int first = qRound((indents.left + indents.first) / kPixelsPerPoint);
    const int left = qRound(-indents.first / kPixelsPerPoint);
    const int right = qRound(indents.right / kPixelsPerPoint);
    m_ruler->setMarkers(TextEditor::firstMarkerX(first), TextEditor::leftMarkerX(first, left),
                        TextEditor::rightMarkerX(m_ruler->width(), right));
    m_showingState = false;
}
