#pragma once

#include "ports/dialogs.h"

#include <QList>
#include <QStringList>
#include <QtTest>

// A scripted stand-in for the platform's dialogs. Every message and question is recorded in
// log ("message: …", "warn: …", "ask: …", "input: …", "open: …", "save: …"); questions and choosers are
// answered from the queues the test fills, in order. A question that finds its queue empty was
// not expected: the test fails, naming it.
class FakeDialogs : public Dialogs
{
public:
    QStringList log;
    QList<Answer> answers;   // for ask()
    QStringList files;       // for openFile() and saveFile(); "" = cancelled
    QStringList inputs;      // for inputBox() and the one-field dialogs; a null string = cancelled

    // Every box that only tells something, with either icon, in order.
    QStringList messages() const
    {
        QStringList out;
        for (const QString &l : log)
            if (l.startsWith(QLatin1String("message: ")) || l.startsWith(QLatin1String("warn: ")))
                out << l.mid(l.indexOf(u' ') + 1);
        return out;
    }
    // Only the refusals and failures, shown with the warning icon.
    QStringList warnings() const
    {
        QStringList out;
        for (const QString &l : log)
            if (l.startsWith(QLatin1String("warn: ")))
                out << l.mid(6);
        return out;
    }

    void message(const QString &text) override { log << QStringLiteral("message: ") + text; }
    void warn(const QString &text) override { log << QStringLiteral("warn: ") + text; }
    Answer ask(const QString &text, Buttons buttons) override
    {
        log << QStringLiteral("ask: ") + text;
        return next(answers, text, buttons == Buttons::OkAnnuler ? Answer::Annuler
                                   : buttons == Buttons::OuiNon  ? Answer::Non
                                                                 : Answer::Annuler);
    }
    bool inputBox(const QString &caption, const QString &, QString &value) override
    {
        log << QStringLiteral("input: ") + caption;
        return takeInput(caption, value);
    }
    QString openFile(const QString &filter, const QString &) override
    {
        return next(files, log.emplaceBack(QStringLiteral("open: ") + filter), QString());
    }
    QString saveFile(const QString &filter, const QString &proposed, const QString &, bool, const QString &) override
    {
        return next(files, log.emplaceBack(QStringLiteral("save: ") + filter + u' ' + proposed), QString());
    }

protected:
    template <typename T> T next(QList<T> &queue, const QString &what, const T &cancelled)
    {
        if (!queue.isEmpty())
            return queue.takeFirst();
        QTest::qFail(qPrintable(QStringLiteral("unexpected dialog: ") + what), __FILE__, __LINE__);
        return cancelled;
    }
    // A one-field dialog: true with value set when the scripted input is not null.
    bool takeInput(const QString &what, QString &value)
    {
        const QString typed = next(inputs, what, QString());
        if (typed.isNull())
            return false;
        value = typed;
        return true;
    }
};
