#pragma once

#include "shell/shelldialogs.h"

class QWidget;

// The frame's modal windows, as Qt windows over the frame.
class QtShellDialogs : public ShellDialogs
{
public:
    explicit QtShellDialogs(QWidget *parent = nullptr) : m_parent(parent) {}

    bool societe(QStringList &lines) override;
    bool paramPaie(PayrollParametersForm &form) override;

private:
    QWidget *m_parent;
};
