#pragma once

#include <QDialog>
#include <QMap>
#include <QStringList>

class QTextBrowser;
class QLineEdit;
class QListWidget;

// The program's help: French HTML pages shipped inside the program (":/help/"), shown in a
// browser window with the contents, a keyword search and help on help.
class THelp : public QDialog
{
    Q_OBJECT
public:
    explicit THelp(QWidget *parent = nullptr);

    void showTopic(const QString &page);
    void showContext(int context);
    QString currentTopic() const;
    QTextBrowser *browser() const { return m_browser; }

    // Every keyword of the pages (their <meta name="keywords">) and the pages that carry it.
    static QMap<QString, QStringList> keywordIndex();
    static QString pageTitle(const QString &page);

private:
    QTextBrowser *m_browser;
};

// The keyword search window: a keyword typed or chosen in the list opens its topic.
class THelpSearch : public QDialog
{
    Q_OBJECT
public:
    explicit THelpSearch(QWidget *parent = nullptr);
    QString chosenTopic() const { return m_topic; }
    QLineEdit *input() const { return m_input; }
    QListWidget *list() const { return m_list; }

private:
    void filter(const QString &text);
    void choose();

    QMap<QString, QStringList> m_index;
    QLineEdit *m_input;
    QListWidget *m_list;
    QString m_topic;
};
