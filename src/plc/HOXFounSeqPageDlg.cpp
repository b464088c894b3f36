#include "plc/HOXFounSeqPageDlg.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"

#include <algorithm>

namespace {

struct AxisControls {
    int title, m, device, spin, group, names, list;
};
constexpr AxisControls kAxes[2] = {
    {IDC_FOUNSEQ_TITLE_X, IDC_FOUNSEQ_M_X, IDC_FOUNSEQ_DEVICE_X, IDC_FOUNSEQ_SPIN_X, IDC_FOUNSEQ_GROUP_X,
     IDC_FOUNSEQ_NAMES_X, IDC_FOUNSEQ_LIST_X},
    {IDC_FOUNSEQ_TITLE_Y, IDC_FOUNSEQ_M_Y, IDC_FOUNSEQ_DEVICE_Y, IDC_FOUNSEQ_SPIN_Y, IDC_FOUNSEQ_GROUP_Y,
     IDC_FOUNSEQ_NAMES_Y, IDC_FOUNSEQ_LIST_Y},
};

const AxisControls& Axis(int axis) { return kAxes[axis == axis::kX ? 0 : 1]; }

// The edits take four digits.
constexpr int kDeviceChars = 4;

} // namespace

CHOXFounSeqPageDlg::CHOXFounSeqPageDlg(UINT templateId, CHOXDoc* doc, const PageKind& kind,
                                       std::array<std::int32_t, 2> devices)
    : CDialog(templateId), m_pDoc(doc), m_kind(kind), m_devices(devices)
{
    OnSelChanging(IDC_FOUNSEQ_TAB, [this] { return CheckDevices(); });
    OnSelChange(IDC_FOUNSEQ_TAB, [this] { ShowAxis(Site()->GetCurSel(IDC_FOUNSEQ_TAB)); });
    for (int axis : {axis::kX, axis::kY}) {
        OnChange(Axis(axis).device, [this, axis] { OnDeviceChange(axis); });
        OnSpinDelta(Axis(axis).spin, [this, axis](int pos, int delta) { return OnDeviceSpin(axis, pos, delta); });
    }
    OnClicked(IDC_FOUNSEQ_COPY, [this] { CopyLadder(); });
    OnClicked(IDC_FOUNSEQ_HELP, [this] { OpenHelp(m_kind.helpContext); });
}

QString CHOXFounSeqPageDlg::DeviceList(std::int32_t top, int count)
{
    QString lines;
    for (int i = 0; i < count; ++i) {
        // As 32-bit arithmetic wraps: a damaged file may hold any top.
        const auto device = static_cast<std::int32_t>(static_cast<std::uint32_t>(top) + static_cast<std::uint32_t>(i));
        lines += QStringLiteral("M") + QString::number(device) + QLatin1Char('\n');
    }
    return lines;
}

bool CHOXFounSeqPageDlg::IsTwoAxes() const
{
    return m_pDoc != nullptr && !ctype::IsOneAxis(m_pDoc->GetControllerType());
}

bool CHOXFounSeqPageDlg::OnInitDialog()
{
    m_bShown = false;
    m_bOtherWay = false;
    CDialog::OnInitDialog();
    Site()->AddString(IDC_FOUNSEQ_TAB, QStringLiteral(" X"));
    if (IsTwoAxes()) Site()->AddString(IDC_FOUNSEQ_TAB, QStringLiteral(" Y"));
    Site()->SetCurSel(IDC_FOUNSEQ_TAB, 0);
    for (int axis : {axis::kX, axis::kY}) {
        Site()->SetRange(Axis(axis).spin, 0, m_kind.highestDevice);
        Site()->SetPos(Axis(axis).spin, 0);
        LimitText(Axis(axis).device, kDeviceChars);
    }
    ShowAxis(axis::kX);
    RebuildLadder();
    m_ladder.SubclassDlgItem(IDC_FOUNSEQ_LADDER, this);
    m_bShown = true;
    return true;
}

void CHOXFounSeqPageDlg::OnOK() { ClosePage(false); }

void CHOXFounSeqPageDlg::ClosePage(bool otherWay)
{
    if (!CheckDevices() || !UpdateData(true)) return;
    m_bOtherWay = otherWay;
    EndDialog(IDOK);
}

std::array<int, 2> CHOXFounSeqPageDlg::CheckOrder() const
{
    return m_kind.checkYFirst ? std::array<int, 2>{axis::kY, axis::kX} : std::array<int, 2>{axis::kX, axis::kY};
}

void CHOXFounSeqPageDlg::DoDataExchange(CDataExchange* pDX)
{
    for (int axis : CheckOrder()) ExchangeDevice(pDX, axis);
}

void CHOXFounSeqPageDlg::ExchangeDevice(CDataExchange* pDX, int axis)
{
    const int id = Axis(axis).device;
    pDX->m_idLastControl = id;
    if (!pDX->m_bSaveAndValidate) {
        SetDlgItemInt(id, m_devices[axis]);
        return;
    }
    bool ok = false;
    const std::int32_t value = GetDlgItemInt(id, &ok);
    if (!ok) {
        AfxMessageBox(LoadStr(m_kind.rangeMessage), MB_OK | MB_ICONHAND);
        pDX->Fail();
    }
    m_devices[axis] = value;
}

bool CHOXFounSeqPageDlg::FailDevice(int axis)
{
    const int id = Axis(axis).device;
    AfxMessageBox(LoadStr(m_kind.rangeMessage), MB_OK | MB_ICONHAND);
    GotoDlgCtrl(id);
    Site()->SetSel(id, 0, -1);
    return false;
}

bool CHOXFounSeqPageDlg::CheckDevice(int axis)
{
    bool ok = false;
    const std::int32_t value = GetDlgItemInt(Axis(axis).device, &ok);
    if (!ok || value < 0 || value > m_kind.highestDevice) return FailDevice(axis);
    return true;
}

bool CHOXFounSeqPageDlg::CheckDevices()
{
    // Y belongs to the page only where it has a tab: a one-axis page cannot
    // show an edit that failed.
    for (int axis : CheckOrder())
        if ((axis == axis::kX || IsTwoAxes()) && !CheckDevice(axis)) return false;
    return true;
}

void CHOXFounSeqPageDlg::ShowAxis(int axis)
{
    m_nAxis = axis == axis::kY ? axis::kY : axis::kX;
    const AxisControls& shown = Axis(m_nAxis);
    const AxisControls& hidden = Axis(1 - m_nAxis);
    for (int id : {hidden.title, hidden.m, hidden.device, hidden.spin, hidden.group}) ShowDlgItem(id, false);
    for (int id : {shown.title, shown.m, shown.device, shown.spin, shown.group}) ShowDlgItem(id, true);
    SetDlgItemText(shown.list, DeviceList(m_devices[m_nAxis], m_kind.signalCount));
}

void CHOXFounSeqPageDlg::OnDeviceChange(int axis)
{
    if (!m_bShown) return;
    const int id = Axis(axis).device;
    // An edit emptied while typing is judged when the page is left.
    if (GetDlgItemText(id).isEmpty()) return;
    bool ok = false;
    const std::int32_t value = GetDlgItemInt(id, &ok);
    if (!ok || value < 0 || value > m_kind.highestDevice) {
        FailDevice(axis);
        return;
    }
    m_devices[axis] = value;
    SetDlgItemText(Axis(axis).list, DeviceList(value, m_kind.signalCount));
    RebuildLadder();
}

int CHOXFounSeqPageDlg::OnDeviceSpin(int axis, int pos, int delta)
{
    if (TakesDataBeforeStep() && !UpdateData(true)) return 0;
    m_devices[axis] = std::clamp(pos + delta, 0, static_cast<int>(m_kind.highestDevice));
    return delta;
}

void CHOXFounSeqPageDlg::RebuildLadder()
{
    m_ladder.RemoveAllBlocks();
    for (auto& row : plcrows::FounSeqRows(m_kind.transfer, UnitOperand(), m_devices[0], m_devices[1], IsTwoAxes()))
        m_ladder.AddBlock(std::move(row));
    m_ladder.Invalidate();
}
