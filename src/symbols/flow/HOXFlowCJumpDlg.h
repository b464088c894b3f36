#pragma once
// "Conditional Jump": which of the three forms the condition takes, chosen
// before the form's own dialog opens.
#include "platform/Dialog.h"
#include "res/CommandIds.h"

#include <cstdint>

class CHOXFlowCJump;

class CHOXFlowCJumpDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2021;
    static constexpr int kBitForm = 8258;
    static constexpr int kCompareForm = 8261;
    static constexpr int kZoneForm = 8264;
    static constexpr int kHelp = ID_HELP;

    explicit CHOXFlowCJumpDlg(CHOXFlowCJump* symbol);

    virtual int GetDialogKind() const { return 708; }
    // 0 bit, 1 compare, 2 zone; -1 when none was chosen.
    std::int32_t GetKind() const { return m_nForm; }

    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::int32_t m_nForm = 0;
};
