#include "symbols/func/HOXFuncLogical.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncLogicalDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncLogical, CHOXFuncWordSymbol, 0)
namespace {
constexpr KindIcon kFuncLogicalIcons[] = {{"LOGICAL", 4045}, {"LOGICAL WOR", 4060}, {"LOGICAL WXOR", 4061}};
} // namespace
KT_REGISTER_KIND(CHOXFuncLogical, .type = objtype::kFuncLogical, .tool = ID_TOOL_FUNC_LOGICAL, .paletteName = "LOGICAL",
                 .helpContext = 0x10082, .icons = kFuncLogicalIcons, .maker = &MakeObjectOf<CHOXFuncLogical>)

CHOXFuncLogical::CHOXFuncLogical() : CHOXFuncWordSymbol("LOGICAL", 3, kWand) { UpdateText(); }

CHOXFuncLogical::CHOXFuncLogical(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncWordSymbol("LOGICAL", 3, kWand, topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncLogical::SetCaptionForKind()
{
    switch (m_nKind) {
    case kWand: SetCaption("LOGICAL"); break;
    case kWor: SetCaption("LOGICAL WOR"); break;
    case kWxor: SetCaption("LOGICAL WXOR"); break;
    default: break;
    }
}

void CHOXFuncLogical::UpdateText()
{
    const char* words[] = {" WAND ", " WOR ", " WXOR "};
    const QString word = IsKnownKind() ? QString::fromLatin1(words[m_nKind]) : QString();
    m_strLabel = Operand(2).GetText() + QStringLiteral("=") + Operand(0).GetText() + word + Operand(1).GetText();
}

QString CHOXFuncLogical::GetCode()
{
    if (!IsKnownKind()) return QString();
    const UINT mnemonic = static_cast<UINT>((m_n32Bit != 0 ? 13144 : 13080) + m_nKind);
    return Statement(mnemonic, {Operand(0).GetText(), Operand(1).GetText(), Operand(2).GetText()});
}

int CHOXFuncLogical::GetErrorState() { return OperandErrorState(Operand(0), {&Operand(0), &Operand(1), &Operand(2)}); }

void CHOXFuncLogical::CalcSteps()
{
    if (InMonitorWindow()) return;
    const bool is32Bit = m_n32Bit != 0;
    m_nSteps = IsKnownKind() ? 2 + OperandWeight(Operand(0), is32Bit) + OperandWeight(Operand(1), is32Bit) +
                                   OperandWeight(Operand(2), is32Bit)
                             : 0;
}

void CHOXFuncLogical::SetFromInstruction(QString name, QString source1, QString source2, QString destination)
{
    ParseOperand(Operand(0), source1);
    ParseOperand(Operand(1), source2);
    ParseOperand(Operand(2), destination);
    m_n32Bit = name.startsWith(u'D') ? 1 : 0;
    const QString rest = name.mid(1);
    for (std::int32_t kind = kWand; kind <= kWxor; ++kind)
        if (rest == LoadStr(13559 + static_cast<UINT>(kind))) m_nKind = kind;
    SetCaptionForKind();
    UpdateText();
    CalcSteps();
}

void CHOXFuncLogical::OnOpen(UINT, CPoint) { OpenDialog<CHOXFuncLogicalDlg>(this); }
