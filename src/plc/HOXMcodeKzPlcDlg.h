#pragma once
// "M code KZ -- PLC  instruction": the sequence the companion RA-ZUZ runs for
// the M code of one M Code symbol on one axis. The user sets the data
// register that receives the M code from the positioning unit, the relay
// driven while the M code is active and the device that reports completion,
// sees the four ladders that result (saving the M code, driving the relay,
// this M code's OFF and the OFF of every applied M code) and copies each to
// the clipboard. Apply and Delete add the M code's sequence to the applied
// ones of the axis or take it away. The settings are the document's for as
// long as it is open; none of them is saved.
#include "chart/DeviceRanges.h"
#include "platform/Dialog.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXLadderCtrl.h"
#include "plc/PlcLadderRows.h"
#include "symbols/operand/HOXSelectVal.h"

#include <cstdint>
#include <memory>
#include <vector>

class CHOXDoc;
class CHOXMcodeKzPlc;
class CHOXSymbol;
class CWnd;

class CHOXMcodeKzPlcDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2064;
    static constexpr UINT kHelpContext = 0x20810;

    // Controls.
    static constexpr int kSaveDevice = 8471;
    static constexpr int kSaveSpin = 8544;
    static constexpr int kAuxDevice = 8473;
    static constexpr int kAuxSpin = 8545;
    static constexpr int kCompletion = 8474;
    static constexpr int kSelect = 8151;
    static constexpr int kAxisX = 8546;
    static constexpr int kAxisY = 8547;
    static constexpr int kSequenceState = 8548;
    static constexpr int kFoundationSequence = 8430;
    static constexpr int kSaveLadder = 8476;
    static constexpr int kAuxLadder = 8480;
    static constexpr int kOffLadder = 8478;
    static constexpr int kTotalLadder = 8479;
    static constexpr int kCopySave = 8482;
    static constexpr int kCopyAux = 8484;
    static constexpr int kCopyOff = 8481;
    static constexpr int kCopyTotal = 8483;
    static constexpr int kApply = 1572;
    static constexpr int kDelete = 1573;
    static constexpr int kHelpButton = 8527;

    // Ranges and edit lengths.
    static constexpr std::int32_t kHighestSaveDevice = devices::kLastPlcD;
    static constexpr std::int32_t kHighestAuxDevice = devices::kLastPlcM;
    static constexpr int kDeviceChars = 4;
    static constexpr int kCompletionChars = 5;

    // Messages.
    static constexpr UINT kMsgSequenceNotSet = 3213;
    static constexpr UINT kMsgSequenceSet = 3214;
    static constexpr UINT kMsgSaveDevice = 14060;
    static constexpr UINT kMsgAuxDevice = 14061;
    static constexpr UINT kMsgDeviceType = 14062;
    static constexpr UINT kMsgCompletionRange = 14063;

    // The M Code symbol that opens it, the M code, the axis (0 X, 1 Y, -1
    // none: X, with both axis buttons disabled) and whether the M code was
    // changed since the symbol's dialog opened. The settings are those of
    // the symbol's document.
    CHOXMcodeKzPlcDlg(CHOXSymbol* symbol, std::int32_t mcode, std::int32_t axis, std::int32_t changed,
                      CWnd* parent = nullptr);
    ~CHOXMcodeKzPlcDlg() override;

    bool OnInitDialog() override;
    // Checks the input and stores the three devices; the sequence's state
    // is Apply's and Delete's.
    void OnOK() override;

    CHOXSymbol* GetSymbol() const { return m_pSymbol; }
    std::int32_t GetMcode() const { return m_nMcode; }
    // As given, -1 included.
    std::int32_t GetAxis() const { return m_nAxis; }
    std::int32_t GetChanged() const { return m_bChanged; }
    CHOXDoc* GetDocument() const { return m_pDoc; }
    // The axis whose settings are shown and stored: 0 X, 1 Y.
    int GetShownAxis() const { return m_nShownAxis; }
    std::int32_t GetSaveDevice() const { return m_nSaveDevice; }
    std::uint32_t GetAuxDevice() const { return m_nAuxDevice; }
    const CHOXSelectVal& GetCompletion() const { return m_completion; }
    bool IsSequenceSet() const { return m_bSequenceSet; }
    // The M codes of the OFF ladders.
    const std::vector<std::int32_t>& GetOffList() const { return m_offList; }
    const CHOXLadderCtrl& GetSaveLadder() const { return m_saveLadder; }
    const CHOXLadderCtrl& GetAuxLadder() const { return m_auxLadder; }
    const CHOXLadderCtrl& GetOffLadder() const { return m_offLadder; }
    const CHOXLadderCtrl& GetTotalLadder() const { return m_totalLadder; }

    // Whether the operand can report completion: D (up to 7999), M (up to
    // 3071), X or Y (up to 377); the message when it cannot. The ladder
    // writer takes the letter and the number after it alone, so a DD
    // register or an index would be copied as another device than the one
    // shown.
    static bool CheckCompletionDevice(const CHOXSelectVal& device, QString* message);

    // The whole input: the completion device as its text reads now, then
    // the save and auxiliary devices; false after the message, with the
    // field focused and its text selected.
    bool CheckInput();

    void OnApply();
    void OnDelete();
    void OnSelect();
    void OnFoundationSequence();
    // A click on an axis button: the other axis's settings after a check of
    // the input.
    void OnAxis(int axis);
    void OnCopySave();
    void OnCopyAux();
    void OnCopyOff();
    void OnCopyTotal();

private:
    CHOXMcodeKzPlc& Settings() const;
    std::int32_t ControllerType() const;
    plcrows::McodeDevices Devices() const;
    // The shown axis's settings and foundation devices into the fields.
    void LoadAxis();
    void LoadFoundation();
    // The fields into the controls; their changes are not the user's.
    void ShowValues();
    void CheckAxisButton();
    void UpdateSequenceState();
    void UpdateApplyDelete();
    void GatherOffList();
    void StoreDevices();
    bool Refuse(int id, const QString& message);
    // The ladders built again: all four, or those after the save device's.
    void RebuildLadders();
    void RebuildAfterSave();
    void SetTotalScrollRange(int rows);
    static void Fill(CHOXLadderCtrl& ladder, LadderBlockList rows);

    void OnSaveChange();
    void OnAuxChange();
    void OnCompletionChange();
    // False while the dialog sets its own edits or is not yet shown.
    bool IsUserChange() const { return m_bShown && m_nLoading == 0; }

    CHOXSymbol* m_pSymbol;
    std::int32_t m_nMcode;
    std::int32_t m_nAxis;
    std::int32_t m_bChanged;
    CHOXDoc* m_pDoc;
    // Settings of a dialog without a document.
    std::unique_ptr<CHOXMcodeKzPlc> m_pOwnSettings;
    CHOXFounSeq m_noFounSeq;
    int m_nShownAxis;
    std::int32_t m_nSaveDevice = 0;
    std::uint32_t m_nAuxDevice = 0;
    CHOXSelectVal m_completion;
    bool m_bSequenceSet = false;
    std::int32_t m_nUnitNo = -1;
    std::int32_t m_nMcodeOffDevice = 0;
    std::int32_t m_nMcodeOnDevice = 0;
    std::vector<std::int32_t> m_offList;
    bool m_bShown = false;
    int m_nLoading = 0;
    CHOXLadderCtrl m_saveLadder;
    CHOXLadderCtrl m_auxLadder;
    CHOXLadderCtrl m_offLadder;
    CHOXLadderCtrl m_totalLadder;
};
