#pragma once

#include <QDialog>

#include "accessories/notepad.h"

class QPlainTextEdit;

// The notepad "Bloc-notes" on Korvel.nte in the start directory: loaded when the window is
// made, written back when it closes if the text was changed.
class TBlocNotes : public QDialog
{
    Q_OBJECT
public:
    explicit TBlocNotes(const QString &startDir, QWidget *parent = nullptr);

    const QString &fileName() const { return m_notepad.path(); }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void print();

    Notepad m_notepad;
    QPlainTextEdit *m_text = nullptr;
    text::FileResult m_loaded;
    bool m_loadReported = false;
};
