#include "symbols/func/HOXFuncArthDlg.h"

#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncArth.h"

namespace {
using SV = CHOXSelectVal;
} // namespace

CHOXFuncArthDlg::CHOXFuncArthDlg(CHOXFuncArth* symbol) : CHOXFuncBaseDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_nKind = symbol->GetKind();
        m_b32Bit = symbol->Get32Bit();
        SetOperand(0, symbol->GetSource1());
        SetOperand(1, symbol->GetSource2());
        SetOperand(2, symbol->GetDestination());
    }
    for (std::size_t i = 0; i < kKindButtons.size(); ++i)
        AddKindButton(kKindButtons[i], static_cast<std::int32_t>(i), LoadStr(13304 + static_cast<UINT>(i)));
}

bool CHOXFuncArthDlg::IsSourceType(BYTE type)
{
    return type == SV::kD || type == SV::kDD || type == SV::kK || type == SV::kH || type == SV::kV || type == SV::kZ;
}

bool CHOXFuncArthDlg::IsDestinationType(BYTE type)
{
    return type == SV::kD || type == SV::kDD || type == SV::kV || type == SV::kZ;
}

bool CHOXFuncArthDlg::IsInPlaceType(BYTE type)
{
    return IsDestinationType(type) || type == SV::kKnM || type == SV::kKnY;
}

void CHOXFuncArthDlg::EnableForKind()
{
    const bool twoSources = !IsInPlace();
    EnableOperand(1, twoSources);
    EnableOperand(2, twoSources);
    SetLabel(0, kSourceLabel);
    SetLabel(1, twoSources ? kSourceLabel : "");
    SetLabel(2, twoSources ? kDestinationLabel : "");
}

void CHOXFuncArthDlg::OnSelect1()
{
    if (IsInPlace()) return SelectWord(0, kInPlaceList, m_b32Bit != 0, IsInPlaceType);
    SelectWord(0, kSourceList, m_b32Bit != 0, IsSourceType);
}

void CHOXFuncArthDlg::OnSelect2() { SelectWord(1, kSourceList, m_b32Bit != 0, IsSourceType); }
void CHOXFuncArthDlg::OnSelect3() { SelectWord(2, kDestinationList, m_b32Bit != 0, IsDestinationType); }

void CHOXFuncArthDlg::OnOK()
{
    if (!UpdateData(true)) return;
    QString message;
    const bool is32Bit = m_b32Bit != 0;
    if (IsInPlace()) {
        if (!ReadWordOperand(0, is32Bit, IDS_SOURCE_EMPTY, IsInPlaceType, IDS_SOURCE_TYPE_NOT_APPLICABLE, message))
            return RefuseOperand(0, IDS_INVALID_SOURCE_DATA, message);
        // The second and third places stay empty in the program text.
        SetOperand(1, SV());
        SetOperand(2, SV());
        EndDialog(IDOK);
        return;
    }
    for (int i : {0, 1})
        if (!ReadWordOperand(i, is32Bit, IDS_SOURCE_EMPTY, IsSourceType, IDS_SOURCE_TYPE_NOT_APPLICABLE, message))
            return RefuseOperand(i, IDS_INVALID_SOURCE_DATA, message);
    if (!ReadWordOperand(2, is32Bit, IDS_DESTINATION_EMPTY, IsDestinationType, IDS_DESTINATION_TYPE_NOT_APPLICABLE,
                         message))
        return RefuseOperand(2, IDS_INVALID_DESTINATION_DATA, message);
    EndDialog(IDOK);
}
