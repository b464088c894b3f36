#pragma once
// "RA-ZUZ instruction": the ladder row that the companion RA-ZUZ needs to
// read a value of the positioning unit from one of its buffer memories
// (FROM, DFROM) or to write it there (TO, DTO), two rows for the current
// positions of both axes. The unit number in the rows comes from the
// document's foundation-sequence settings, which the dialog shows as set or
// not and lets the user edit; the rows go to the clipboard in the "Ladder"
// format.
#include "platform/Dialog.h"
#include "plc/HOXLadderCtrl.h"

#include <cstdint>

class CHOXDoc;

class CHOXKzPlcDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2036;
    static constexpr UINT kHelpContext = 0x207F4;
    // Forms of the value.
    static constexpr std::int32_t kForm16Bit = 0;
    static constexpr std::int32_t kForm32Bit = 1;

    // Controls.
    static constexpr int kFoundationSequence = 8185;
    static constexpr int kSequenceState = 8550;
    static constexpr int kLadder = 8209;
    static constexpr int kCopy = 8214;
    static constexpr int kHelpButton = 8322;

    // State texts.
    static constexpr UINT kMsgSequenceNotSet = 3213;
    static constexpr UINT kMsgSequenceSet = 3214;

    // b32Bit: a 32-bit value (any non-zero is taken as 1, so the row shown
    // and the row copied agree); nBufferMemory: the unit's buffer memory;
    // bFrom: read the value from the unit rather than write it; bBothAxes
    // (1): the current positions of both axes, buffer memories 4 and 14,
    // in place of nBufferMemory. No parent window; nothing is returned.
    CHOXKzPlcDlg(std::int32_t b32Bit, std::int32_t nBufferMemory, CHOXDoc* pDoc, std::int32_t bFrom,
                 std::int32_t bBothAxes);

    bool OnInitDialog() override;

    // 0 for a 16-bit, 1 for a 32-bit value.
    std::int32_t GetForm() const { return m_b32Bit; }
    std::int32_t GetRegisterNumber() const { return m_nBufferMemory; }
    CHOXDoc* GetDocument() const { return m_pDoc; }
    std::int32_t GetUnitNo() const { return m_nUnitNo; }
    const CHOXLadderCtrl& GetLadder() const { return m_ladder; }

    // "It is set already" (disabled) or "Sequence not set" (enabled).
    void UpdateSequenceState();
    // The rows rebuilt from the fields.
    void BuildLadder();
    void BuildOneRow();
    void BuildBothAxes();
    // Edits the foundation sequence from its first page; its settings stay
    // stored however this dialog ends.
    void OnFoundationSequence();
    void OnCopyToClipboard();

private:
    bool IsTwoAxes() const;
    bool IsSequenceSet() const;
    void AddRows(LadderBlockList rows);

    CHOXDoc* m_pDoc;
    std::int32_t m_bFrom;
    std::int32_t m_b32Bit;
    std::int32_t m_bBothAxes;
    std::int32_t m_nBufferMemory;
    std::int32_t m_nUnitNo;
    CHOXLadderCtrl m_ladder;
};
