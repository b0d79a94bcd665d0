#include "printing/pagesetup.h"

#include <algorithm>

void PageSetupModel::Init(int paperType, int envelopeOrientation, bool guide)
{
    const bool shown = paperType >= 0 && paperType <= 2 && (envelopeOrientation == 0 || envelopeOrientation == 1);
    m_paperType = shown ? std::min(paperType, 1) : 0;
    m_orientation = shown ? envelopeOrientation : 0;
    m_guide = shown && guide;
}

void PageSetupModel::setPaperType(int choice)
{
    if (choice == 0 || choice == 1)
        m_paperType = choice;
}

void PageSetupModel::setEnvelopeOrientation(int choice)
{
    if (choice == 0 || choice == 1)
        m_orientation = choice;
}

void PageSetupModel::Result(bool accepted, int &paperType, int &envelopeOrientation, bool &guide) const
{
    if (!accepted) {
        envelopeOrientation = kUnchanged;
        return;
    }
    paperType = m_paperType;
    envelopeOrientation = m_orientation;
    guide = m_guide;
}

bool ParM(int &paperType, int &envelopeOrientation, int &envelopeGuide,
          const std::function<bool(PageSetupModel &)> &dialog)
{
    PageSetupModel model;
    model.Init(paperType, envelopeOrientation, envelopeGuide > 0);
    const bool accepted = dialog(model);
    int paper = paperType;
    int orientation = envelopeOrientation;
    bool guide = envelopeGuide > 0;
    model.Result(accepted, paper, orientation, guide);
    if (orientation == PageSetupModel::kUnchanged)
        return false;
    paperType = paper;
    envelopeOrientation = orientation;
    envelopeGuide = guide ? 100 : 0;
    return true;
}
