#include "symbols/func/HOXFuncLogicalDlg.h"

#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncLogical.h"
#include "symbols/func/HOXFuncMoveDlg.h"

CHOXFuncLogicalDlg::CHOXFuncLogicalDlg(CHOXFuncLogical* symbol) : CHOXFuncBaseDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_nKind = symbol->GetKind();
        m_b32Bit = symbol->Get32Bit();
        SetOperand(0, symbol->GetSource1());
        SetOperand(1, symbol->GetSource2());
        SetOperand(2, symbol->GetDestination());
    }
    m_labels = {kSourceLabel, kSourceLabel, kDestinationLabel, ""};
    AddKindButton(kWand, CHOXFuncLogical::kWand, QStringLiteral("  WAND "));
    AddKindButton(kWor, CHOXFuncLogical::kWor, QStringLiteral("  WOR "));
    AddKindButton(kWxor, CHOXFuncLogical::kWxor, QStringLiteral("  WXOR "));
}

void CHOXFuncLogicalDlg::OnSelect3()
{
    SelectWord(2, kDestinationList, m_b32Bit != 0, CHOXFuncMoveDlg::IsWritable);
}

void CHOXFuncLogicalDlg::OnOK()
{
    if (!UpdateData(true)) return;
    const UINT headings[] = {IDS_INVALID_SOURCE_DATA, IDS_INVALID_SOURCE_DATA, IDS_INVALID_DESTINATION_DATA};
    // First the form of every text: the reader's own words say what is wrong.
    for (int i = 0; i < 3; ++i) {
        QString message;
        if (!m_operands[static_cast<std::size_t>(i)].Parse(m_texts[static_cast<std::size_t>(i)], message)) {
            m_operands[static_cast<std::size_t>(i)].Clear();
            return RefuseOperand(i, headings[i], message);
        }
    }
    // Then the controller's ranges and what the destination takes; a check
    // that gives its reason says it alone.
    for (int i = 0; i < 3; ++i) {
        CHOXSelectVal& operand = m_operands[static_cast<std::size_t>(i)];
        QString message;
        const bool inRange = operand.CheckRange(m_b32Bit != 0, IsOneAxisMode(), message, m_nFileRegisters);
        if (inRange && (i < 2 || CHOXFuncMoveDlg::IsWritable(operand.GetDeviceType()))) continue;
        operand.Clear();
        if (message.isEmpty()) message = LoadStr(headings[i]);
        return RefuseOperand(i, QString(), message);
    }
    EndDialog(IDOK);
}
