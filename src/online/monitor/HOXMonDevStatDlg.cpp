#include "online/monitor/HOXMonDevStatDlg.h"

#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "chart/DeviceRanges.h"
#include "params/HOXParam.h"
#include "platform/Messages.h"
#include "plc/HOXKzPlcDlg.h"
#include "symbols/operand/HOXSelectVal.h"

#include <array>

namespace {

using SV = CHOXSelectVal;

constexpr std::array<std::int32_t, 4> kPointCounts = {1, 4, 8, 16};
constexpr int kSixteen = 3;

// The radio of a count of points; anything but 4, 8 and 16 shows as 1.
std::int32_t RadioOfPoints(std::int32_t points)
{
    for (std::size_t i = 1; i < kPointCounts.size(); ++i)
        if (kPointCounts[i] == points) return static_cast<std::int32_t>(i);
    return 0;
}

// The name the list shows for a type: a 32-bit D is held as DD.
QString NameOf(const CHOXMonDevStat::Settings& s)
{
    return CHOXMonDevStat::GetDeviceName(s.type == SV::kDD && s.is32Bit != 0 ? SV::kD : s.type);
}

} // namespace

CHOXMonDevStatDlg::CHOXMonDevStatDlg(CHOXDoc* doc)
    : CDialog(kTemplate), m_pDoc(doc), m_strName(CHOXMonDevStat::GetDeviceName(SV::kX)), m_nNumber(0),
      m_nIndexKind(SV::kNoIndex), m_nIndexNumber(0), m_b32Bit(0), m_nPoints(0)
{
    OnSelChange(kName, [this] { OnTypeChange(); });
    OnSelChange(kIndexName, [this] { OnIndexChange(); });
    for (int id : {kPoints1, kPoints4, kPoints8, kPoints16}) OnClicked(id, [this] { OnPointsChange(); });
    OnChange(kNumber, [this] {
        if (m_bShown) ShowButtons();
    });
    OnSpinDelta(kNumberSpin, [this](int pos, int delta) { return OnNumberSpin(pos, delta); });
    OnClicked(kRead, [this] { OnKzPlc(true); });
    OnClicked(kWrite, [this] { OnKzPlc(false); });
    OnClicked(kHelp, [this] { OpenHelp(kHelpContext); });
}

CHOXMonDevStatDlg::CHOXMonDevStatDlg(const CHOXMonDevStat& object) : CHOXMonDevStatDlg(object.GetDocument())
{
    const CHOXMonDevStat::Settings& s = object.GetSettings();
    m_strName = NameOf(s);
    m_nNumber = s.top;
    m_nIndexKind = s.indexKind;
    m_nIndexNumber = s.indexNumber;
    m_b32Bit = s.is32Bit;
    m_nPoints = RadioOfPoints(s.points);
}

devstat::Model CHOXMonDevStatDlg::Model() const
{
    devstat::Model model;
    if (m_pDoc == nullptr) return model;
    model.oneAxis = ctype::IsOneAxis(m_pDoc->GetControllerType());
    model.fileRegisters = m_pDoc->GetParam().GetFileRegisters();
    return model;
}

std::int32_t CHOXMonDevStatDlg::ChosenType() const { return devstat::TypeOfName(GetDlgItemText(kName)); }

void CHOXMonDevStatDlg::DoDataExchange(CDataExchange* pDX)
{
    pDX->m_idLastControl = kName;
    if (pDX->m_bSaveAndValidate) {
        m_strName = GetDlgItemText(kName);
    } else {
        int chosen = -1;
        for (int i = 0; i < Site()->GetCount(kName); ++i)
            if (Site()->GetItemText(kName, i) == m_strName) chosen = i;
        Site()->SetCurSel(kName, chosen);
    }
    DDX_Text(pDX, kNumber, m_nNumber);
    DDX_CBIndex(pDX, kIndexName, m_nIndexKind);
    DDX_Text(pDX, kIndexNumber, m_nIndexNumber);
    DDX_Check(pDX, k32Bit, m_b32Bit);
    DDX_Radio(pDX, kPoints1, m_nPoints);
}

bool CHOXMonDevStatDlg::OnInitDialog()
{
    m_bShown = false;
    Site()->SetRange(kIndexSpin, 0, devices::kLastIndex);
    LimitText(kNumber, kNumberChars);
    CDialog::OnInitDialog();
    ShowType();
    ShowHint();
    ShowButtons();
    m_bShown = true;
    return true;
}

void CHOXMonDevStatDlg::ShowType()
{
    const std::int32_t type = ChosenType();
    const bool d = type == SV::kD;
    for (int id : {kIndexName, kIndexNumber, kIndexSpin}) EnableDlgItem(id, d);
    EnableDlgItem(k32Bit, d || type == SV::kZ);
    EnableDlgItem(kPoints16, type != SV::kV && type != SV::kZ);
    Site()->SetRange(kNumberSpin, 0, devstat::SpinHighest(type, Model()));
}

void CHOXMonDevStatDlg::ShowHint()
{
    const bool groups = ChosenType() == SV::kM && SixteenPoints();
    SetDlgItemText(kHint, groups ? QStringLiteral("(0,16,32,..)") : QString());
}

void CHOXMonDevStatDlg::ShowButtons()
{
    bool ok = false;
    const std::int32_t number = GetDlgItemInt(kNumber, &ok);
    devstat::KzPlcButtons buttons;
    if (ok) buttons = devstat::Buttons(ChosenType(), number, SixteenPoints(), Model());
    EnableDlgItem(kRead, buttons.read);
    EnableDlgItem(kWrite, buttons.write);
}

void CHOXMonDevStatDlg::OnTypeChange()
{
    const std::int32_t type = ChosenType();
    Site()->SetCurSel(kIndexName, SV::kNoIndex);
    if (type != SV::kD) SetDlgItemInt(kIndexNumber, 0);
    // V and Z have no group of 16.
    if ((type == SV::kV || type == SV::kZ) && SixteenPoints()) CheckRadioButton(kPoints1, kPoints16, kPoints1);
    bool ok = false;
    const std::int32_t number = GetDlgItemInt(kNumber, &ok);
    if (!ok || !devstat::IsValidTop(type, number, SixteenPoints(), Model())) SetDlgItemInt(kNumber, 0);
    ShowType();
    ShowHint();
    ShowButtons();
}

void CHOXMonDevStatDlg::OnIndexChange()
{
    SetDlgItemInt(kIndexNumber, 0);
    EnableDlgItem(kIndexNumber, true);
    EnableDlgItem(kIndexSpin, true);
}

void CHOXMonDevStatDlg::OnPointsChange()
{
    if (SixteenPoints()) {
        bool ok = false;
        const std::int32_t number = GetDlgItemInt(kNumber, &ok);
        if (!ok || !devstat::IsValidTop(ChosenType(), number, true, Model())) SetDlgItemInt(kNumber, 0);
    }
    ShowHint();
    ShowButtons();
}

int CHOXMonDevStatDlg::OnNumberSpin(int pos, int delta)
{
    return devstat::Step(ChosenType(), pos, delta, SixteenPoints(), Model()) - pos;
}

bool CHOXMonDevStatDlg::Validate()
{
    const devstat::Entry entry{m_strName, m_nNumber, m_nIndexKind, m_nIndexNumber, m_nPoints == kSixteen};
    const QString failed = devstat::Check(entry, Model());
    if (failed.isEmpty()) return true;
    AfxMessageBox(failed, MB_OK | MB_ICONHAND);
    GotoDlgCtrl(kNumber);
    Site()->SetSel(kNumber, 0, -1);
    return false;
}

void CHOXMonDevStatDlg::OnOK()
{
    if (!UpdateData(true) || !Validate()) return;
    EndDialog(IDOK);
}

void CHOXMonDevStatDlg::OnKzPlc(bool read)
{
    if (!UpdateData(true) || !Validate()) return;
    const std::int32_t buffer = devstat::BufferMemory(GetDeviceType(), m_nNumber, m_nPoints == kSixteen, Model());
    CHOXKzPlcDlg dlg(Get32Bit(), buffer, m_pDoc, read ? 1 : 0, 0);
    dlg.DoModal();
}

std::int32_t CHOXMonDevStatDlg::Get32Bit() const
{
    const std::int32_t type = GetDeviceType();
    return (type == SV::kD || type == SV::kZ) && m_b32Bit != 0 ? 1 : 0;
}

std::int32_t CHOXMonDevStatDlg::GetIndexKind() const
{
    const bool known = m_nIndexKind == SV::kIndexV || m_nIndexKind == SV::kIndexZ;
    return GetDeviceType() == SV::kD && known ? m_nIndexKind : SV::kNoIndex;
}

std::int32_t CHOXMonDevStatDlg::GetIndexNumber() const { return GetDeviceType() == SV::kD ? m_nIndexNumber : 0; }

std::int32_t CHOXMonDevStatDlg::GetPoints() const
{
    return m_nPoints >= 0 && m_nPoints < static_cast<int>(kPointCounts.size()) ? kPointCounts[m_nPoints] : 1;
}

CHOXMonDevStat::Settings CHOXMonDevStatDlg::GetSettings() const
{
    return {Get32Bit(), GetDeviceType(), GetTopNumber(), GetIndexKind(), GetIndexNumber(), GetPoints()};
}
