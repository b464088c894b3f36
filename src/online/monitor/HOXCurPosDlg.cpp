#include "online/monitor/HOXCurPosDlg.h"

#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "online/HOXMonCommand.h"
#include "online/monitor/HOXMonCurPos.h"
#include "plc/HOXKzPlcDlg.h"

CHOXCurPosDlg::CHOXCurPosDlg(CHOXMonCurPos* object, CWnd*)
    : CDialog(kTemplate), m_nUnit(object->GetUnit()), m_nXValue(object->GetXPosition()),
      m_nYValue(object->GetYPosition()), m_pObject(object), m_pDoc(object->GetDocument())
{
    OnClicked(kSystem, [this] { OnUnit(CHOXMonCurPos::kUnitSystem); });
    OnClicked(kPulse, [this] { OnUnit(CHOXMonCurPos::kUnitPulse); });
    OnClicked(kWriteX, [this] { OnWrite(axis::kX); });
    OnClicked(kWriteY, [this] { OnWrite(axis::kY); });
    OnClicked(kReadPlc, [this] { OnPlc(true); });
    OnClicked(kWritePlc, [this] { OnPlc(false); });
    OnClicked(kHelpButton, [this] { OpenHelp(kHelpContext); });
}

bool CHOXCurPosDlg::IsMonitoring() const { return m_pDoc != nullptr && !m_pDoc->IsEditMode(); }

bool CHOXCurPosDlg::IsOneAxis() const { return m_pObject->IsOneAxis(); }

bool CHOXCurPosDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateEnabling();
    return true;
}

void CHOXCurPosDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, kSystem, m_nUnit);
    DDX_Text(pDX, kXValue, m_nXValue);
    DDX_Text(pDX, kYValue, m_nYValue);
}

void CHOXCurPosDlg::UpdateEnabling()
{
    const bool monitoring = IsMonitoring();
    const bool y = monitoring && !IsOneAxis();
    const bool pulses = IsDlgButtonChecked(kPulse) != 0;
    EnableDlgItem(kXValue, monitoring);
    EnableDlgItem(kWriteX, monitoring && !pulses);
    EnableDlgItem(kYValue, y);
    EnableDlgItem(kWriteY, y && !pulses);
}

// The positions are read in the new unit from the next polling cycle on,
// however the dialog ends.
void CHOXCurPosDlg::OnUnit(std::int32_t unit)
{
    m_pObject->SetUnit(unit);
    if (IsMonitoring()) UpdateEnabling();
}

void CHOXCurPosDlg::OnWrite(int axis)
{
    if (!UpdateData(true)) return;
    // Monitoring may have ended while the dialog stood open (a link error):
    // nothing is sent then, and nothing can be written any more.
    if (!IsMonitoring()) {
        UpdateEnabling();
        return;
    }
    // The sender shows its own refusals and failures; the dialog stays.
    CHOXMonCommand command(m_pDoc);
    command.WriteCurrentPos(axis, axis == axis::kX ? m_nXValue : m_nYValue, m_nUnit);
}

void CHOXCurPosDlg::OnPlc(bool read)
{
    CHOXKzPlcDlg dlg(CHOXKzPlcDlg::kForm32Bit, -1, m_pDoc, read ? 1 : 0, 1);
    dlg.DoModal();
}
