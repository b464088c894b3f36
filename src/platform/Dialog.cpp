#include "platform/Dialog.h"

#include "platform/Help.h"
#include "platform/Strings.h"

#include <cstdio>

namespace {
DialogRunner* g_runner = nullptr;
}

void SetDialogRunner(DialogRunner* runner) { g_runner = runner; }
DialogRunner* GetDialogRunner() { return g_runner; }

// ---------------------------------------------------------------------------
// Data exchange

void CDataExchange::Fail()
{
    if (m_pDlgWnd->IsRunning() && m_idLastControl != 0) {
        m_pDlgWnd->GotoDlgCtrl(m_idLastControl);
        m_pDlgWnd->Site()->SetSel(m_idLastControl, 0, -1);
    }
    throw DataExchangeFailed{};
}

void DDX_Text(CDataExchange* pDX, int id, QString& value)
{
    pDX->m_idLastControl = id;
    if (pDX->m_bSaveAndValidate) {
        value = pDX->m_pDlgWnd->GetDlgItemText(id);
    } else {
        pDX->m_pDlgWnd->SetDlgItemText(id, value);
    }
}

void DDX_Text(CDataExchange* pDX, int id, std::int32_t& value)
{
    pDX->m_idLastControl = id;
    if (!pDX->m_bSaveAndValidate) {
        pDX->m_pDlgWnd->SetDlgItemText(id, QString::number(value));
        return;
    }
    // Leading and trailing blanks are allowed, nothing else but the number.
    bool ok = false;
    const qlonglong parsed = pDX->m_pDlgWnd->GetDlgItemText(id).trimmed().toLongLong(&ok, 10);
    if (!ok || parsed < INT32_MIN || parsed > INT32_MAX) {
        AfxMessageBox(LoadStr(61712), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = static_cast<std::int32_t>(parsed);
}

void DDX_Check(CDataExchange* pDX, int id, std::int32_t& value)
{
    pDX->m_idLastControl = id;
    if (pDX->m_bSaveAndValidate) {
        value = pDX->m_pDlgWnd->IsDlgButtonChecked(id);
    } else {
        pDX->m_pDlgWnd->CheckDlgButton(id, value);
    }
}

void DDX_Radio(CDataExchange* pDX, int id, std::int32_t& value)
{
    pDX->m_idLastControl = id;
    const DialogTemplate* t = pDX->m_pDlgWnd->Template();
    if (t == nullptr) return;
    // The group: the radio buttons from id up to the next control that starts
    // a group.
    std::vector<int> group;
    bool inGroup = false;
    for (const ControlTemplate* c : t->Controls()) {
        if (c->id == id) {
            inGroup = true;
        } else if (inGroup && c->group) {
            break;
        }
        if (inGroup && c->kind == u"radio") group.push_back(c->id);
    }
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (std::size_t i = 0; i < group.size(); ++i)
            if (pDX->m_pDlgWnd->IsDlgButtonChecked(group[i]) != 0) value = static_cast<std::int32_t>(i);
    } else {
        for (std::size_t i = 0; i < group.size(); ++i)
            pDX->m_pDlgWnd->CheckDlgButton(group[i], static_cast<std::int32_t>(i) == value ? 1 : 0);
    }
}

static void ExchangeIndex(CDataExchange* pDX, int id, std::int32_t& value)
{
    pDX->m_idLastControl = id;
    DialogSite* site = pDX->m_pDlgWnd->Site();
    if (site == nullptr) return;
    if (pDX->m_bSaveAndValidate) {
        value = site->GetCurSel(id);
    } else {
        site->SetCurSel(id, value);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, std::int32_t& value) { ExchangeIndex(pDX, id, value); }
void DDX_LBIndex(CDataExchange* pDX, int id, std::int32_t& value) { ExchangeIndex(pDX, id, value); }

void DDV_MaxChars(CDataExchange* pDX, const QString& value, int maxChars)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_idLastControl != 0) pDX->m_pDlgWnd->LimitText(pDX->m_idLastControl, maxChars);
        return;
    }
    if (value.size() > maxChars) {
        AfxMessageBox(FormatStr(61716, {QString::number(maxChars)}), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, std::int32_t value, std::int32_t minVal, std::int32_t maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    AfxMessageBox(FormatStr(61714, {QString::number(minVal), QString::number(maxVal)}), MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// ---------------------------------------------------------------------------
// CDialog

CDialog::CDialog(UINT templateId) : m_templateId(templateId), m_template(DialogTemplate::Load(templateId)) {}

CDialog::CDialog(std::shared_ptr<const DialogTemplate> dialogTemplate)
    : m_templateId(dialogTemplate ? dialogTemplate->id : 0), m_template(std::move(dialogTemplate))
{
}

CDialog::~CDialog()
{
    // A modeless window must not outlive the dialog whose logic it calls.
    if (m_modelessRunner != nullptr) DestroyWindow();
}

int CDialog::DoModal()
{
    if (g_runner == nullptr || !m_template) {
        std::fprintf(stderr, "kinetrace: dialog %u cannot be shown\n", m_templateId);
        return -1;
    }
    m_ended = false;
    m_result = -1;
    return g_runner->RunModal(*this);
}

bool CDialog::Create() { return Create(nullptr, true); }

bool CDialog::Create(CMDIChildWnd* parentFrame, bool visible)
{
    if (m_modelessRunner != nullptr) return true;
    m_pParentFrame = parentFrame;
    m_bVisibleOnCreate = visible;
    if (g_runner == nullptr || !m_template) return false;
    m_ended = false;
    m_result = -1;
    DialogRunner* runner = g_runner;
    if (!runner->CreateModeless(*this)) return false;
    m_modelessRunner = runner;
    return true;
}

void CDialog::DestroyWindow()
{
    DialogRunner* runner = m_modelessRunner;
    m_modelessRunner = nullptr;
    if (runner != nullptr) runner->DestroyModeless(*this);
}

void CDialog::UpdateWindow()
{
    if (m_site != nullptr) m_site->Refresh();
}

void CDialog::Attach(DialogSite* site)
{
    m_site = site;
    m_ended = false;
    m_result = -1;
}

void CDialog::Detach() { m_site = nullptr; }

void CDialog::On(int id, Notify what, Handler handler) { m_handlers[{id, what}] = std::move(handler); }

void CDialog::Dispatch(int id, Notify what)
{
    if (m_site == nullptr || m_ended) return;
    if (auto it = m_handlers.find({id, what}); it != m_handlers.end()) {
        // A copy: the handler may replace the map's entry while it runs.
        Handler handler = it->second;
        handler();
        return;
    }
    if (what != Notify::Clicked) return;
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

bool CDialog::QuerySelChange(int id)
{
    if (m_site == nullptr || m_ended) return false;
    auto it = m_selChanging.find(id);
    if (it == m_selChanging.end()) return true;
    const std::function<bool()> allow = it->second;
    return allow();
}

int CDialog::AdjustSpinDelta(int id, int pos, int delta)
{
    auto it = m_spinDelta.find(id);
    if (m_site == nullptr || it == m_spinDelta.end()) return delta;
    const std::function<int(int, int)> adjust = it->second;
    return adjust(pos, delta);
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (!UpdateData(true)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnTimer(UINT) {}
void CDialog::OnKeyDown(int) {}
void CDialog::OnMouseButtonDown(int) {}
void CDialog::DoDataExchange(CDataExchange*) {}
bool CDialog::OnToolTipNeedText(int, QString&) { return false; }
bool CDialog::OnCtlColor(int, COLORREF&) { return false; }

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailed&) {
        return false;
    }
    return true;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (m_site != nullptr) m_site->End(result);
}

QString CDialog::GetDlgItemText(int id) const { return m_site ? m_site->GetText(id) : QString(); }
void CDialog::SetDlgItemText(int id, const QString& text)
{
    if (m_site) m_site->SetText(id, text);
}

std::int32_t CDialog::GetDlgItemInt(int id, bool* ok, bool isSigned) const
{
    bool parsed = false;
    const qlonglong v = GetDlgItemText(id).trimmed().toLongLong(&parsed, 10);
    const bool inRange = isSigned ? (v >= INT32_MIN && v <= INT32_MAX) : (v >= 0 && v <= UINT32_MAX);
    if (ok != nullptr) *ok = parsed && inRange;
    return parsed && inRange ? static_cast<std::int32_t>(v) : 0;
}

void CDialog::SetDlgItemInt(int id, std::int32_t value, bool isSigned)
{
    SetDlgItemText(id, isSigned ? QString::number(value) : QString::number(static_cast<std::uint32_t>(value)));
}

void CDialog::CheckDlgButton(int id, int state)
{
    if (m_site) m_site->SetCheck(id, state);
}
int CDialog::IsDlgButtonChecked(int id) const { return m_site ? m_site->GetCheck(id) : 0; }

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId)
{
    if (!m_site) return;
    for (int id = firstId; id <= lastId; ++id)
        if (m_site->HasControl(id)) m_site->SetCheck(id, id == checkId ? 1 : 0);
}

int CDialog::GetCheckedRadioButton(int firstId, int lastId) const
{
    if (!m_site) return 0;
    for (int id = firstId; id <= lastId; ++id)
        if (m_site->HasControl(id) && m_site->GetCheck(id) != 0) return id;
    return 0;
}

void CDialog::EnableDlgItem(int id, bool enable)
{
    if (m_site) m_site->Enable(id, enable);
}
bool CDialog::IsDlgItemEnabled(int id) const { return m_site && m_site->IsEnabled(id); }
void CDialog::ShowDlgItem(int id, bool show)
{
    if (m_site) m_site->Show(id, show);
}
bool CDialog::IsDlgItemVisible(int id) const { return m_site && m_site->IsVisible(id); }
void CDialog::GotoDlgCtrl(int id)
{
    if (m_site) m_site->SetFocus(id);
}
int CDialog::GetFocusId() const { return m_site ? m_site->GetFocus() : 0; }
void CDialog::SetDefID(int id)
{
    if (m_site) m_site->SetDefaultButton(id);
}
int CDialog::GetDefID() const { return m_site ? m_site->GetDefaultButton() : 0; }
void CDialog::LimitText(int id, int maxChars)
{
    if (m_site) m_site->SetLimit(id, maxChars);
}
void CDialog::SetWindowText(const QString& caption)
{
    if (m_site) m_site->SetCaption(caption);
}
QString CDialog::GetWindowText() const { return m_site ? m_site->GetCaption() : QString(); }
void CDialog::ShowWindow(int showCommand)
{
    if (m_site) m_site->ShowWindow(showCommand);
}
bool CDialog::IsWindowVisible() const { return m_site && m_site->IsWindowVisible(); }
CRect CDialog::GetWindowRect() const { return m_site ? m_site->GetWindowRect() : CRect(); }
void CDialog::SetWindowPos(CPoint topLeft)
{
    if (m_site) m_site->MoveWindowTo(topLeft);
}
void CDialog::SetTimer(UINT timerId, UINT milliseconds)
{
    if (m_site) m_site->SetTimer(timerId, milliseconds);
}
void CDialog::KillTimer(UINT timerId)
{
    if (m_site) m_site->KillTimer(timerId);
}

void CDialog::EnableToolTips(bool enable)
{
    if (m_site) m_site->EnableToolTips(enable);
}

// A page the dialog has none of falls back to the dialog's own.
void CDialog::OpenHelp(UINT context) { AfxWinHelp(context, HID_BASE_RESOURCE + m_templateId); }

void CDialog::OnHelpInfo()
{
    if (m_site == nullptr || m_ended || m_template == nullptr) return;
    for (const ControlTemplate* c : m_template->Controls()) {
        QString caption = c->text;
        caption.remove(u'&');
        if (c->kind != u"button" || caption != u"Help") continue;
        if (m_handlers.count({c->id, Notify::Clicked}) != 0 && m_site->IsEnabled(c->id) && m_site->IsVisible(c->id)) {
            Dispatch(c->id, Notify::Clicked);
            return;
        }
    }
    OpenHelp(HID_BASE_RESOURCE + m_templateId);
}
