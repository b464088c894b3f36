// The monitor view's commands: inserting monitor objects, the drawing tools,
// line widths and colours, and the sheet's colour.
#include "online/monitor/HOXMonView.h"

#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXShape.h"
#include "chart/HOXUndo.h"
#include "online/monitor/HOXManOpernDlg.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonDevStatDlg.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/MonObjIds.h"
#include "platform/ColorDialog.h"
#include "platform/Messages.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"

#include <memory>

namespace {

template <class T>
std::unique_ptr<CHOXMonObj> MakeMonObj(CHOXWnd* wnd)
{
    return std::make_unique<T>(wnd);
}

// The monitor objects a window holds one of, each under its fixed id.
struct SingleObject {
    UINT command;
    WORD id;
    std::unique_ptr<CHOXMonObj> (*make)(CHOXWnd* wnd);
};
constexpr SingleObject kSingleObjects[] = {
    {ID_INSERT_CURRENT_POSITION, monid::kCurPos, &MakeMonObj<CHOXMonCurPos>},
    {ID_INSERT_PLOT, monid::kPlot, &MakeMonObj<CHOXMonPlotObj>},
    {ID_INSERT_MANUAL_INPUT_STATUS, monid::kManInputStat, &MakeMonObj<CHOXMonManInputStat>},
    {ID_INSERT_CONTROLLER_STATUS, monid::kKZQWStat, &MakeMonObj<CHOXMonKZQWStat>},
    {ID_INSERT_PROGRAM_INFO, monid::kProgInfo, &MakeMonObj<CHOXMonProgInfo>},
};

const SingleObject* FindSingleObject(UINT command)
{
    for (const SingleObject& single : kSingleObjects)
        if (single.command == command) return &single;
    return nullptr;
}

struct DrawTool {
    UINT command;
    std::int32_t mode;
};
constexpr DrawTool kDrawTools[] = {
    {ID_DRAW_RECT, toolmode::kRect},
    {ID_DRAW_OVAL, toolmode::kOval},
    {ID_DRAW_LINE, toolmode::kLine},
};

struct LineWidth {
    UINT command;
    std::int32_t width;
};
constexpr LineWidth kLineWidths[] = {
    {ID_LINE_THIN, 1},
    {ID_LINE_MEDIUM, 2},
    {ID_LINE_THICK, 3},
};

} // namespace

void CHOXMonView::RegisterCommands()
{
    for (const SingleObject& single : kSingleObjects) {
        OnCommand(single.command, [this, command = single.command] { OnInsertSingleObject(command); });
        CCmdTarget::OnUpdate(single.command, [this, id = single.id](CCmdUI* ui) {
            const CHOXMonWnd* wnd = MonWnd();
            ui->Enable(wnd != nullptr && wnd->LookupMonObj(id) == nullptr);
        });
    }
    // Any number of device status objects, and each button once: the
    // dialogs say which.
    OnCommand(ID_INSERT_DEVICE_STATUS, [this] { OnInsertDeviceStatus(); });
    OnCommand(ID_INSERT_MANUAL_OPERATION, [this] { OnInsertManualOperation(); });
    for (UINT command : {ID_INSERT_DEVICE_STATUS, ID_INSERT_MANUAL_OPERATION})
        CCmdTarget::OnUpdate(command, [](CCmdUI* ui) { ui->Enable(true); });

    // The drawing bar's buttons work while the page is edited and shown.
    const auto drawing = [this] { return EditedDocument() != nullptr && IsWindowVisible(); };
    for (const DrawTool& tool : kDrawTools) {
        OnCommand(tool.command, [this, command = tool.command] { OnDrawTool(command); });
        CCmdTarget::OnUpdate(tool.command, [drawing, mode = tool.mode](CCmdUI* ui) {
            ui->SetCheck(s_nToolMode == mode ? 1 : 0);
            ui->Enable(drawing());
        });
    }
    for (const LineWidth& width : kLineWidths) {
        OnCommand(width.command, [this, command = width.command] { OnLineWidth(command); });
        CCmdTarget::OnUpdate(width.command, [this, drawing, width = width.width](CCmdUI* ui) {
            ui->SetCheck(m_selection.size() <= 1 && m_nLineWidth == width ? 1 : 0);
            ui->Enable(drawing());
        });
    }
    OnCommand(ID_LINE_COLOR, [this] { OnLineColor(); });
    OnCommand(ID_BRUSH_COLOR, [this] { OnBrushColor(); });
    for (UINT command : {ID_LINE_COLOR, ID_BRUSH_COLOR})
        CCmdTarget::OnUpdate(command, [drawing](CCmdUI* ui) { ui->Enable(drawing()); });
    OnCommand(ID_CHANGE_BASE_COLOR, [this] { OnChangeBaseColor(); });
}

// ---------------------------------------------------------------------------
// Inserting monitor objects

void CHOXMonView::OnInsertSingleObject(UINT command)
{
    const SingleObject* single = FindSingleObject(command);
    CHOXMonWnd* wnd = MonWnd();
    CHOXDoc* doc = EditedDocument();
    // A second object under the id would replace the first, which the
    // selection or the undo store may still name.
    if (single == nullptr || wnd == nullptr || doc == nullptr || wnd->LookupMonObj(single->id) != nullptr) return;
    std::unique_ptr<CHOXMonObj> made = single->make(wnd);
    CHOXMonObj* object = made.get();
    object->SetId(single->id);
    wnd->AddMonObj(std::move(made));
    object->EnsureVisible(this);
    wnd->GetUndo()->Clear();
    wnd->GetUndo()->RecordAdd(object);
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr);
}

bool CHOXMonView::AddDeviceStatus(const CHOXMonDevStat::Settings& settings)
{
    CHOXMonWnd* wnd = MonWnd();
    CHOXDoc* doc = EditedDocument();
    if (wnd == nullptr || doc == nullptr) return false;
    // The document has said so when none is left.
    const std::int32_t id = doc->NewMonObjId();
    if (id == -1) return false;
    auto made = std::make_unique<CHOXMonDevStat>(settings, wnd);
    CHOXMonDevStat* object = made.get();
    object->SetId(static_cast<DWORD>(id));
    wnd->AddMonObj(std::move(made));
    object->GrowSheet();
    object->Invalidate();
    object->EnsureVisible(this);
    wnd->GetUndo()->Clear();
    wnd->GetUndo()->RecordAdd(object);
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr);
    return true;
}

void CHOXMonView::OnInsertDeviceStatus()
{
    CHOXDoc* doc = EditedDocument();
    if (doc == nullptr) return;
    CHOXMonDevStatDlg dlg(doc);
    if (dlg.DoModal() != IDOK) {
        doc->UpdateAllViews(nullptr);
        return;
    }
    AddDeviceStatus(dlg.GetSettings());
}

void CHOXMonView::OnInsertManualOperation()
{
    CHOXDoc* doc = EditedDocument();
    if (doc == nullptr) return;
    CHOXManOpernDlg dlg(doc->GetFounSeq(), 0);
    if (dlg.DoModal() != IDOK) {
        doc->UpdateAllViews(nullptr);
        return;
    }
    AddManualOperation(dlg.GetButtonIndex());
}

bool CHOXMonView::AddManualOperation(std::int32_t buttonIndex)
{
    CHOXMonWnd* wnd = MonWnd();
    CHOXDoc* doc = EditedDocument();
    if (wnd == nullptr || doc == nullptr || !monid::IsManOpernIndex(buttonIndex)) return false;
    const WORD id = monid::ManOpernId(buttonIndex);
    bool added = false;
    if (wnd->LookupMonObj(id) != nullptr) {
        AfxMessageBox(IDS_MAN_OPERN_PRESENT, MB_OK | MB_ICONHAND);
    } else {
        auto made = std::make_unique<CHOXMonManOpern>(buttonIndex, wnd);
        CHOXMonManOpern* object = made.get();
        object->SetId(id);
        wnd->AddMonObj(std::move(made));
        object->Invalidate();
        object->EnsureVisible(this);
        wnd->GetUndo()->Clear();
        wnd->GetUndo()->RecordAdd(object);
        doc->SetModifiedFlag(true);
        added = true;
    }
    doc->UpdateAllViews(nullptr);
    return added;
}

// ---------------------------------------------------------------------------
// Tools, widths and colours

void CHOXMonView::OnDrawTool(UINT command)
{
    for (const DrawTool& tool : kDrawTools)
        if (tool.command == command) s_nToolMode = tool.mode;
    Select(nullptr);
}

void CHOXMonView::OnLineWidth(UINT command)
{
    if (EditedDocument() == nullptr) return;
    for (const LineWidth& width : kLineWidths)
        if (width.command == command) m_nLineWidth = width.width;
    for (CHOXDrawObj* object : m_selection) {
        if (auto* shape = dynamic_cast<CHOXShape*>(object)) {
            shape->SetLineWidth(m_nLineWidth);
            InvalObj(shape);
        }
    }
}

void CHOXMonView::OnLineColor() { ChooseShapeColor(m_crLine, &CHOXShape::SetLineColor); }

void CHOXMonView::OnBrushColor() { ChooseShapeColor(m_crFill, &CHOXShape::SetFillColor); }

void CHOXMonView::ChooseShapeColor(COLORREF& color, void (CHOXShape::*apply)(COLORREF))
{
    CHOXMonWnd* wnd = MonWnd();
    if (EditedDocument() == nullptr || wnd == nullptr) return;
    CColorDialog dlg(color);
    if (dlg.DoModal() != IDOK) return;
    color = dlg.GetColor();
    for (CHOXDrawObj* object : m_selection) {
        if (auto* shape = dynamic_cast<CHOXShape*>(object)) {
            (shape->*apply)(color);
            InvalObj(shape);
        }
    }
    wnd->GetUndo()->Clear();
}

void CHOXMonView::OnChangeBaseColor()
{
    CHOXMonWnd* wnd = MonWnd();
    if (wnd == nullptr || wnd->GetBaseRect() == nullptr) return;
    CColorDialog dlg(wnd->GetBaseColor());
    if (dlg.DoModal() != IDOK) return;
    wnd->SetBaseColor(dlg.GetColor());
    wnd->GetUndo()->Clear();
}
