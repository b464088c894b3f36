#include "symbols/code/HOXCodeMcodeDlg.h"

#include "chart/ControllerType.h"
#include "params/HOXParam.h"
#include "plc/HOXMcodeKzPlcDlg.h"
#include "symbols/code/HOXCodeMcode.h"

CHOXCodeMcodeDlg::CHOXCodeMcodeDlg(CHOXCodeMcode* symbol)
    : CHOXCodeDlg(symbol, kTemplate, {.modeBox = 0, .displayContents = kDisplayContentsBox}),
      m_nAxis(symbol->GetDialogValue())
{
    m_byOpeningMcode = m_byMcode;
    SetParameterDialog(&CHOXParam::EditMcode);
    OnSpinDelta(m_mcodeControls.spin, [](int pos, int delta) { return SkipTwo(pos, delta); });
    OnClicked(kKzPlc, [this] { OnKzPlc(); });
}

void CHOXCodeMcodeDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    DDX_Radio(pDX, kAxisX, m_nAxis);
}

bool CHOXCodeMcodeDlg::OnInitDialog()
{
    Site()->SetRange(m_mcodeControls.spin, 0, 100);
    const std::int32_t type = ControllerType();
    if (ctype::IsOneAxis(type)) EnableDlgItem(kAxisY, false);
    if (ctype::IsInterpolated(type)) {
        // Both axes move together: the M code belongs to neither.
        EnableDlgItem(kAxisX, false);
        EnableDlgItem(kAxisY, false);
        m_nAxis = -1;
    }
    return CHOXCodeDlg::OnInitDialog();
}

bool CHOXCodeMcodeDlg::CheckMcodeRange()
{
    if (m_byMcode <= 1 || (m_byMcode >= 3 && m_byMcode <= 100)) return true;
    AfxMessageBox(kMsgMcodeRange, MB_OK | MB_ICONHAND);
    return false;
}

void CHOXCodeMcodeDlg::OnOK()
{
    if (GetDlgItemText(kMcode).isEmpty()) {
        Refuse(kMcode, kMsgMcodeRange);
        return;
    }
    if (!UpdateData(true)) return;
    if (!CheckMcodeRange()) {
        FocusAndSelect(kMcode);
        return;
    }
    UpdateData(false);
    EndDialog(IDOK);
}

void CHOXCodeMcodeDlg::OnKzPlc()
{
    if (!UpdateData(true)) return;
    if (!CheckMcodeRange()) {
        FocusAndSelect(kMcode);
        return;
    }
    CHOXMcodeKzPlcDlg dlg(m_pSymbol, m_byMcode, m_nAxis, m_byMcode != m_byOpeningMcode ? true : false);
    dlg.DoModal();
}
