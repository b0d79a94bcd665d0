#pragma once

#include <functional>

// The page set-up dialog "Mise en page" as data (the window TMPage shows it): the radio
// groups "Type de papier" (0 "Papier blanc", 1 "Papier à en-tête") and "Orientation
// enveloppe" (0 "Portrait", 1 "Paysage") and the box "Guide enveloppe à droite".
class PageSetupModel
{
public:
    // The orientation Result gives when the dialog was cancelled: nothing is to change.
    static constexpr int kUnchanged = -1;

    // Shows the stored values when the paper type is 0, 1 or 2 and the orientation 0 or 1
    // (a paper type of 2 selects the last choice, "Papier à en-tête"); otherwise the
    // dialog's defaults: first choice of each group, box not ticked.
    void Init(int paperType, int envelopeOrientation, bool guide);

    int paperType() const { return m_paperType; }
    int envelopeOrientation() const { return m_orientation; }
    bool guide() const { return m_guide; }
    // The user's choices; values outside the groups are refused.
    void setPaperType(int choice);
    void setEnvelopeOrientation(int choice);
    void setGuide(bool ticked) { m_guide = ticked; }

    // The dialog's outcome: the choices after "OK"; after "Annuler", Escape or closing,
    // orientation is kUnchanged and the other two are left as they are.
    void Result(bool accepted, int &paperType, int &envelopeOrientation, bool &guide) const;

private:
    int m_paperType = 0;
    int m_orientation = 0;
    bool m_guide = false;
};

// "&Mise en page": dialog shows the model, initialised from the three settings (the guide
// counts as ticked above 0), and returns true for "OK". Then the paper type and orientation
// take the choices and the guide becomes 100 when ticked, 0 otherwise; a cancelled dialog
// changes nothing. Nothing is printed or saved here (the settings file is written at exit).
// Returns true when the settings were replaced.
bool ParM(int &paperType, int &envelopeOrientation, int &envelopeGuide,
          const std::function<bool(PageSetupModel &)> &dialog);
