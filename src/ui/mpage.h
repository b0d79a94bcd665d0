#pragma once

#include "printing/pagesetup.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

// The page set-up dialog "Mise en page" over its model: "Type de papier" ("Papier blanc",
// "Papier à en-tête"), "Orientation enveloppe" ("Portrait", "Paysage"), "Guide enveloppe à
// droite"; "OK" (Enter) keeps the choices, "Annuler", Escape or closing the window keeps
// nothing. The command "&Mise en page" runs it through ParM:
//
//     ParM(paperType, envelopeOrientation, envelopeGuide,
//          [this](PageSetupModel &m) { return TMPage::edit(m, this); });
class TMPage : public QDialog
{
    Q_OBJECT
public:
    explicit TMPage(QWidget *parent = nullptr);

    // The stored settings, shown as PageSetupModel::Init says.
    void Init(int paperType, int envelopeOrientation, bool guide);
    // The choices after "OK"; an orientation of PageSetupModel::kUnchanged (-1) otherwise.
    void Result(int &paperType, int &envelopeOrientation, bool &guide) const;

    // Shows model modally; true after "OK", the model then holding the choices.
    static bool edit(PageSetupModel &model, QWidget *parent = nullptr);

    QRadioButton *paperChoice(int i) const { return m_paper[i]; }
    QRadioButton *orientationChoice(int i) const { return m_orientation[i]; }
    QCheckBox *guideBox() const { return m_guide; }

private:
    void display(const PageSetupModel &model);

    PageSetupModel m_model;
    QRadioButton *m_paper[2];
    QRadioButton *m_orientation[2];
    QCheckBox *m_guide;
};
