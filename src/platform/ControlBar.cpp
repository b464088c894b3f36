#include "platform/ControlBar.h"

#include "platform/FrameWnd.h"
#include "platform/Help.h"
#include "platform/Resources.h"

#include <algorithm>

namespace {
// The dialog base units of the program's dialog font: 6 pixels across
// (per four units) and 13 down (per eight units).
constexpr int kBaseX = 6;
constexpr int kBaseY = 13;

// a * b / c rounded half away from zero, as the system's MulDiv.
LONG MulDiv(LONG a, LONG b, LONG c)
{
    const long long p = static_cast<long long>(a) * b;
    const long long q = (p >= 0 ? p + c / 2 : p - c / 2) / c;
    return static_cast<LONG>(q);
}
} // namespace

// ---------------------------------------------------------------------------
// Controls

CBarCtrl::~CBarCtrl() { DestroyWindow(); }

bool CBarCtrl::CreateIn(CDialogBar* bar, UINT id, const QString& text, const CRect& rect)
{
    if (bar == nullptr || !bar->IsWindow() || IsWindow()) return false;
    m_nID = id;
    m_strText = text;
    m_rect = rect;
    m_bEnabled = true;
    bar->Attach(this);
    return true;
}

bool CBarCtrl::SubclassDlgItem(UINT id, CDialogBar* bar)
{
    if (bar == nullptr || IsWindow()) return false;
    CBarCtrl* old = bar->GetDlgItem(id);
    if (old == nullptr || old->GetKind() != m_kind) return false;
    const QString text = old->m_strText;
    const CRect rect = old->m_rect;
    const bool enabled = old->m_bEnabled;
    const QString tip = old->m_strToolTip;
    old->DestroyWindow();
    // The template's object has served its purpose.
    std::erase_if(bar->m_ownControls, [old](const auto& own) { return own.get() == old; });
    m_nID = id;
    m_strText = text;
    m_rect = rect;
    m_bEnabled = enabled;
    m_strToolTip = tip;
    bar->Attach(this);
    return true;
}

void CBarCtrl::SetWindowText(const QString& text)
{
    m_strText = text;
    Changed();
}

CRect CBarCtrl::GetWindowRect() const
{
    if (m_pBar == nullptr) return {};
    return m_rect + m_pBar->ClientToScreen(CPoint(0, 0));
}

void CBarCtrl::MoveWindow(const CRect& rect)
{
    m_rect = rect;
    Changed();
}

void CBarCtrl::EnableWindow(bool enable)
{
    if (m_bEnabled == enable) return;
    m_bEnabled = enable;
    Changed();
}

void CBarCtrl::DestroyWindow()
{
    if (m_pBar == nullptr) return;
    CDialogBar* bar = m_pBar;
    bar->Detach(this);
    m_pBar = nullptr;
}

void CBarCtrl::Invalidate()
{
    ++m_nInvalidated;
    Changed();
}

void CBarCtrl::SetToolTip(const QString& tip)
{
    m_strToolTip = tip;
    Changed();
}

void CBarCtrl::Changed()
{
    if (m_pBar != nullptr) m_pBar->ControlChanged(this);
}

bool CButton::Create(const QString& text, const CRect& rect, CDialogBar* bar, UINT id)
{
    m_image = QImage();
    m_bPushed = false;
    return CreateIn(bar, id, text, rect);
}

void CButton::SetBitmap(const QImage* image)
{
    m_image = image != nullptr ? *image : QImage();
    Changed();
}

void CButton::SetState(bool pushed)
{
    // Repainted even when the look stays.
    m_bPushed = pushed;
    Invalidate();
}

bool CBitmapButton::LoadBitmaps(UINT normal, UINT selected, UINT focus, UINT disabled)
{
    const auto load = [](UINT id) { return id != 0 ? LoadBitmapResource(id) : QImage(); };
    m_bitmap = load(normal);
    m_bitmapSel = load(selected);
    m_bitmapFocus = load(focus);
    m_bitmapDisabled = load(disabled);
    Changed();
    return !m_bitmap.isNull();
}

bool CBitmapButton::AutoLoad(UINT id, CDialogBar* bar)
{
    if (!SubclassDlgItem(id, bar)) return false;
    const QString name = GetWindowText();
    m_bitmap = LoadNamedBitmapResource(name + QStringLiteral("U"));
    m_bitmapSel = LoadNamedBitmapResource(name + QStringLiteral("D"));
    m_bitmapFocus = LoadNamedBitmapResource(name + QStringLiteral("F"));
    m_bitmapDisabled = LoadNamedBitmapResource(name + QStringLiteral("X"));
    if (m_bitmap.isNull()) return false;
    SizeToContent();
    return true;
}

void CBitmapButton::SizeToContent()
{
    CRect rect = GetClientRectInBar();
    rect.right = rect.left + m_bitmap.width();
    rect.bottom = rect.top + m_bitmap.height();
    MoveWindow(rect);
}

const QImage* CBitmapButton::DrawItem(UINT itemState) const
{
    if ((itemState & ODS_SELECTED) != 0 && !m_bitmapSel.isNull()) return &m_bitmapSel;
    if ((itemState & ODS_FOCUS) != 0 && !m_bitmapFocus.isNull()) return &m_bitmapFocus;
    if ((itemState & ODS_DISABLED) != 0 && !m_bitmapDisabled.isNull()) return &m_bitmapDisabled;
    return &m_bitmap;
}

bool CSliderCtrl::Create(const CRect& rect, CDialogBar* bar, UINT id)
{
    return CreateIn(bar, id, QString(), rect);
}

void CSliderCtrl::SetRange(int minimum, int maximum, bool redraw)
{
    m_nMin = minimum;
    m_nMax = maximum;
    if (redraw) {
        Invalidate();
    } else {
        Changed();
    }
}

void CSliderCtrl::SetPos(int pos)
{
    // The control keeps its thumb inside its range.
    m_nPos = std::clamp(pos, m_nMin, std::max(m_nMin, m_nMax));
    Changed();
}

// ---------------------------------------------------------------------------
// The bar

CDialogBar::CDialogBar() = default;

CDialogBar::~CDialogBar()
{
    // Member controls of an owner may outlive the bar: they lose their
    // windows now.
    while (!m_controls.empty()) m_controls.back()->DestroyWindow();
    m_ownControls.clear();
    m_host.reset();
}

bool CDialogBar::Create(CFrameWnd* frame, UINT templateId, CSize dialogUnits,
                        const std::vector<BarControlTemplate>& controls)
{
    if (m_bCreated || frame == nullptr || frame->Host() == nullptr) return false;
    m_pFrame = frame;
    m_nID = templateId;
    m_sizeDefault = MapDialogUnits(dialogUnits);
    m_host = frame->Host()->CreateBarHost(*this);
    if (!m_host) return false;
    m_bCreated = true;
    m_bVisible = false;
    for (const BarControlTemplate& t : controls) {
        const CRect rect = MapDialogUnits(t.rect);
        if (t.kind == CBarCtrl::Kind::Slider) {
            auto slider = std::make_unique<CSliderCtrl>();
            slider->Create(rect, this, t.id);
            slider->SetWindowText(t.text);
            m_ownControls.push_back(std::move(slider));
        } else {
            auto button = std::make_unique<CButton>();
            button->Create(t.text, rect, this, t.id);
            m_ownControls.push_back(std::move(button));
        }
    }
    return true;
}

void CDialogBar::ShowWindow(bool show)
{
    if (!m_bCreated) return;
    m_bVisible = show;
    m_host->Show(show);
}

void CDialogBar::DockLeft()
{
    if (m_bCreated) m_host->DockLeft();
}

CRect CDialogBar::GetWindowRect() const
{
    if (m_host) return m_host->GetWindowRect();
    return CRect(CPoint(0, 0), m_sizeDefault);
}

CPoint CDialogBar::ClientToScreen(CPoint point) const
{
    const CRect r = GetWindowRect();
    return CPoint(point.x + r.left, point.y + r.top);
}

CBarCtrl* CDialogBar::GetDlgItem(UINT id) const
{
    for (CBarCtrl* control : m_controls)
        if (control->GetDlgCtrlID() == id) return control;
    return nullptr;
}

CBarCtrl* CDialogBar::ChildAt(CPoint point) const
{
    for (CBarCtrl* control : m_controls)
        if (control->GetClientRectInBar().PtInRect(point)) return control;
    return nullptr;
}

void CDialogBar::OnUpdateCmdUI(CommandRouter* target, bool disableIfNoHandler)
{
    if (target == nullptr) return;
    // A copy: an update handler may make or destroy controls.
    const std::vector<CBarCtrl*> controls = m_controls;
    for (CBarCtrl* control : controls) {
        if (std::find(m_controls.begin(), m_controls.end(), control) == m_controls.end()) continue;
        // Only buttons follow their commands; sliders keep what the program
        // gave them.
        if (control->GetKind() != CBarCtrl::Kind::Button) continue;
        const UINT id = control->GetDlgCtrlID();
        CCmdUI ui(id);
        // An update handler that leaves the enabling alone (one that only
        // shows a state) lets the command handler decide, as without one.
        if (target->RouteCmdMsg(id, CmdMode::Update, &ui) && ui.m_bEnableChanged) {
            control->EnableWindow(ui.m_bEnabled);
            continue;
        }
        if (disableIfNoHandler) control->EnableWindow(target->RouteCmdMsg(id, CmdMode::Probe, nullptr));
    }
}

int CDialogBar::OnHelpHitTest(CPoint point)
{
    if (CBarCtrl* control = ChildAt(point)) return static_cast<int>(HID_BASE_COMMAND + control->GetDlgCtrlID());
    return -1;
}

void CDialogBar::OnContextHelp(CPoint point)
{
    const int context = OnHelpHitTest(point);
    if (context >= 0) AfxWinHelp(static_cast<UINT>(context));
}

CSize CDialogBar::MapDialogUnits(CSize units)
{
    return CSize(MulDiv(units.cx, kBaseX, 4), MulDiv(units.cy, kBaseY, 8));
}

CRect CDialogBar::MapDialogUnits(const CRect& units)
{
    return CRect(MulDiv(units.left, kBaseX, 4), MulDiv(units.top, kBaseY, 8), MulDiv(units.right, kBaseX, 4),
                 MulDiv(units.bottom, kBaseY, 8));
}

void CDialogBar::Attach(CBarCtrl* control)
{
    control->m_pBar = this;
    m_controls.push_back(control);
    if (m_host) m_host->ControlChanged(*control);
}

void CDialogBar::Detach(CBarCtrl* control)
{
    if (m_host) m_host->ControlDestroyed(*control);
    std::erase(m_controls, control);
}

void CDialogBar::ControlChanged(CBarCtrl* control)
{
    if (m_host) m_host->ControlChanged(*control);
}
