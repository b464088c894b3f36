#pragma once
// "JumpEnd Dialog": whether an end follows the jump that a jump-end marker
// stands for, and which. The marker's pointer number is the node's and is
// only shown.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXFlowJumpEnd;

class CHOXFlowJumpEndDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 391;
    static constexpr int kEndFollows = 1580;
    static constexpr int kNumber = 1579;
    static constexpr int kEnd = 1585;
    static constexpr int kSend = 1586;
    static constexpr int kHelp = 57670;

    explicit CHOXFlowJumpEndDlg(CHOXFlowJumpEnd* marker);

    std::int32_t GetEndFollows() const { return m_bEndFollows; }
    // 0 END, 1 SEND, -1 none chosen.
    std::int32_t GetEndKind() const { return m_nEndKind; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnEndFollows();
    bool InSubtaskWindow() const;

    CHOXFlowJumpEnd* m_pMarker;
    std::int32_t m_nLastEndKind = 0;
    std::int32_t m_bEndFollows = 1;
    std::int32_t m_nPointerNumber = 0;
    std::int32_t m_nEndKind = 0;
};
