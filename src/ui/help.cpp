#include "ui/help.h"

#include "shell/helptopics.h"

#include <QCollator>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString readPage(const QString &page)
{
    QFile f(QStringLiteral(":/help/") + page);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace

THelp::THelp(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Aide de Korvel"));
    resize(720, 560);
    m_browser = new QTextBrowser(this);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setOpenExternalLinks(false);

    auto *contents = new QPushButton(QStringLiteral("&Sommaire"), this);
    auto *search = new QPushButton(QStringLiteral("&Rechercher"), this);
    auto *back = new QPushButton(QStringLiteral("&Précédent"), this);
    auto *close = new QPushButton(QStringLiteral("&Fermer"), this);
    for (auto *b : {contents, search, back, close})
        b->setAutoDefault(false);
    connect(contents, &QPushButton::clicked, this, [this] { showTopic(helptopics::kContents); });
    connect(search, &QPushButton::clicked, this, [this] {
        THelpSearch dlg(this);
        if (dlg.exec() == QDialog::Accepted && !dlg.chosenTopic().isEmpty())
            showTopic(dlg.chosenTopic());
    });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(search);
    bar->addWidget(back);
    bar->addStretch();
    bar->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser);
    showTopic(helptopics::kContents);
}

void THelp::showTopic(const QString &page)
{
    const QString known = QFile::exists(QStringLiteral(":/help/") + page) ? page : helptopics::kContents;
    m_browser->setSource(QUrl(known));
}

void THelp::showContext(int context)
{
    showTopic(helptopics::topicForContext(context));
}

QString THelp::currentTopic() const
{
    return m_browser->source().path();
}

QString THelp::pageTitle(const QString &page)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto m = title.match(readPage(page));
    return m.hasMatch() ? m.captured(1).trimmed() : page;
}

QMap<QString, QStringList> THelp::keywordIndex()
{
    static const QRegularExpression meta(
        QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    QMap<QString, QStringList> index;
    const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
    for (const QString &page : pages) {
        const auto m = meta.match(readPage(page));
        if (!m.hasMatch())
            continue;
        for (const QString &k : m.captured(1).split(u';', Qt::SkipEmptyParts))
            index[k.trimmed()].append(page);
    }
    return index;
}

THelpSearch::THelpSearch(QWidget *parent) : QDialog(parent), m_index(THelp::keywordIndex())
{
    setWindowTitle(QStringLiteral("Rechercher dans l'aide"));
    resize(380, 420);
    m_input = new QLineEdit(this);
    m_list = new QListWidget(this);
    auto *label = new QLabel(QStringLiteral("&Tapez les premières lettres du mot cherché :"), this);
    label->setBuddy(m_input);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&Afficher"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &THelpSearch::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_input, &QLineEdit::textChanged, this, &THelpSearch::filter);
    connect(m_list, &QListWidget::itemActivated, this, &THelpSearch::choose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_input);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    QStringList keys = m_index.keys();
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(keys.begin(), keys.end(), collator);
    m_list->addItems(keys);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void THelpSearch::filter(const QString &text)
{
    // Selects the first keyword that starts with what has been typed.
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            m_list->setCurrentRow(i);
            return;
        }
    }
}

void THelpSearch::choose()
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    m_topic = m_index.value(item->text()).value(0);
    accept();
}
