#include "symbols/func/HOXFuncBcdBin.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncBcdBinDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncBcdBin, CHOXFuncWordSymbol, 0)
namespace {
constexpr KindIcon kFuncBcdBinIcons[] = {{"BCD - BIN", 4043}, {"BIN - BCD", 4050}};
} // namespace
KT_REGISTER_KIND(CHOXFuncBcdBin, .type = objtype::kFuncBcdBin, .tool = ID_TOOL_FUNC_BCDBIN, .paletteName = "BIN - BCD",
                 .helpContext = 0x10080, .icons = kFuncBcdBinIcons, .maker = &MakeObjectOf<CHOXFuncBcdBin>)

CHOXFuncBcdBin::CHOXFuncBcdBin() : CHOXFuncWordSymbol("BIN - BCD", 2, kBcd) { UpdateText(); }

CHOXFuncBcdBin::CHOXFuncBcdBin(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncWordSymbol("BIN - BCD", 2, kBcd, topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncBcdBin::SetCaptionForKind() { SetCaption(m_nKind != kBin ? "BIN - BCD" : "BCD - BIN"); }

void CHOXFuncBcdBin::UpdateText() { m_strLabel = Operand(0).GetText() + QStringLiteral("\n") + Operand(1).GetText(); }

QString CHOXFuncBcdBin::GetCode()
{
    const bool bcd = m_nKind != kBin;
    const UINT mnemonic = m_n32Bit != 0 ? (bcd ? 13135 : 13137) : (bcd ? 13072 : 13073);
    return Statement(mnemonic, {Operand(0).GetText(), Operand(1).GetText()});
}

int CHOXFuncBcdBin::GetErrorState() { return OperandErrorState(Operand(0), {&Operand(0), &Operand(1)}); }

void CHOXFuncBcdBin::CalcSteps()
{
    if (InMonitorWindow()) return;
    m_nSteps = 2 + OperandWeight(Operand(0), m_n32Bit != 0) + OperandWeight(Operand(1), m_n32Bit != 0);
}

void CHOXFuncBcdBin::SetFromInstruction(QString name, QString source, QString destination)
{
    ParseOperand(Operand(0), source);
    ParseOperand(Operand(1), destination);
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

void CHOXFuncBcdBin::OnOpen(UINT, CPoint) { OpenDialog<CHOXFuncBcdBinDlg>(this); }
