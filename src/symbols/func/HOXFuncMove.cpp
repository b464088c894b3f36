#include "symbols/func/HOXFuncMove.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncMoveDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncMove, CHOXFuncWordSymbol, 0)
namespace {
constexpr KindIcon kFuncMoveIcons[] = {{"MOVE", 4046}, {"MAGNIFICATION MOVE", 4054}, {"REDUCTION MOVE", 4056}};
} // namespace
KT_REGISTER_KIND(CHOXFuncMove, .type = objtype::kFuncMove, .tool = ID_TOOL_FUNC_MOVE, .paletteName = "MOVE",
                 .helpContext = 0x1007F, .icons = kFuncMoveIcons, .maker = &MakeObjectOf<CHOXFuncMove>)

CHOXFuncMove::CHOXFuncMove() : CHOXFuncWordSymbol("MOVE", 2, kMov) { UpdateText(); }

CHOXFuncMove::CHOXFuncMove(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncWordSymbol("MOVE", 2, kMov, topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncMove::SetCaptionForKind()
{
    switch (m_nKind) {
    case kMov: SetCaption("MOVE"); break;
    case kMmov: SetCaption("MAGNIFICATION MOVE"); break;
    default: SetCaption("REDUCTION MOVE"); break;
    }
}

void CHOXFuncMove::UpdateText() { m_strLabel = Operand(0).GetText() + QStringLiteral("\n") + Operand(1).GetText(); }

QString CHOXFuncMove::GetCode()
{
    UINT mnemonic = 0;
    switch (m_nKind) {
    case kMov: mnemonic = m_n32Bit != 0 ? 13136 : 13069; break;
    case kMmov: mnemonic = 13070; break;
    case kRmov: mnemonic = 13071; break;
    default: return QString();
    }
    return Statement(mnemonic, {Operand(0).GetText(), Operand(1).GetText()});
}

int CHOXFuncMove::GetErrorState() { return OperandErrorState(Operand(0), {&Operand(0), &Operand(1)}); }

void CHOXFuncMove::CalcSteps()
{
    if (InMonitorWindow()) return;
    switch (m_nKind) {
    case kMov:
        m_nSteps = 2 + OperandWeight(Operand(0), m_n32Bit != 0) + OperandWeight(Operand(1), m_n32Bit != 0);
        break;
    case kMmov: m_nSteps = 2 + OperandWeight(Operand(0), false) + OperandWeight(Operand(1), true); break;
    case kRmov: m_nSteps = 2 + OperandWeight(Operand(0), true) + OperandWeight(Operand(1), false); break;
    default: m_nSteps = 0; break;
    }
}

void CHOXFuncMove::SetFromInstruction(QString name, QString source, QString destination)
{
    if (name == QStringLiteral("MOV") || name == QStringLiteral("DMOV")) {
        m_n32Bit = name == QStringLiteral("DMOV") ? 1 : 0;
        m_nKind = kMov;
    } else {
        // The width of MMOV and RMOV lies in the instruction itself.
        m_nKind = name == QStringLiteral("MMOV") ? kMmov : kRmov;
    }
    ParseOperand(Operand(0), source);
    ParseOperand(Operand(1), destination);
    SetCaptionForKind();
    UpdateText();
    CalcSteps();
}

void CHOXFuncMove::OnOpen(UINT, CPoint) { OpenDialog<CHOXFuncMoveDlg>(this); }
