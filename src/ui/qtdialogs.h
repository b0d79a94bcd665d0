#pragma once

#include "ports/dialogs.h"

class QWidget;

// The platform's message boxes, input box and file choosers, in French, over a parent window
// and with a caption (the program's name, or the window's own caption for a desk accessory).
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr, const QString &caption = QStringLiteral("Korvel"))
        : m_parent(parent), m_caption(caption)
    {
    }

    void message(const QString &text) override;
    void warn(const QString &text) override;
    Answer ask(const QString &question, Buttons buttons) override;
    bool inputBox(const QString &caption, const QString &prompt, QString &value) override;
    QString openFile(const QString &filter, const QString &proposed = {}) override;
    QString saveFile(const QString &filter, const QString &proposed, const QString &defaultSuffix = {},
                     bool confirmOverwrite = false, const QString &title = {}) override;

    // "Fichiers employés (*.emp)|*.emp" as Qt writes filters.
    static QString qtFilter(const QString &filter);

private:
    void show(int icon, const QString &text);

    QWidget *m_parent;
    QString m_caption;
};
