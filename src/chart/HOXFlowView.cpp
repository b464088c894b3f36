#include "chart/HOXFlowView.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/FrameHooks.h"
#include "chart/HOXClipboard.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXFlowWnd.h"
#include "platform/ColorDialog.h"
#include "platform/DC.h"
#include "platform/Messages.h"
#include "res/CommandIds.h"

CHOXFlowView::CHOXFlowView()
{
    OnCommand(ID_WIRE_TOOL, [this] { OnWireTool(); });
    OnCommand(ID_CONNECT_BUTTON, [this] { OnWireTool(); });
    CCmdTarget::OnUpdate(ID_WIRE_TOOL, [](CCmdUI* ui) { ui->SetRadio(s_nToolMode == toolmode::kWire); });
    CCmdTarget::OnUpdate(ID_CONNECT_BUTTON, [](CCmdUI*) {
        if (FrameHooks* frame = GetFrameHooks()) frame->SetConnectButtonState(s_nToolMode == toolmode::kWire);
    });
    OnCommand(ID_CHANGE_BASE_COLOR, [this] { OnChangeBaseColor(); });
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(ID_FILE_PRINT); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrint(ID_FILE_PRINT_DIRECT); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    RegisterClipboardCommands();
    // Blocks this program puts on the clipboard name it.
    Program().clipboard.instanceId = ProgramInstanceId();
    Program().clipboard.sourceId = 0;
}

CHOXFlowView::~CHOXFlowView() = default;

void CHOXFlowView::OnWireTool()
{
    s_nToolMode = s_nToolMode == toolmode::kWire ? toolmode::kSelect : toolmode::kWire;
    Select(nullptr);
}

void CHOXFlowView::OnChangeBaseColor()
{
    CHOXWnd* wnd = GetWnd();
    CHOXDoc* doc = wnd != nullptr ? wnd->GetDocument() : nullptr;
    if (doc == nullptr) return;
    CColorDialog dlg(wnd->GetBaseColor());
    if (dlg.DoModal() != IDOK) return;
    for (auto& [name, record] : doc->GetWindowMap())
        if (record) record->SetBaseColor(dlg.GetColor());
}

void CHOXFlowView::UpdateScrollSizes() { FitScrollSizesToSheet(); }

void CHOXFlowView::OnInitialUpdate()
{
    CHOXView::OnInitialUpdate();
    SetInitialPageSize();
    if (GetWnd() != nullptr) RegisterDropTarget({CHOXClipboard::DragFormat()});
}

void CHOXFlowView::OnUpdate(CView*, std::intptr_t hint, CObject* hintObject) { InvalidateForHint(hint, hintObject); }

void CHOXFlowView::OnDraw(CDC* pDC)
{
    DrawRecordOnPage(pDC);
    DrawOverlay(pDC);
}

void CHOXFlowView::SelectInRect(const CRect& rect)
{
    CHOXWnd* wnd = GetWnd();
    if (wnd == nullptr) return;
    for (auto& [id, object] : wnd->GetObjectMap()) {
        const CRect& r = object->GetRect();
        if (rect.PtInRect(r.TopLeft()) && rect.PtInRect(r.BottomRight())) Select(object.get(), true);
    }
}
