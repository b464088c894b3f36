#include "symbols/code/HOXCodeCompDlg.h"

#include "chart/ControllerType.h"
#include "params/HOXParam.h"
#include "symbols/code/HOXCodeComp.h"

CHOXCodeCompDlg::CHOXCodeCompDlg(CHOXCodeComp* symbol)
    : CHOXCodeDlg(symbol, kTemplate), m_setting(symbol->GetCompSetting())
{
    Connect();
}

CHOXCodeCompDlg::CHOXCodeCompDlg(const CHOXCompSetting& setting, bool centreAllowed, bool radiusAllowed, CHOXDoc* doc,
                                 bool fromCir)
    : CHOXCodeDlg(kTemplate, doc), m_setting(setting), m_bCombination(1), m_bRadiusAllowed(radiusAllowed ? 1 : 0),
      m_bCentreAllowed(centreAllowed ? 1 : 0), m_bFromCir(fromCir ? 1 : 0)
{
    Connect();
}

void CHOXCodeCompDlg::Connect()
{
    SetParameterDialog(&CHOXParam::EditUnits);
    OnClicked(kMovement, [this] { OnKindRadio(CHOXCompSetting::kMovc); });
    OnClicked(kRadius, [this] { OnKindRadio(CHOXCompSetting::kRadc); });
    OnClicked(kCentre, [this] { OnKindRadio(CHOXCompSetting::kCntc); });
    OnClicked(kCancel, [this] { OnKindRadio(CHOXCompSetting::kCanc); });
    OnClicked(kXBox, [this] { OnAxisBox(true); });
    OnClicked(kYBox, [this] { OnAxisBox(false); });
    OnClicked(kIBox, [this] { OnCentreBox(true); });
    OnClicked(kJBox, [this] { OnCentreBox(false); });
    OnClicked(kXButton, [this] { OnRegisterButton(m_strX, true); });
    OnClicked(kYButton, [this] { OnRegisterButton(m_strY, false); });
    OnClicked(kRButton, [this] { OnRegisterButton(m_strR, true); });
    OnClicked(kIButton, [this] { OnRegisterButton(m_strI, true); });
    OnClicked(kJButton, [this] { OnRegisterButton(m_strJ, false); });
}

void CHOXCodeCompDlg::AdjustForCombination(CHOXCompSetting& setting, bool radiusAllowed, bool centreAllowed,
                                           std::int32_t controllerType)
{
    if (setting.GetKind() != CHOXCompSetting::kCanc) {
        if (radiusAllowed) setting.SetKind(CHOXCompSetting::kRadc);
        if (centreAllowed) setting.SetKind(CHOXCompSetting::kCntc);
    }
    if (ctype::HasIndependentAxes(controllerType) && setting.IsOperand1Used() != 0 && setting.IsOperand2Used() != 0)
        setting.SetOperand2Used(0);
    if (ctype::IsOneAxis(controllerType)) setting.SetOperand2Used(0);
}

void CHOXCodeCompDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    DDX_Radio(pDX, kMovement, m_nKind);
    DDX_Text(pDX, kI, m_strI);
    DDX_Text(pDX, kJ, m_strJ);
    DDX_Text(pDX, kX, m_strX);
    DDX_Text(pDX, kY, m_strY);
    DDX_Text(pDX, kR, m_strR);
}

bool CHOXCodeCompDlg::OnInitDialog()
{
    CHOXCodeDlg::OnInitDialog();
    const std::int32_t type = ControllerType();
    if (m_bCombination != 0) {
        // The combination's owner keeps comment, display and M code.
        EnableAll({kComment, kDisplayComment, m_mcodeControls.displayContents, kParameters, m_mcodeControls.modeBox,
                   kMcode, m_mcodeControls.spin},
                  false);
        AdjustForCombination(m_setting, m_bRadiusAllowed != 0, m_bCentreAllowed != 0, type);
    } else {
        if (ctype::MovesOneAxisAtATime(type)) m_bRadiusAllowed = m_bCentreAllowed = 0;
        if (ctype::IsOneAxis(type)) m_setting.SetOperand2Used(0);
    }
    m_bOneAxis = ctype::IsOneAxis(type) ? 1 : 0;

    EnableDlgItem(kMovement, m_bFromCir == 0);
    EnableDlgItem(kRadius, m_bRadiusAllowed != 0);
    EnableDlgItem(kCentre, m_bCentreAllowed != 0);
    EnableDlgItem(kCancel, true);

    m_nKind = m_setting.GetKind();
    switch (m_nKind) {
    case CHOXCompSetting::kMovc:
        m_strX = m_setting.GetOperand1Text();
        m_strY = m_setting.GetOperand2Text();
        break;
    case CHOXCompSetting::kRadc: m_strR = m_setting.GetOperand1Text(); break;
    case CHOXCompSetting::kCntc:
        m_strI = m_setting.GetOperand1Text();
        m_strJ = m_setting.GetOperand2Text();
        break;
    default: break;
    }
    CheckDlgButton(kXBox, m_nKind == CHOXCompSetting::kMovc ? m_setting.IsOperand1Used() : 0);
    CheckDlgButton(kYBox, m_nKind == CHOXCompSetting::kMovc ? m_setting.IsOperand2Used() : 0);
    CheckDlgButton(kIBox, m_nKind == CHOXCompSetting::kCntc ? m_setting.IsOperand1Used() : 0);
    CheckDlgButton(kJBox, m_nKind == CHOXCompSetting::kCntc ? m_setting.IsOperand2Used() : 0);
    for (int kind : {CHOXCompSetting::kMovc, CHOXCompSetting::kRadc, CHOXCompSetting::kCntc})
        EnableGroup(kind, kind == m_nKind);
    UpdateData(false);
    return true;
}

void CHOXCodeCompDlg::EnableGroup(int kind, bool enable)
{
    const bool first = enable && m_setting.IsOperand1Used() != 0;
    const bool second = enable && m_setting.IsOperand2Used() != 0;
    switch (kind) {
    case CHOXCompSetting::kMovc:
        // Without centre or radius correction the kind's own radio went with
        // its group; movement correction is refused to a CIR alone.
        EnableAll({kXBox}, enable && m_bFromCir == 0);
        EnableAll({kX, kXButton}, first && m_bFromCir == 0);
        EnableAll({kYBox}, enable && m_bFromCir == 0 && m_bOneAxis == 0);
        EnableAll({kY, kYButton}, second && m_bFromCir == 0 && m_bOneAxis == 0);
        break;
    case CHOXCompSetting::kRadc: EnableAll({kR, kRButton}, enable && m_bRadiusAllowed != 0); break;
    case CHOXCompSetting::kCntc:
        EnableAll({kIBox, kJBox}, enable && m_bCentreAllowed != 0);
        EnableAll({kI, kIButton}, first && m_bCentreAllowed != 0);
        EnableAll({kJ, kJButton}, second && m_bCentreAllowed != 0);
        break;
    default: break;
    }
}

void CHOXCodeCompDlg::OnKindRadio(int kind)
{
    // The new group starts at "0"; only its fields are shown anew, so that
    // the comment and M code typed so far stay.
    const QString zero = QStringLiteral("0");
    auto show = [this, &zero](int id, QString& text) {
        text = zero;
        SetDlgItemText(id, text);
    };
    switch (kind) {
    case CHOXCompSetting::kMovc:
        m_setting.SetOperand1Used(IsDlgButtonChecked(kXBox) != 0 ? 1 : 0);
        m_setting.SetOperand2Used(IsDlgButtonChecked(kYBox) != 0 ? 1 : 0);
        show(kX, m_strX);
        show(kY, m_strY);
        break;
    case CHOXCompSetting::kRadc: show(kR, m_strR); break;
    case CHOXCompSetting::kCntc:
        m_setting.SetOperand1Used(IsDlgButtonChecked(kIBox) != 0 ? 1 : 0);
        m_setting.SetOperand2Used(IsDlgButtonChecked(kJBox) != 0 ? 1 : 0);
        show(kI, m_strI);
        show(kJ, m_strJ);
        break;
    default: break;
    }
    for (int group : {CHOXCompSetting::kMovc, CHOXCompSetting::kRadc, CHOXCompSetting::kCntc})
        EnableGroup(group, group == kind);
    m_nKind = kind;
}

void CHOXCodeCompDlg::OnAxisBox(bool first)
{
    const std::int32_t used = IsDlgButtonChecked(first ? kXBox : kYBox) != 0 ? 1 : 0;
    if (first) {
        m_setting.SetOperand1Used(used);
    } else {
        m_setting.SetOperand2Used(used);
    }
    EnableAll({first ? kX : kY, first ? kXButton : kYButton}, used != 0);
    if (!ctype::HasIndependentAxes(ControllerType())) return;
    // Axes driven one at a time correct one axis at a time.
    if (first) {
        m_setting.SetOperand2Used(0);
    } else {
        m_setting.SetOperand1Used(0);
    }
    CheckDlgButton(first ? kYBox : kXBox, 0);
    EnableAll({first ? kY : kX, first ? kYButton : kXButton}, false);
}

void CHOXCodeCompDlg::OnCentreBox(bool first)
{
    const std::int32_t used = IsDlgButtonChecked(first ? kIBox : kJBox) != 0 ? 1 : 0;
    if (first) {
        m_setting.SetOperand1Used(used);
    } else {
        m_setting.SetOperand2Used(used);
    }
    EnableAll({first ? kI : kJ, first ? kIButton : kJButton}, used != 0);
}

void CHOXCodeCompDlg::OnRegisterButton(QString& text, bool first)
{
    CHOXDataReg operand = first ? m_setting.GetOperand1() : m_setting.GetOperand2();
    ChooseRegister(text, operand);
    if (first) {
        m_setting.SetOperand1(operand);
    } else {
        m_setting.SetOperand2(operand);
    }
}

bool CHOXCodeCompDlg::CheckField(int id, const QString& text, bool first, UINT message)
{
    CHOXDataReg operand = first ? m_setting.GetOperand1() : m_setting.GetOperand2();
    const bool ok = CheckOperand(id, text, operand, message, true);
    if (first) {
        m_setting.SetOperand1(operand);
    } else {
        m_setting.SetOperand2(operand);
    }
    return ok;
}

bool CHOXCodeCompDlg::CheckAfterMcode()
{
    if (m_nKind >= CHOXCompSetting::kMovc && m_nKind <= CHOXCompSetting::kCanc)
        m_setting.SetKind(static_cast<BYTE>(m_nKind));
    const BYTE kind = m_setting.GetKind();
    const bool first = m_setting.IsOperand1Used() != 0;
    const bool second = m_setting.IsOperand2Used() != 0;
    if ((kind == CHOXCompSetting::kMovc || kind == CHOXCompSetting::kCntc) && !first && !second) {
        AfxMessageBox(kMsgSelectOperand, MB_OK | MB_ICONHAND);
        return false;
    }
    // A field not in use is not read; its operand keeps its value.
    auto check = [this](int id, QString& text, bool used, bool isFirst, UINT message) {
        if (!used) {
            text = QStringLiteral("0");
            return true;
        }
        return CheckField(id, text, isFirst, message);
    };
    switch (kind) {
    case CHOXCompSetting::kCntc:
        return check(kI, m_strI, first, true, kMsgI) && check(kJ, m_strJ, second, false, kMsgJ);
    case CHOXCompSetting::kRadc: return CheckField(kR, m_strR, true, kMsgR);
    case CHOXCompSetting::kMovc:
        return check(kX, m_strX, first, true, kMsgX) && check(kY, m_strY, second, false, kMsgY);
    default: return true;
    }
}
