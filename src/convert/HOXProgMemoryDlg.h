#pragma once
// "Program Memory": the program steps the flow charts use against the
// memory the controller offers. The counts are made, and a program too large
// for the memory is warned about, before the dialog is shown.
#include "platform/Dialog.h"

#include <QString>

#include <cstdint>

class CHOXDoc;
class CWnd;

class CHOXProgMemoryDlg : public CDialog {
public:
    static constexpr int kTotalEdit = 8419;
    static constexpr int kUsedEdit = 8007;
    static constexpr int kHelpButton = 8083;

    CHOXProgMemoryDlg(CHOXDoc* doc, CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    // The steps the controller offers: 3800 on the one-axis type whatever
    // parameter 100 holds; else 7800 when parameter 100 is 0, 3800 when not;
    // each less the file registers (parameter 101).
    static std::int64_t TotalMemory(const CHOXDoc& doc);

    QString m_strTotal;
    QString m_strUsed;
};
