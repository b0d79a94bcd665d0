#pragma once

#include <QDialog>

#include "accessories/messages.h"

#include <memory>

class Dialogs;

class QCheckBox;
class QLabel;
class QLineEdit;

// The telephone-message pad "Messages" of a dossier. The window reads the dossier's ".oms" file
// when it is made and writes it back when it closes.
class TFicheMsg : public QDialog
{
    Q_OBJECT
public:
    // dialogs: the messages and questions (the platform's when none is given).
    explicit TFicheMsg(const QString &dossierFile, QWidget *parent = nullptr, Dialogs *dialogs = nullptr);
    ~TFicheMsg() override;

    const QString &fileName() const { return m_file; }
    const MessagePad &pad() const { return m_pad; }

    // Loads the messages file; a missing file leaves one empty message.
    text::FileResult Charge();
    // Stores the current message and writes every message to the file; false (after telling
    // the user) when the file could not be written.
    bool Sauve();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Message formMessage() const;
    void storeCurrent();
    void showCurrent();
    void previous();
    void next();
    void add();
    void remove();

    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs *m_dialogs;
    QString m_file;
    MessagePad m_pad;
    text::FileResult m_loaded;
    bool m_loadReported = false;
    bool m_showing = false;
    QLabel *m_number = nullptr;
    QLineEdit *m_fields[Message::FieldCount] = {};
    QCheckBox *m_boxes[Message::BoxCount] = {};
};
