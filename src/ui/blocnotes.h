#pragma once

#include <QDialog>

#include "accessories/notepad.h"

#include <memory>

class Dialogs;

class QPlainTextEdit;

// The notepad "Bloc-notes" on Korvel.nte in the start directory: loaded when the window is
// made, written back when it closes if the text was changed.
class TBlocNotes : public QDialog
{
    Q_OBJECT
public:
    // dialogs: the messages and questions (the platform's when none is given).
    explicit TBlocNotes(const QString &startDir, QWidget *parent = nullptr, Dialogs *dialogs = nullptr);
    ~TBlocNotes() override;

    const QString &fileName() const { return m_notepad.path(); }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void print();

    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs *m_dialogs;
    Notepad m_notepad;
    QPlainTextEdit *m_text = nullptr;
    text::FileResult m_loaded;
    bool m_loadReported = false;
};
