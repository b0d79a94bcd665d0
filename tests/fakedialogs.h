#pragma once

#include "payroll/parameters.h"
#include "shell/dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// A scripted stand-in for the platform's dialogs: records every message and question, and
// answers from queues filled by the test. An unexpected question fails loudly.
class FakeDialogs : public Dialogs
{
public:
    QStringList log;                    // "message: …", "ask: …", "open", "save", …
    QList<Answer> answers;              // for askYesNoCancel / askOkCancel, in order
    QStringList files;                  // for openFile / saveFile, in order ("" = cancelled)
    QList<std::function<bool(QStringList &)>> societeAnswers;
    QList<std::function<bool(PayrollParametersForm &)>> paramAnswers;

    QStringList messages() const
    {
        QStringList out;
        for (const QString &l : log)
            if (l.startsWith(QLatin1String("message: ")))
                out << l.mid(9);
        return out;
    }

    void message(const QString &text) override { log << QStringLiteral("message: ") + text; }
    Answer askYesNoCancel(const QString &text) override
    {
        log << QStringLiteral("ask: ") + text;
        return answers.isEmpty() ? Answer::Annuler : answers.takeFirst();
    }
    Answer askOkCancel(const QString &text) override
    {
        log << QStringLiteral("ask: ") + text;
        return answers.isEmpty() ? Answer::Annuler : answers.takeFirst();
    }
    bool inputBox(const QString &caption, const QString &, QString &value) override
    {
        log << QStringLiteral("input: ") + caption;
        if (files.isEmpty())
            return false;
        value = files.takeFirst();
        return true;
    }
    QString openFile(const QString &filter, const QString &) override
    {
        log << QStringLiteral("open: ") + filter;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString saveFile(const QString &filter, const QString &proposed) override
    {
        log << QStringLiteral("save: ") + filter + QStringLiteral(" ") + proposed;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    bool societe(QStringList &lines) override
    {
        log << QStringLiteral("societe");
        return societeAnswers.isEmpty() ? false : societeAnswers.takeFirst()(lines);
    }
    bool paramPaie(PayrollParametersForm &form) override
    {
        log << QStringLiteral("paramPaie");
        return paramAnswers.isEmpty() ? false : paramAnswers.takeFirst()(form);
    }
};
