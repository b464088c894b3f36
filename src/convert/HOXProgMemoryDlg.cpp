#include "convert/HOXProgMemoryDlg.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "params/HOXParam.h"
#include "platform/Help.h"
#include "platform/Messages.h"
#include "platform/Strings.h"

CHOXProgMemoryDlg::CHOXProgMemoryDlg(CHOXDoc* doc, CWnd*) : CDialog(2067)
{
    OnClicked(kHelpButton, [this] { OnHelp(); });
    if (doc == nullptr) return;
    const std::int64_t total = TotalMemory(*doc);
    const std::uint32_t used = doc->GetTotalSteps();
    m_strTotal = QString::number(total);
    m_strUsed = QString::number(used);
    // Both counts as they are: a total below zero (more file registers than
    // memory) is exceeded by any program.
    if (std::int64_t{used} > total) AfxMessageBox(13891, MB_OK | MB_ICONEXCLAMATION);
}

std::int64_t CHOXProgMemoryDlg::TotalMemory(const CHOXDoc& doc)
{
    const std::int32_t fileRegisters = doc.GetParam().GetFileRegisters();
    std::int64_t memory = 3800;
    if (!ctype::IsOneAxis(doc.GetControllerType())) {
        std::int32_t memorySize = 0;
        doc.GetParam().GetParam(&memorySize, 100, 0);
        if (memorySize == 0) memory = 7800;
    }
    return memory - fileRegisters;
}

void CHOXProgMemoryDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kTotalEdit, m_strTotal);
    DDX_Text(pDX, kUsedEdit, m_strUsed);
}

void CHOXProgMemoryDlg::OnHelp() { OpenHelp(HID_BASE_RESOURCE + 2067); }
