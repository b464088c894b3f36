#include "params/HOXParamDlg.h"

#include "chart/ControllerType.h"
#include "params/HOXParam.h"
#include "platform/Help.h"
#include "platform/Messages.h"
#include "platform/Strings.h"

#include <cstdlib>

CHOXParamDlg::CHOXParamDlg(UINT templateId, CHOXParam* param) : CDialog(templateId), m_pParam(param)
{
    OnClicked(kHelpButton, [this] { OpenHelp(HID_BASE_RESOURCE + GetTemplateId()); });
    OnSelChanging(kTabCtrl, [this] { return LeaveAxis(); });
    OnSelChange(kTabCtrl, [this] { EnterAxis(Site()->GetCurSel(kTabCtrl)); });
}

int CHOXParamDlg::AdjustStep(const SpinSteps& steps, int pos, int delta)
{
    if (steps.lowerTop >= 0) {
        if (delta > 0 && pos == steps.lowerTop) return steps.upperBottom - pos;
        if (delta < 0 && pos == steps.upperBottom) return steps.lowerTop - pos;
    }
    if (!steps.octal) return delta;
    const int last = std::abs(pos % 10);
    if (delta > 0 && last >= 7) return 10 - last; // 7 to 10, 17 to 20
    if (delta < 0 && last == 0) return -3;        // 10 to 7
    if (delta < 0 && last >= 8) return 7 - last;  // 18 and 19 to 17
    return delta;
}

bool CHOXParamDlg::IsOneAxis() const { return m_pParam != nullptr && m_pParam->IsOneAxisModel(); }

AxisValues CHOXParamDlg::Load(UINT number) const
{
    AxisValues values{};
    if (m_pParam == nullptr) return values;
    for (int axis = 0; axis < AxisCount(); ++axis)
        m_pParam->GetParam(&values[static_cast<std::size_t>(axis)], number, axis);
    return values;
}

void CHOXParamDlg::Write(UINT number, int axis, std::int32_t value)
{
    if (m_pParam != nullptr) m_pParam->SetParam(&value, number, axis);
}

bool CHOXParamDlg::OnInitDialog()
{
    if (Site()->HasControl(kTabCtrl)) {
        Site()->AddString(kTabCtrl, QStringLiteral(" X"));
        if (!IsOneAxis()) Site()->AddString(kTabCtrl, QStringLiteral(" Y"));
        Site()->SetCurSel(kTabCtrl, 0);
    }
    m_nAxis = axis::kX;
    SetupControls();
    ShowAxis(m_nAxis);
    UpdateData(false);
    UpdateEnabling();
    AxisShown();
    return true;
}

void CHOXParamDlg::OnOK()
{
    if (CommitValues()) EndDialog(IDOK);
}

bool CHOXParamDlg::CommitValues()
{
    if (!LeaveAxis()) return false;
    WriteValues();
    return true;
}

bool CHOXParamDlg::TakeFields() { return UpdateData(true) && CheckFields(); }

bool CHOXParamDlg::LeaveAxis()
{
    if (!TakeFields()) return false;
    StoreAxis(m_nAxis);
    return true;
}

void CHOXParamDlg::EnterAxis(int axis)
{
    m_nAxis = axis == axis::kY ? axis::kY : axis::kX;
    ShowAxis(m_nAxis);
    UpdateData(false);
    UpdateEnabling();
    AxisShown();
}

bool CHOXParamDlg::Fail(int id, const QString& message)
{
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(id);
    if (Site() != nullptr) Site()->SetSel(id, 0, -1);
    return false;
}

bool CHOXParamDlg::Fail(int id, UINT messageId) { return Fail(id, LoadStr(messageId)); }

bool CHOXParamDlg::CheckOctalDigit(int id, std::int32_t value)
{
    if (std::abs(value % 10) >= 8) return Fail(id, kMsgOctal);
    return true;
}

void CHOXParamDlg::SetSpin(int id, int low, int high, SpinSteps steps)
{
    Site()->SetRange(id, low, high);
    OnSpinDelta(id, [steps](int pos, int delta) { return AdjustStep(steps, pos, delta); });
}

void CHOXParamDlg::EnableAll(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids) EnableDlgItem(id, enable);
}
