#include "symbols/func/HOXFuncBcdBin.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncBcdBinDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncBcdBin, CHOXFuncSymbol, 0)
namespace {
constexpr KindIcon kFuncBcdBinIcons[] = {{"BCD - BIN", 4043}, {"BIN - BCD", 4050}};
} // namespace
KT_REGISTER_KIND(CHOXFuncBcdBin, .type = objtype::kFuncBcdBin, .tool = ID_TOOL_FUNC_BCDBIN, .paletteName = "BIN - BCD",
                 .helpContext = 0x10080, .icons = kFuncBcdBinIcons, .maker = &MakeObjectOf<CHOXFuncBcdBin>)

CHOXFuncBcdBin::CHOXFuncBcdBin() : CHOXFuncSymbol("BIN - BCD") { UpdateText(); }

CHOXFuncBcdBin::CHOXFuncBcdBin(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncSymbol("BIN - BCD", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncBcdBin::Serialize(CArchive& ar)
{
    CHOXFuncSymbol::Serialize(ar);
    m_source.Serialize(ar);
    m_destination.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nKind << m_n32Bit;
        return;
    }
    std::int32_t kind = 0;
    std::int32_t is32Bit = 0;
    ar >> kind >> is32Bit;
    m_nKind = kind;
    m_n32Bit = is32Bit;
}

void CHOXFuncBcdBin::SetCaptionForKind() { SetCaption(m_nKind != kBin ? "BIN - BCD" : "BCD - BIN"); }

void CHOXFuncBcdBin::UpdateText() { m_strLabel = m_source.GetText() + QStringLiteral("\n") + m_destination.GetText(); }

QString CHOXFuncBcdBin::GetCode()
{
    const bool bcd = m_nKind != kBin;
    const UINT mnemonic = m_n32Bit != 0 ? (bcd ? 13135 : 13137) : (bcd ? 13072 : 13073);
    return Statement(mnemonic, {m_source.GetText(), m_destination.GetText()});
}

int CHOXFuncBcdBin::GetErrorState() { return OperandErrorState(m_source, {&m_source, &m_destination}); }

void CHOXFuncBcdBin::CalcSteps()
{
    if (InMonitorWindow()) return;
    m_nSteps = 2 + OperandWeight(m_source, m_n32Bit != 0) + OperandWeight(m_destination, m_n32Bit != 0);
}

void CHOXFuncBcdBin::SetFromInstruction(QString name, QString source, QString destination)
{
    ParseOperand(m_source, source);
    ParseOperand(m_destination, destination);
    if (name.startsWith(u'D')) {
        m_n32Bit = 1;
        name = name.mid(1);
    } else {
        m_n32Bit = 0;
    }
    if (name == QStringLiteral("BCD")) {
        m_nKind = kBcd;
        SetCaptionForKind();
    } else if (name == QStringLiteral("BIN")) {
        m_nKind = kBin;
        SetCaptionForKind();
    }
    UpdateText();
    CalcSteps();
}

void CHOXFuncBcdBin::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncBcdBinDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeComment(dlg);
    m_nKind = dlg.GetKind();
    m_source = dlg.GetOperand(0);
    m_destination = dlg.GetOperand(1);
    m_n32Bit = dlg.Get32Bit();
    SetCaptionForKind();
    CalcSteps();
    UpdateText();
    FinishEdit();
}
