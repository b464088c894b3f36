#include "symbols/flow/HOXFlowStartDlg.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "params/HOXParam.h"
#include "symbols/flow/HOXFlowStart.h"

CHOXFlowStartDlg::CHOXFlowStartDlg(CHOXFlowStart* symbol) : CHOXFlowSymbolDlg(symbol, kTemplate)
{
    m_nControllerType = ControllerType();
    m_bSubtask = InSubtaskWindow();
    if (symbol != nullptr) {
        m_bDisplayContents = symbol->GetDisplayContents();
        // The number the START holds, -1 for none: a 0 shown for none is a
        // number the user chose.
        m_nNumberAtOpening = symbol->GetProgramNumber();
        m_nProgramNumber = m_nNumberAtOpening == -1 ? 0 : m_nNumberAtOpening;
        m_nAxis = symbol->GetAxis();
        m_nAxisAtOpening = m_nAxis;
        m_nState = symbol->GetState();
    }
    OnClicked(kXAxis, [this] { OnAxis(axis::kX); });
    OnClicked(kYAxis, [this] { OnAxis(axis::kY); });
    OnClicked(kParameters, [this] { OnParameters(); });
}

void CHOXFlowStartDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowSymbolDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kDisplayContents, m_bDisplayContents);
    std::int32_t axis = m_nAxis;
    DDX_Radio(pDX, kXAxis, axis);
    // With neither button chosen (both axes) the axis stays as it was.
    if (pDX->m_bSaveAndValidate && axis != -1) m_nAxis = axis;
    DDX_Text(pDX, kNumber, m_nProgramNumber);
}

bool CHOXFlowStartDlg::OnInitDialog()
{
    QString prefix = QStringLiteral("O");
    if (!m_bSubtask) {
        if (ctype::IsOneAxis(m_nControllerType)) m_nAxis = axis::kX;
        CHOXFlowSymbolDlg::OnInitDialog();
        Site()->SetPos(kSpin, m_nProgramNumber);
        if (ctype::IsOneAxis(m_nControllerType)) {
            prefix = QStringLiteral("Ox");
            EnableDlgItem(kYAxis, false);
        } else if (ctype::IsInterpolated(m_nControllerType)) {
            EnableDlgItem(kXAxis, false);
            EnableDlgItem(kYAxis, false);
        } else {
            prefix = m_nAxis == axis::kY ? QStringLiteral("Oy") : QStringLiteral("Ox");
        }
        Site()->SetRange(kSpin, 0, 99);
    } else {
        CHOXFlowSymbolDlg::OnInitDialog();
        EnableDlgItem(kXAxis, false);
        EnableDlgItem(kYAxis, false);
        EnableDlgItem(kSpin, false);
        EnableDlgItem(kNumber, false);
        Site()->SetPos(kSpin, kSubtaskProgramNumber);
    }
    SetDlgItemText(kPrefix, prefix);
    return true;
}

void CHOXFlowStartDlg::OnAxis(std::int32_t axis)
{
    SetDlgItemText(kPrefix, axis == axis::kY ? QStringLiteral("Oy") : QStringLiteral("Ox"));
    // The spin writes its position into the number.
    Site()->SetPos(kSpin, 0);
    SetDlgItemInt(kNumber, 0);
}

void CHOXFlowStartDlg::OnParameters()
{
    if (CHOXDoc* doc = GetDocument()) doc->GetParam().EditProgramNumber();
}

void CHOXFlowStartDlg::OnOK()
{
    if (!UpdateData(true)) return;
    if (m_bSubtask) {
        m_nProgramNumber = kSubtaskProgramNumber;
        m_nAxis = m_nAxisAtOpening;
        EndDialog(IDOK);
        return;
    }
    if (ctype::IsInterpolated(m_nControllerType)) m_nAxis = axis::kBoth;
    if (m_nProgramNumber < 0 || m_nProgramNumber > 99) {
        Refuse(kNumber, 13231);
        return;
    }
    const bool unchanged = m_nProgramNumber == m_nNumberAtOpening && m_nAxis == m_nAxisAtOpening;
    if (unchanged && m_nState != 2) {
        EndDialog(IDOK);
        return;
    }
    CHOXDoc* doc = GetDocument();
    if (doc != nullptr && doc->IsProgramNumberUsed(m_nAxis, m_nProgramNumber)) {
        Refuse(kNumber, 13232);
        return;
    }
    EndDialog(IDOK);
}
