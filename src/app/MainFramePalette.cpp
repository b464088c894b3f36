// The main frame's symbol palette: its bars and buttons, the group switch,
// showing, hiding and docking, the slider and context help.
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "app/PaletteTools.h"

#include <algorithm>

namespace {
// Bar templates and their sizes in dialog units.
constexpr UINT kGroupBarTemplate = 2008;
constexpr UINT kToolsBarTemplate = 2007;
constexpr UINT kFuncBarTemplate = 2006;
constexpr UINT kCodeBarTemplate = 2005;
constexpr UINT kFlowBarTemplate = 2004;
constexpr CSize kGroupBarUnits(108, 20);
constexpr CSize kToolsBarUnits(108, 32);
constexpr CSize kSymbolBarUnits(108, 98);

// The group buttons by group: command, normal and selected picture.
struct GroupButton {
    UINT id;
    UINT normal;
    UINT selected;
};
constexpr GroupButton kGroupButtons[kPaletteGroups] = {
    {ID_FLOW_GROUP, 4002, 4001},
    {ID_CODE_GROUP, 4005, 4003},
    {ID_FUNC_GROUP, 4004, 4006},
};
constexpr int kGroupPictureWidth = 45;
constexpr int kGroupPictureHeight = 20;

// The symbol buttons: two columns of 64 x 32 pixels, rows 32 pixels apart.
constexpr int kSymbolWidth = 64;
constexpr int kSymbolHeight = 32;
constexpr int kFirstRowTop = 9;

const std::vector<BarControlTemplate>& ToolsBarControls()
{
    static const std::vector<BarControlTemplate> controls = {
        {CBarCtrl::Kind::Button, ID_PALETTE_UP, QStringLiteral("ButtonUp"), CRect(11, 5, 33, 14)},
        {CBarCtrl::Kind::Button, ID_PALETTE_DOWN, QStringLiteral("ButtonDown"), CRect(11, 17, 33, 26)},
        {CBarCtrl::Kind::Slider, ID_PALETTE_SLIDER, QStringLiteral("Slider1"), CRect(39, 1, 50, 30)},
        {CBarCtrl::Kind::Button, ID_CONNECT_BUTTON, QStringLiteral("BitBtnConnect"), CRect(58, 5, 96, 27)},
    };
    return controls;
}

CHOXDoc* OpenDocument()
{
    const CHOXApp* app = CHOXApp::Get();
    return app != nullptr ? app->GetDocument() : nullptr;
}

// Groups other than Code and Func count as Flow.
int KnownGroup(int group) { return group == kCodeGroup || group == kFuncGroup ? group : kFlowGroup; }

// The workspace bar's part in showing, hiding and docking the palette.
void ShowWorkspaceBarWindow(CMainFrame& frame, bool show)
{
    if (CHOXWorkspaceBar* bar = frame.GetWorkspaceBar(); bar != nullptr && bar->HasWindow())
        bar->ShowWindow(show ? SW_SHOW : SW_HIDE);
}
bool IsWorkspaceBarFloating(const CMainFrame& frame)
{
    const CHOXWorkspaceBar* bar = frame.GetWorkspaceBar();
    return bar != nullptr && bar->HasWindow() && bar->IsFloating();
}
void DockWorkspaceBarLeft(CMainFrame& frame)
{
    if (CHOXWorkspaceBar* bar = frame.GetWorkspaceBar(); bar != nullptr && bar->HasWindow()) bar->DockLeft();
}
} // namespace

void CMainFrame::RegisterPaletteCommands()
{
    OnCommand(ID_FLOW_GROUP, [this] { OnFlowGroup(); });
    OnCommand(ID_CODE_GROUP, [this] { OnCodeGroup(); });
    OnCommand(ID_FUNC_GROUP, [this] { OnFuncGroup(); });
    // View > Accessories Toolbar: checked while the selector is shown.
    OnCommand(ID_VIEW_ACCESSORIES_BAR, [this] {
        if (m_wndGroupBar.IsWindowVisible()) {
            HidePaletteBars();
        } else {
            ShowPaletteBars();
        }
    });
    OnUpdate(ID_VIEW_ACCESSORIES_BAR, [this](CCmdUI* ui) { ui->SetCheck(m_wndGroupBar.IsWindowVisible() ? 1 : 0); });
}

// ---------------------------------------------------------------------------
// Making the bars

bool CMainFrame::CreatePaletteBars()
{
    if (!CreateGroupBar() || !CreateToolsBar()) return false;
    for (const auto& [bar, id] :
         {std::pair{&m_wndFuncBar, kFuncBarTemplate}, std::pair{&m_wndFlowBar, kFlowBarTemplate},
          std::pair{&m_wndCodeBar, kCodeBarTemplate}}) {
        if (!bar->Create(this, id, kSymbolBarUnits)) return false;
    }
    return true;
}

bool CMainFrame::CreateGroupBar()
{
    if (!m_wndGroupBar.Create(this, kGroupBarTemplate, kGroupBarUnits)) return false;
    const CSize size = m_wndGroupBar.GetDefaultSize();
    int m = (size.cx - 128) / 3;
    if ((m + size.cx - 128) % 3 != 0) ++m;
    const int gap = (size.cx - 2 * m - 135) / 2;
    const int top = (size.cy - 20) / 2;
    for (int i = 0; i < kPaletteGroups; ++i) {
        const GroupButton& g = kGroupButtons[i];
        const int left = m + i * (kGroupPictureWidth + gap);
        CBitmapButton& button = m_btnGroup[static_cast<std::size_t>(i)];
        if (!button.Create(QString(), CRect(left, top, left + kGroupPictureWidth, top + kGroupPictureHeight),
                           &m_wndGroupBar, g.id))
            return false;
        if (!button.LoadBitmaps(g.normal, g.selected)) return false;
        button.SizeToContent();
        button.SetToolTip(PaletteToolTip(g.id));
    }
    return true;
}

bool CMainFrame::CreateToolsBar()
{
    if (!m_wndToolsBar.Create(this, kToolsBarTemplate, kToolsBarUnits, ToolsBarControls())) return false;
    if (!m_btnUp.AutoLoad(ID_PALETTE_UP, &m_wndToolsBar)) return false;
    if (!m_btnDown.AutoLoad(ID_PALETTE_DOWN, &m_wndToolsBar)) return false;
    if (!m_btnConnect.AutoLoad(ID_CONNECT_BUTTON, &m_wndToolsBar)) return false;
    for (CBarCtrl* control : m_wndToolsBar.GetControls()) control->SetToolTip(PaletteToolTip(control->GetDlgCtrlID()));
    return true;
}

// ---------------------------------------------------------------------------
// Items and buttons

CHOXDialogBar& CMainFrame::GetPaletteGroupBar(int group)
{
    switch (group) {
    case kCodeGroup: return m_wndCodeBar;
    case kFuncGroup: return m_wndFuncBar;
    default: return m_wndFlowBar;
    }
}

const CHOXDialogBar& CMainFrame::GetPaletteGroupBar(int group) const
{
    return const_cast<CMainFrame*>(this)->GetPaletteGroupBar(group);
}

CButton& CMainFrame::GetSymbolButton(int group, int slot)
{
    const auto s = static_cast<std::size_t>(std::clamp(slot, 0, kPaletteSlots - 1));
    switch (group) {
    case kCodeGroup: return m_btnCode[s];
    case kFuncGroup: return m_btnFunc[s];
    default: return m_btnFlow[s];
    }
}

CMainFrame::PaletteItemMap& CMainFrame::GetPaletteItems(int group)
{
    switch (group) {
    case kCodeGroup: return m_mapCodeItems;
    case kFuncGroup: return m_mapFuncItems;
    default: return m_mapFlowItems;
    }
}

CSliderCtrl* CMainFrame::GetPaletteSlider() const
{
    return dynamic_cast<CSliderCtrl*>(m_wndToolsBar.GetDlgItem(ID_PALETTE_SLIDER));
}

void CMainFrame::FillSymbolPalette()
{
    for (int group = 0; group < kPaletteGroups; ++group) {
        PaletteItemMap& items = GetPaletteItems(group);
        WORD position = 0;
        for (const PaletteTool& tool : PaletteTools(group)) {
            const QString caption = QString::fromLatin1(tool.caption);
            items.SetAt(position, std::make_unique<CHOXPaletteItem>(static_cast<WORD>(tool.id), caption));
            if (position < kPaletteSlots) AddPaletteButton(group, caption, tool.id, position);
            ++position;
        }
    }
}

void CMainFrame::AddFlowButton(const QString& caption, UINT id, int slot)
{
    AddPaletteButton(kFlowGroup, caption, id, slot);
}

void CMainFrame::AddCodeButton(const QString& caption, UINT id, int slot)
{
    AddPaletteButton(kCodeGroup, caption, id, slot);
}

void CMainFrame::AddFuncButton(const QString& caption, UINT id, int slot)
{
    AddPaletteButton(kFuncGroup, caption, id, slot);
}

void CMainFrame::AddPaletteButton(int group, const QString& caption, UINT id, int slot)
{
    if (slot < 0 || slot >= kPaletteSlots) return;
    // The columns are centred by the width of the selector, which all
    // palette bars share.
    const int d = m_wndGroupBar.GetDefaultSize().cx - 128;
    const int q = d / 3;
    const int m = q + (d % 3 != 0 ? 1 : 0);
    const int top = (slot / 2) * kSymbolHeight + kFirstRowTop;
    const int left = slot % 2 == 0 ? m : q + m + kSymbolWidth;
    CButton& button = GetSymbolButton(group, slot);
    // A slot holds one button.
    button.DestroyWindow();
    if (!button.Create(QString(), CRect(left, top, left + kSymbolWidth, top + kSymbolHeight),
                       &GetPaletteGroupBar(group), id))
        return;
    const CHOXApp* app = CHOXApp::Get();
    button.SetBitmap(app != nullptr ? app->GetSymbolIcon(caption, 0) : nullptr);
    button.SetToolTip(PaletteToolTip(id));
}

void CMainFrame::DestroyFlowButtons(int first, int last) { DestroyPaletteButtons(kFlowGroup, first, last); }
void CMainFrame::DestroyCodeButtons(int first, int last) { DestroyPaletteButtons(kCodeGroup, first, last); }
void CMainFrame::DestroyFuncButtons(int first, int last) { DestroyPaletteButtons(kFuncGroup, first, last); }

void CMainFrame::DestroyPaletteButtons(int group, int first, int last)
{
    if (last < first) return;
    const int count = std::min(last - first + 1, kPaletteSlots);
    for (int slot = 0; slot < count; ++slot) GetSymbolButton(group, slot).DestroyWindow();
}

void CMainFrame::DeletePaletteItems()
{
    m_mapFlowItems.RemoveAll();
    m_mapCodeItems.RemoveAll();
    m_mapFuncItems.RemoveAll();
}

// ---------------------------------------------------------------------------
// Groups

int CMainFrame::GetVisiblePaletteGroup() const
{
    for (int group : {kFlowGroup, kCodeGroup, kFuncGroup})
        if (GetPaletteGroupBar(group).IsWindowVisible()) return group;
    return -1;
}

void CMainFrame::SetGroupButtonStates(int pressed)
{
    for (int i = 0; i < kPaletteGroups; ++i) m_btnGroup[static_cast<std::size_t>(i)].SetState(i == pressed);
}

void CMainFrame::ShowFlowGroup() { ShowPaletteGroup(kFlowGroup); }
void CMainFrame::ShowCodeGroup() { ShowPaletteGroup(kCodeGroup); }
void CMainFrame::ShowFuncGroup() { ShowPaletteGroup(kFuncGroup); }

void CMainFrame::ShowPaletteGroup(int group)
{
    CHOXDialogBar& bar = GetPaletteGroupBar(group);
    if (bar.IsWindowVisible()) {
        m_btnGroup[static_cast<std::size_t>(group)].SetState(true);
        return;
    }
    for (int other = 0; other < kPaletteGroups; ++other)
        if (other != group) GetPaletteGroupBar(other).ShowWindow(false);
    m_wndToolsBar.ShowWindow(true);
    bar.ShowWindow(true);
    // Each bar docks above the one before: selector, group, tools.
    m_wndToolsBar.DockLeft();
    bar.DockLeft();
    m_wndGroupBar.DockLeft();
    SetGroupButtonStates(group);
    m_nPaletteGroup = group;
}

void CMainFrame::OnFlowGroup() { OnPaletteGroup(kFlowGroup); }
void CMainFrame::OnCodeGroup() { OnPaletteGroup(kCodeGroup); }
void CMainFrame::OnFuncGroup() { OnPaletteGroup(kFuncGroup); }

void CMainFrame::OnPaletteGroup(int group)
{
    ShowPaletteGroup(group);
    if (OpenDocument() == nullptr) return;
    const PaletteScroll& scroll = PaletteScrollOf(group);
    SetPaletteSlider(scroll.last, scroll.first);
    if (CSliderCtrl* slider = GetPaletteSlider()) slider->EnableWindow(scroll.last > 7);
}

void CMainFrame::SetPaletteSlider(int last, int first, bool redraw)
{
    CSliderCtrl* slider = GetPaletteSlider();
    if (slider == nullptr) return;
    slider->SetRange(0, PaletteSliderMax(last), redraw);
    slider->SetPos(first / 2);
    if (redraw) slider->Invalidate();
}

// ---------------------------------------------------------------------------
// Showing, hiding and docking

void CMainFrame::ShowFlowChartPaletteBars()
{
    m_wndCodeBar.ShowWindow(false);
    m_wndFuncBar.ShowWindow(false);
    m_wndToolsBar.ShowWindow(false);
    for (CHOXDialogBar* bar : {&m_wndToolsBar, &m_wndFlowBar, &m_wndGroupBar}) {
        bar->ShowWindow(true);
        bar->DockLeft();
    }
    SetGroupButtonStates(kFlowGroup);
    m_nPaletteGroup = kFlowGroup;
}

void CMainFrame::HidePaletteBars()
{
    if (!m_wndToolsBar.IsWindow()) return;
    ShowWorkspaceBarWindow(*this, false);
    for (CHOXDialogBar* bar : {&m_wndToolsBar, &m_wndFlowBar, &m_wndCodeBar, &m_wndFuncBar, &m_wndGroupBar})
        bar->ShowWindow(false);
    SetGroupButtonStates(-1);
}

void CMainFrame::ShowPaletteBars()
{
    if (m_wndGroupBar.IsWindowVisible()) return;
    const int group = KnownGroup(m_nPaletteGroup);
    CHOXDialogBar& bar = GetPaletteGroupBar(group);
    for (CHOXDialogBar* shown : {&m_wndToolsBar, &bar, &m_wndGroupBar}) shown->ShowWindow(true);
    ShowWorkspaceBarWindow(*this, true);
    for (CHOXDialogBar* docked : {&m_wndToolsBar, &bar, &m_wndGroupBar}) docked->DockLeft();
    if (!IsWorkspaceBarFloating(*this)) DockWorkspaceBarLeft(*this);
    SetGroupButtonStates(group);
}

void CMainFrame::DockPaletteBars() { DockPaletteColumn(true); }

void CMainFrame::DockPaletteBarsFloating() { DockPaletteColumn(false); }

void CMainFrame::DockPaletteColumn(bool withWorkspace)
{
    int pressed = -1;
    for (int group : {kFlowGroup, kCodeGroup, kFuncGroup}) {
        if ((m_btnGroup[static_cast<std::size_t>(group)].GetState() & BST_PUSHED) != 0) {
            pressed = group;
            break;
        }
    }
    if (pressed < 0) return;
    m_wndToolsBar.DockLeft();
    GetPaletteGroupBar(pressed).DockLeft();
    m_wndGroupBar.DockLeft();
    if (withWorkspace) DockWorkspaceBarLeft(*this);
}

void CMainFrame::SetConnectButtonState(bool pressed) { m_btnConnect.SetState(pressed); }

// ---------------------------------------------------------------------------
// The slider and context help

void CMainFrame::OnPaletteVScroll(UINT code, int pos, CSliderCtrl* slider)
{
    CHOXDoc* doc = OpenDocument();
    if (doc == nullptr || slider == nullptr || slider->GetParent() != &m_wndToolsBar ||
        slider->GetDlgCtrlID() != ID_PALETTE_SLIDER)
        return;
    // Line steps, dragging and the end of tracking leave the rows as they
    // are; the slider keeps showing them.
    if (code != TB_PAGEUP && code != TB_PAGEDOWN && code != TB_THUMBPOSITION) return;
    const int group = GetVisiblePaletteGroup();
    if (group < 0) return;
    PaletteScroll& scroll = PaletteScrollOf(group);
    int first = scroll.first;
    if (code == TB_THUMBPOSITION) {
        first = 2 * pos;
    } else if (code == TB_PAGEDOWN) {
        first += 2;
    } else {
        first -= 2;
    }
    first = std::clamp(first, 0, std::max(0, 2 * slider->GetRangeMax()));
    // A move past either end, or a thumb let go where it was, keeps the
    // shown buttons: making them again would take the focus and a press
    // in progress away from them.
    if (first != scroll.first) {
        DestroyPaletteButtons(group, scroll.first, PaletteShownLast(scroll.first, scroll.last));
        scroll.first = first;
        doc->ShowPaletteItems(group, scroll.first, PaletteShownLast(scroll.first, scroll.last));
    }
    SetPaletteSlider(scroll.last, scroll.first);
}

namespace {
int GroupHelpHitTest(CMainFrame& frame, int group, int first, CPoint screen)
{
    const auto tools = PaletteTools(group);
    const int count = static_cast<int>(tools.size());
    for (int slot = 0; slot < count - first && slot < kPaletteSlots; ++slot) {
        const CButton& button = frame.GetSymbolButton(group, slot);
        if (first + slot >= 0 && button.IsWindow() && button.GetWindowRect().PtInRect(screen))
            return static_cast<int>(tools[static_cast<std::size_t>(first + slot)].helpContext);
    }
    return static_cast<int>(HID_BASE_COMMAND + PaletteGroupCommand(group));
}
} // namespace

int CMainFrame::FlowHelpHitTest(int first, CPoint screen) { return GroupHelpHitTest(*this, kFlowGroup, first, screen); }
int CMainFrame::CodeHelpHitTest(int first, CPoint screen) { return GroupHelpHitTest(*this, kCodeGroup, first, screen); }
int CMainFrame::FuncHelpHitTest(int first, CPoint screen) { return GroupHelpHitTest(*this, kFuncGroup, first, screen); }

int CMainFrame::PaletteHelpHitTest(CPoint screen)
{
    const int group = GetVisiblePaletteGroup();
    if (group < 0) return -1;
    const CSliderCtrl* slider = GetPaletteSlider();
    const int first = slider != nullptr ? 2 * slider->GetPos() : 0;
    switch (group) {
    case kCodeGroup: return CodeHelpHitTest(first, screen);
    case kFuncGroup: return FuncHelpHitTest(first, screen);
    default: return FlowHelpHitTest(first, screen);
    }
}
