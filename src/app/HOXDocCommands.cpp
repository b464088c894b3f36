// The document's Parameters menu, its searches over every chart and the
// status bar's steps pane.
#include "app/HOXDoc.h"

#include "app/HOXApp.h"
#include "app/MainFrame.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXFindCommentDlg.h"
#include "chart/HOXFindNumberDlg.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXView.h"
#include "chart/ObjectTypes.h"
#include "params/HOXParam.h"
#include "params/HOXShowAllParamDlg.h"
#include "platform/MDI.h"
#include "platform/Messages.h"
#include "res/CommandIds.h"

namespace {
constexpr UINT kMsgInitializeParameters = 13884;

CMDIChildWnd* FrameOfView(const CView* view)
{
    const CHOXApp* app = CHOXApp::Get();
    return app != nullptr && view != nullptr ? app->FrameOfView(view) : nullptr;
}

// Whether the search by number finds the object: a SUBROUTINE, POINTER, CALL
// or JUMP of the number, or a program in text that holds it. Conditional
// jumps and every other object are not looked at; -1 is no number at all.
bool HasSearchedPointerNumber(const CHOXDrawObj* object, int n)
{
    const auto* symbol = dynamic_cast<const CHOXSymbol*>(object);
    if (symbol == nullptr || n < 0) return false;
    switch (symbol->GetObjectType()) {
    case objtype::kFlowSubRtn:
    case objtype::kFlowPointer:
    case objtype::kFlowCall:
    case objtype::kFlowJump: return symbol->GetPointerNumber() == n;
    case objtype::kFlowProgText:
        for (const CHOXSymbol::HeldNumber& held : symbol->GetHeldNumbers())
            if (held.kind == CHOXSymbol::HeldNumber::kPointer && held.number == n) return true;
        return false;
    default: return false;
    }
}
} // namespace

void CHOXDoc::RegisterParameterCommands()
{
    OnCommand(ID_PARAM_SYSTEM, [this] { m_pParam->EditSystem(); });
    OnCommand(ID_PARAM_SUBTASK, [this] { m_pParam->EditSubtask(); });
    OnCommand(ID_PARAM_UNITS, [this] { m_pParam->EditUnits(); });
    OnCommand(ID_PARAM_SPEED, [this] { m_pParam->EditSpeed(); });
    OnCommand(ID_PARAM_MACHINE_ZERO, [this] { m_pParam->EditMachineZero(); });
    OnCommand(ID_PARAM_SETTINGS, [this] { m_pParam->EditSettings(); });
    OnCommand(ID_PARAM_PROGRAM_NUMBER, [this] { m_pParam->EditProgramNumber(); });
    OnCommand(ID_PARAM_MCODE, [this] { m_pParam->EditMcode(); });
    OnCommand(ID_PARAM_PULSER, [this] { m_pParam->EditPulser(); });
    OnCommand(ID_PARAM_ABS_POSITION, [this] { m_pParam->EditAbsPosition(); });
    OnCommand(ID_PARAM_OTHERS, [this] { m_pParam->EditOthers(); });
    OnCommand(ID_PARAM_INITIALIZE, [this] { OnParamInitialize(); });
    OnCommand(ID_PARAM_SHOW_ALL, [this] { OnParamShowAll(); });
    OnCommand(ID_SEARCH_COMMENT, [this] { OnSearchComment(); });
    OnCommand(ID_SEARCH_NUMBER, [this] { OnSearchNumber(); });
}

// ---------------------------------------------------------------------------
// Parameters

void CHOXDoc::OnParamInitialize()
{
    if (AfxMessageBox(kMsgInitializeParameters, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    m_pParam->SetDefaults();
    // Like every other change of the parameters, the reset is the
    // document's to save.
    SetModifiedFlag(true);
}

void CHOXDoc::OnParamShowAll()
{
    CHOXShowAllParamDlg dlg(m_pParam.get());
    dlg.DoModal();
}

// ---------------------------------------------------------------------------
// Searches

void CHOXDoc::OnSearchComment()
{
    CHOXFindCommentDlg dlg(this);
    dlg.DoModal();
}

void CHOXDoc::OnSearchNumber()
{
    CHOXFindNumberDlg dlg(this);
    dlg.DoModal();
}

void CHOXDoc::ShowSearchMatch(CHOXView* view, CHOXDrawObj* object)
{
    if (view == nullptr) return;
    view->Select(object, true);
    CMDIChildWnd* frame = FrameOfView(view);
    if (frame == nullptr) return;
    if (!frame->IsWindowVisible()) frame->ShowWindow(SW_SHOW);
    if (frame->IsIconic()) frame->ShowWindow(SW_RESTORE);
    frame->MDIActivate();
}

void CHOXDoc::CentreSearchMatch(CHOXView* view, const CHOXDrawObj* object)
{
    if (view == nullptr || object == nullptr) return;
    const CSize total = view->GetTotalSize();
    const CRect client = view->GetClientRect();
    if (total.cx <= client.Width() && total.cy <= client.Height()) return;
    // The scroll position is in device pixels: the match's corner, moved by
    // half the client area, is added to where the view stands now, so the
    // match comes to the middle at every zoom.
    const CRect bounds = view->DocToClient(object->m_position);
    const CPoint scroll = view->GetScrollPosition();
    view->ScrollToPosition(CPoint(scroll.x + bounds.left - client.Width() / 2, scroll.y + bounds.top - client.Height() / 2));
}

bool CHOXDoc::FindSymbolByComment(const QString& text)
{
    const QString wanted = text.toLower();
    bool found = false;
    for (auto& [name, wnd] : m_mapWindows) {
        CHOXView* view = wnd->GetView();
        if (view != nullptr) view->Select(nullptr);
        CHOXDrawObj* last = nullptr;
        for (auto& [key, object] : wnd->GetObjectMap()) {
            const auto* symbol = dynamic_cast<const CHOXSymbol*>(object.get());
            if (symbol == nullptr || symbol->GetComment().trimmed().toLower() != wanted) continue;
            ShowSearchMatch(view, object.get());
            last = object.get();
        }
        if (last == nullptr) continue;
        found = true;
        CentreSearchMatch(view, last);
    }
    UpdateAllViews(nullptr);
    return found;
}

bool CHOXDoc::FindSymbolByPointerNumber(int n)
{
    bool found = false;
    for (auto& [name, wnd] : m_mapWindows) {
        CHOXView* view = wnd->GetView();
        if (view != nullptr) view->Select(nullptr);
        CHOXDrawObj* last = nullptr;
        for (auto& [key, object] : wnd->GetObjectMap()) {
            if (!HasSearchedPointerNumber(object.get(), n)) continue;
            ShowSearchMatch(view, object.get());
            last = object.get();
        }
        if (last != nullptr) {
            found = true;
            CentreSearchMatch(view, last);
        }
        // A node's id is its pointer number.
        CHOXDrawObj* lastNode = nullptr;
        for (auto& [key, node] : wnd->GetNodeMap()) {
            if (n < 0 || node->GetId() != static_cast<DWORD>(n)) continue;
            ShowSearchMatch(view, node.get());
            lastNode = node.get();
        }
        if (lastNode != nullptr) {
            found = true;
            CentreSearchMatch(view, lastNode);
        }
    }
    UpdateAllViews(nullptr);
    return found;
}

// ---------------------------------------------------------------------------
// Steps pane

void CHOXDoc::OnUpdateSteps(CCmdUI* ui)
{
    const QString text = QStringLiteral("Steps %1").arg(GetTotalSteps());
    const CHOXApp* app = CHOXApp::Get();
    if (app != nullptr && app->MainFrame() != nullptr) app->MainFrame()->SetStatusPaneText(2, text);
    if (ui == nullptr) return;
    ui->Enable(true);
    ui->SetText(text);
}
