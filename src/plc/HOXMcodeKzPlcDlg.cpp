#include "plc/HOXMcodeKzPlcDlg.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXWnd.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "plc/HOXLadderClip.h"
#include "plc/HOXMcodeKzPlc.h"
#include "plc/McodeOffList.h"
#include "symbols/operand/HOXSelectBitDeviceDlg.h"

#include <algorithm>

namespace {

CHOXDoc* DocumentOf(const CHOXSymbol* symbol)
{
    if (symbol == nullptr || symbol->GetWnd() == nullptr) return nullptr;
    return symbol->GetWnd()->GetDocument();
}

// What the edit reads as a device number, when it reads as one at all.
bool ReadNumber(const CDialog& dlg, int id, std::int32_t high, std::int32_t* value)
{
    bool ok = false;
    *value = dlg.GetDlgItemInt(id, &ok);
    return ok && *value >= 0 && *value <= high;
}

// The scroll unit of a ladder: one line of the edit behind it.
constexpr int kPixelsPerUnit = 6;

} // namespace

CHOXMcodeKzPlcDlg::CHOXMcodeKzPlcDlg(CHOXSymbol* symbol, std::int32_t mcode, std::int32_t axis, std::int32_t changed,
                                     CWnd* /*parent*/)
    : CDialog(kTemplate), m_pSymbol(symbol), m_nMcode(mcode), m_nAxis(axis), m_bChanged(changed),
      m_pDoc(DocumentOf(symbol)), m_nShownAxis(axis == axis::kY ? axis::kY : axis::kX)
{
    if (m_pDoc == nullptr) m_pOwnSettings = std::make_unique<CHOXMcodeKzPlc>();
    OnChange(kSaveDevice, [this] { OnSaveChange(); });
    OnChange(kAuxDevice, [this] { OnAuxChange(); });
    OnChange(kCompletion, [this] { OnCompletionChange(); });
    OnClicked(kSelect, [this] { OnSelect(); });
    OnClicked(kFoundationSequence, [this] { OnFoundationSequence(); });
    OnClicked(kAxisX, [this] { OnAxis(axis::kX); });
    OnClicked(kAxisY, [this] { OnAxis(axis::kY); });
    OnClicked(kApply, [this] { OnApply(); });
    OnClicked(kDelete, [this] { OnDelete(); });
    OnClicked(kCopySave, [this] { OnCopySave(); });
    OnClicked(kCopyAux, [this] { OnCopyAux(); });
    OnClicked(kCopyOff, [this] { OnCopyOff(); });
    OnClicked(kCopyTotal, [this] { OnCopyTotal(); });
    OnClicked(kHelpButton, [this] { OpenHelp(kHelpContext); });
    LoadAxis();
}

CHOXMcodeKzPlcDlg::~CHOXMcodeKzPlcDlg() = default;

CHOXMcodeKzPlc& CHOXMcodeKzPlcDlg::Settings() const
{
    return m_pDoc != nullptr ? *m_pDoc->GetMcodeKzPlc() : *m_pOwnSettings;
}

std::int32_t CHOXMcodeKzPlcDlg::ControllerType() const
{
    return m_pDoc != nullptr ? m_pDoc->GetControllerType() : ctype::kTwoAxes;
}

plcrows::McodeDevices CHOXMcodeKzPlcDlg::Devices() const
{
    return {m_nSaveDevice, m_nMcodeOnDevice, m_nMcodeOffDevice};
}

bool CHOXMcodeKzPlcDlg::CheckCompletionDevice(const CHOXSelectVal& device, QString* message)
{
    std::int32_t highest = 0;
    switch (device.GetDeviceType()) {
    case CHOXSelectVal::kD: highest = devices::kLastPlcD; break;
    case CHOXSelectVal::kM: highest = devices::kLastPlcM; break;
    case CHOXSelectVal::kX:
    case CHOXSelectVal::kY: highest = devices::kLastPlcXY; break;
    default: highest = -1; break;
    }
    if (highest < 0 || device.GetIndexType() != CHOXSelectVal::kNoIndex) {
        if (message != nullptr) *message = LoadStr(kMsgDeviceType);
        return false;
    }
    if (device.GetNumber() < 0 || device.GetNumber() > highest) {
        if (message != nullptr) *message = FormatStr(kMsgCompletionRange, {QString::number(highest)});
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Opening

void CHOXMcodeKzPlcDlg::LoadAxis()
{
    const CHOXMcodeKzPlc& settings = Settings();
    m_nSaveDevice = settings.GetSaveDevice(m_nShownAxis);
    m_nAuxDevice = settings.GetAuxDevice(m_nMcode, m_nShownAxis);
    m_completion = settings.GetCompletionDevice(m_nMcode, m_nShownAxis);
    m_bSequenceSet = settings.IsSequenceSet(m_nMcode, m_nShownAxis);
    LoadFoundation();
}

void CHOXMcodeKzPlcDlg::LoadFoundation()
{
    const CHOXFounSeq& founSeq = m_pDoc != nullptr ? *m_pDoc->GetFounSeq() : m_noFounSeq;
    m_nUnitNo = founSeq.GetUnitNo();
    m_nMcodeOffDevice = founSeq.GetMcodeOffDevice(m_nShownAxis);
    m_nMcodeOnDevice = founSeq.GetMcodeOnDevice(m_nShownAxis);
}

bool CHOXMcodeKzPlcDlg::OnInitDialog()
{
    m_bShown = false;
    CDialog::OnInitDialog();
    LimitText(kSaveDevice, kDeviceChars);
    LimitText(kAuxDevice, kDeviceChars);
    LimitText(kCompletion, kCompletionChars);
    Site()->SetRange(kSaveSpin, 0, kHighestSaveDevice);
    Site()->SetRange(kAuxSpin, 0, kHighestAuxDevice);
    // Only the axis the symbol's dialog chose can be shown; without one the
    // settings are X's and neither button applies.
    const bool given = axis::IsXOrY(m_nAxis);
    EnableDlgItem(kAxisX, given && m_nShownAxis == axis::kX);
    EnableDlgItem(kAxisY, given && m_nShownAxis == axis::kY);
    UpdateApplyDelete();
    UpdateSequenceState();
    GatherOffList();
    RebuildLadders();
    m_saveLadder.SubclassDlgItem(kSaveLadder, this);
    m_auxLadder.SubclassDlgItem(kAuxLadder, this);
    m_offLadder.SubclassDlgItem(kOffLadder, this);
    m_totalLadder.SubclassDlgItem(kTotalLadder, this);
    // The control's height is known only now.
    SetTotalScrollRange(static_cast<int>(m_totalLadder.GetBlockList().size()));
    ShowValues();
    m_bShown = true;
    return true;
}

void CHOXMcodeKzPlcDlg::ShowValues()
{
    ++m_nLoading;
    SetDlgItemInt(kSaveDevice, m_nSaveDevice);
    Site()->SetPos(kSaveSpin, m_nSaveDevice);
    SetDlgItemText(kAuxDevice, QString::number(m_nAuxDevice));
    Site()->SetPos(kAuxSpin, static_cast<int>(std::min<std::uint32_t>(m_nAuxDevice, kHighestAuxDevice)));
    SetDlgItemText(kCompletion, m_completion.GetText());
    CheckAxisButton();
    --m_nLoading;
}

void CHOXMcodeKzPlcDlg::CheckAxisButton()
{
    CheckRadioButton(kAxisX, kAxisY, m_nShownAxis == axis::kX ? kAxisX : kAxisY);
}

void CHOXMcodeKzPlcDlg::UpdateSequenceState()
{
    const bool set = m_nUnitNo != -1;
    SetDlgItemText(kSequenceState, LoadStr(set ? kMsgSequenceSet : kMsgSequenceNotSet));
    EnableDlgItem(kSequenceState, !set);
}

void CHOXMcodeKzPlcDlg::UpdateApplyDelete()
{
    EnableDlgItem(kApply, !m_bSequenceSet);
    EnableDlgItem(kDelete, m_bSequenceSet);
}

void CHOXMcodeKzPlcDlg::GatherOffList()
{
    if (m_pDoc == nullptr) {
        m_offList = mcodeoff::Merge(Settings(), m_nShownAxis, {}, m_nMcode);
        return;
    }
    m_offList = mcodeoff::Gather(Settings(), m_nShownAxis, *m_pDoc, m_pSymbol, m_bChanged != 0, m_nMcode);
}

// ---------------------------------------------------------------------------
// Ladders

void CHOXMcodeKzPlcDlg::Fill(CHOXLadderCtrl& ladder, LadderBlockList rows)
{
    ladder.RemoveAllBlocks();
    for (auto& row : rows) ladder.AddBlock(std::move(row));
    ladder.Invalidate();
}

void CHOXMcodeKzPlcDlg::RebuildLadders()
{
    const bool independentY = ctype::HasIndependentAxes(ControllerType()) && m_nShownAxis == axis::kY;
    Fill(m_saveLadder, plcrows::McodeSaveRows(m_nUnitNo, independentY, m_nSaveDevice));
    RebuildAfterSave();
}

void CHOXMcodeKzPlcDlg::RebuildAfterSave()
{
    const QString completion = m_completion.GetText();
    Fill(m_auxLadder, plcrows::AuxDriveRows(Devices(), m_nMcode, completion, m_nAuxDevice));
    Fill(m_offLadder, plcrows::McodeOffRows(Devices(), m_nMcode, completion, m_offList.size() > 1));
    const auto entries =
        mcodeoff::TotalEntries(Settings(), m_nShownAxis, m_offList, {m_nMcode, m_bSequenceSet, completion});
    Fill(m_totalLadder, plcrows::McodeOffTotalRows(Devices(), entries));
    SetTotalScrollRange(static_cast<int>(entries.size()));
    EnableDlgItem(kCopyTotal, !entries.empty());
}

void CHOXMcodeKzPlcDlg::SetTotalScrollRange(int rows)
{
    const int shown = m_totalLadder.GetClientRect().Height() / kPixelsPerUnit;
    m_totalLadder.SetScrollRange(0, std::max(0, plcrows::McodeOffTotalUnits(rows) - shown));
}

// ---------------------------------------------------------------------------
// Checks

bool CHOXMcodeKzPlcDlg::Refuse(int id, const QString& message)
{
    AfxMessageBox(message, MB_OK | MB_ICONHAND);
    GotoDlgCtrl(id);
    Site()->SetSel(id, 0, -1);
    return false;
}

void CHOXMcodeKzPlcDlg::OnSaveChange()
{
    // An edit emptied while typing is judged with the whole input.
    if (!IsUserChange() || GetDlgItemText(kSaveDevice).isEmpty()) return;
    std::int32_t value = 0;
    if (!ReadNumber(*this, kSaveDevice, kHighestSaveDevice, &value)) {
        Refuse(kSaveDevice, LoadStr(kMsgSaveDevice));
        return;
    }
    m_nSaveDevice = value;
    RebuildLadders();
}

void CHOXMcodeKzPlcDlg::OnAuxChange()
{
    if (!IsUserChange() || GetDlgItemText(kAuxDevice).isEmpty()) return;
    std::int32_t value = 0;
    if (!ReadNumber(*this, kAuxDevice, kHighestAuxDevice, &value)) {
        Refuse(kAuxDevice, LoadStr(kMsgAuxDevice));
        return;
    }
    m_nAuxDevice = static_cast<std::uint32_t>(value);
    RebuildAfterSave();
}

void CHOXMcodeKzPlcDlg::OnCompletionChange()
{
    if (!IsUserChange()) return;
    const QString text = GetDlgItemText(kCompletion);
    CHOXSelectVal device = m_completion;
    QString message;
    if (!device.Parse(text, message)) {
        // A first letter alone is a device being typed: nothing is said,
        // and its letter is not selected, or the next key would replace it.
        if (text.size() > 1) Refuse(kCompletion, message);
        return;
    }
    if (!CheckCompletionDevice(device, &message)) {
        Refuse(kCompletion, message);
        return;
    }
    m_completion = device;
    RebuildAfterSave();
}

bool CHOXMcodeKzPlcDlg::CheckInput()
{
    CHOXSelectVal device = m_completion;
    QString message;
    if (!device.Parse(GetDlgItemText(kCompletion), message) || !CheckCompletionDevice(device, &message))
        return Refuse(kCompletion, message);
    std::int32_t save = 0;
    if (!ReadNumber(*this, kSaveDevice, kHighestSaveDevice, &save)) return Refuse(kSaveDevice, LoadStr(kMsgSaveDevice));
    std::int32_t aux = 0;
    if (!ReadNumber(*this, kAuxDevice, kHighestAuxDevice, &aux)) return Refuse(kAuxDevice, LoadStr(kMsgAuxDevice));
    m_completion = device;
    m_nSaveDevice = save;
    m_nAuxDevice = static_cast<std::uint32_t>(aux);
    return true;
}

// ---------------------------------------------------------------------------
// Commands

void CHOXMcodeKzPlcDlg::StoreDevices()
{
    CHOXMcodeKzPlc& settings = Settings();
    settings.SetSaveDevice(m_nSaveDevice, m_nShownAxis);
    settings.SetAuxDevice(m_nAuxDevice, m_nMcode, m_nShownAxis);
    settings.SetCompletionDevice(m_nMcode, m_completion.GetDeviceType(), m_completion.GetDigits(),
                                 m_completion.GetNumber(), m_completion.GetIndexType(), m_completion.GetIndexNumber(),
                                 m_nShownAxis);
}

void CHOXMcodeKzPlcDlg::OnOK()
{
    if (!CheckInput()) return;
    StoreDevices();
    EndDialog(IDOK);
}

void CHOXMcodeKzPlcDlg::OnApply()
{
    if (!CheckInput()) return;
    StoreDevices();
    CHOXMcodeKzPlc& settings = Settings();
    settings.SetSequence(m_nMcode, m_nShownAxis);
    settings.UpdateList(m_nMcode, false, m_nShownAxis);
    m_bSequenceSet = settings.IsSequenceSet(m_nMcode, m_nShownAxis);
    GatherOffList();
    RebuildAfterSave();
    UpdateApplyDelete();
}

void CHOXMcodeKzPlcDlg::OnDelete()
{
    CHOXMcodeKzPlc& settings = Settings();
    settings.ClearSequence(m_nMcode, m_nShownAxis);
    settings.UpdateList(m_nMcode, true, m_nShownAxis);
    m_bSequenceSet = settings.IsSequenceSet(m_nMcode, m_nShownAxis);
    GatherOffList();
    RebuildAfterSave();
    UpdateApplyDelete();
}

void CHOXMcodeKzPlcDlg::OnSelect()
{
    CHOXSelectBitDeviceDlg chooser(ctype::IsOneAxis(ControllerType()), CHOXSelectBitDeviceDlg::kListPlc);
    chooser.SetDevice(m_completion.GetDeviceType(), static_cast<std::uint32_t>(std::max(0, m_completion.GetNumber())));
    if (chooser.DoModal() != IDOK) return;
    const QString text = chooser.GetDeviceText();
    ++m_nLoading;
    SetDlgItemText(kCompletion, text);
    --m_nLoading;
    CHOXSelectVal device;
    QString message;
    // The chooser offers only devices that pass here.
    if (!device.Parse(text, message) || !CheckCompletionDevice(device, &message)) return;
    m_completion = device;
    RebuildAfterSave();
}

void CHOXMcodeKzPlcDlg::OnFoundationSequence()
{
    if (m_pDoc == nullptr) return;
    m_pDoc->GetFounSeq()->EditFromFirst();
    LoadFoundation();
    UpdateSequenceState();
    RebuildLadders();
}

void CHOXMcodeKzPlcDlg::OnAxis(int axis)
{
    if (axis == m_nShownAxis) return;
    if (!CheckInput()) {
        CheckAxisButton();
        return;
    }
    m_nShownAxis = axis;
    LoadAxis();
    UpdateApplyDelete();
    GatherOffList();
    RebuildLadders();
    ShowValues();
}

void CHOXMcodeKzPlcDlg::OnCopySave() { CHOXLadderClip().CopyFromTo(&m_saveLadder); }

void CHOXMcodeKzPlcDlg::OnCopyAux() { CHOXLadderClip().CopyAuxDrive(&m_auxLadder); }

void CHOXMcodeKzPlcDlg::OnCopyOff()
{
    const CHOXLadderClip clip;
    if (m_offList.size() < 2) {
        clip.CopyMcodeOff(&m_offLadder);
    } else {
        clip.CopyMcodeOffCompare(&m_offLadder);
    }
}

void CHOXMcodeKzPlcDlg::OnCopyTotal() { CHOXLadderClip().CopyMcodeOffTotal(&m_totalLadder); }
