#include "platform/ColorDialog.h"

#include "platform/Messages.h"

namespace {
ColorDialogRunner* g_runner = nullptr;
}

void SetColorDialogRunner(ColorDialogRunner* runner) { g_runner = runner; }
ColorDialogRunner* GetColorDialogRunner() { return g_runner; }

int CColorDialog::DoModal()
{
    if (g_runner == nullptr) return IDCANCEL;
    const std::optional<COLORREF> chosen = g_runner->Run(ColorDialogRequest{m_color});
    if (!chosen) return IDCANCEL;
    m_color = *chosen;
    return IDOK;
}
