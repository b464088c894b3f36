#include "symbols/func/HOXFuncArth.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncArthDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncArth, CHOXFuncWordSymbol, 0)
namespace {
constexpr KindIcon kFuncArthIcons[] = {{"ARITHMETIC", 4042}, {"SUBTRACT", 4059},  {"MULTIPLY", 4055},
                                       {"DIVISION", 4052},   {"INCREMENT", 4053}, {"DECREMENT", 4051},
                                       {"COMPLEMENT", 4063}};
} // namespace
KT_REGISTER_KIND(CHOXFuncArth, .type = objtype::kFuncArth, .tool = ID_TOOL_FUNC_ARTH, .paletteName = "ARITHMETIC",
                 .helpContext = 0x10081, .icons = kFuncArthIcons, .maker = &MakeObjectOf<CHOXFuncArth>)

namespace {
constexpr UINT k16BitMnemonics[] = {13074, 13075, 13076, 13077, 13078, 13079, 13083};
constexpr UINT k32BitMnemonics[] = {13138, 13139, 13140, 13141, 13142, 13143, 13147};
} // namespace

CHOXFuncArth::CHOXFuncArth() : CHOXFuncWordSymbol("ARITHMETIC", 3, kAdd) { UpdateText(); }

CHOXFuncArth::CHOXFuncArth(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncWordSymbol("ARITHMETIC", 3, kAdd, topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncArth::SetCaptionForKind()
{
    switch (m_nKind) {
    case kAdd: SetCaption("ARITHMETIC"); break;
    case kSub: SetCaption("SUBTRACT"); break;
    case kMul: SetCaption("MULTIPLY"); break;
    case kDiv: SetCaption("DIVISION"); break;
    case kInc: SetCaption("INCREMENT"); break;
    case kDec: SetCaption("DECREMENT"); break;
    default: SetCaption("COMPLEMENT"); break;
    }
}

void CHOXFuncArth::UpdateText()
{
    const QString first = Operand(0).GetText();
    if (first.isEmpty()) {
        m_strLabel.clear();
        return;
    }
    const auto sign = [](const char* text) { return QString::fromLatin1(text); };
    switch (m_nKind) {
    case kAdd:
    case kSub:
    case kMul:
    case kDiv: {
        const char* signs[] = {"+", "-", "x", "/"};
        m_strLabel = Operand(2).GetText() + QStringLiteral("=") + first + sign(signs[m_nKind]) + Operand(1).GetText();
        break;
    }
    case kInc: m_strLabel = first + QStringLiteral("=") + sign(" ++") + first; break;
    case kDec: m_strLabel = first + QStringLiteral("=") + sign("  --") + first; break;
    default: m_strLabel = first + QStringLiteral("=") + sign("-") + first; break;
    }
}

QString CHOXFuncArth::GetCode()
{
    if (m_nKind < kAdd || m_nKind > kNeg) return QString();
    const auto index = static_cast<std::size_t>(m_nKind);
    const UINT mnemonic = m_n32Bit != 0 ? k32BitMnemonics[index] : k16BitMnemonics[index];
    return Statement(mnemonic, {Operand(0).GetText(), Operand(1).GetText(), Operand(2).GetText()});
}

int CHOXFuncArth::GetErrorState() { return OperandErrorState(Operand(0), {&Operand(0), &Operand(1), &Operand(2)}); }

void CHOXFuncArth::CalcSteps()
{
    if (InMonitorWindow()) return;
    const bool is32Bit = m_n32Bit != 0;
    if (m_nKind >= kAdd && m_nKind <= kDiv) {
        m_nSteps = 2 + OperandWeight(Operand(0), is32Bit) + OperandWeight(Operand(1), is32Bit) +
                   OperandWeight(Operand(2), is32Bit);
    } else if (IsInPlace()) {
        m_nSteps = 2 + OperandWeight(Operand(0), is32Bit);
    } else {
        m_nSteps = 0;
    }
}

void CHOXFuncArth::SetFromInstruction(QString name, QString source1, QString source2, QString destination)
{
    ParseOperand(Operand(0), source1);
    ParseOperand(Operand(1), source2);
    ParseOperand(Operand(2), destination);
    // DEC and DIV begin with the D that marks the 32-bit names: theirs is
    // the second "D" ("DDEC", "DDIV").
    const bool dName = name == QStringLiteral("DEC") || name == QStringLiteral("DIV") ||
                       name == QStringLiteral("DDEC") || name == QStringLiteral("DDIV");
    const bool is32Bit = dName ? name.mid(1, 1) == QStringLiteral("D") : name.startsWith(u'D');
    m_n32Bit = is32Bit ? 1 : 0;
    if (is32Bit) name = name.mid(1);
    const char* names[] = {"ADD", "SUB", "MUL", "DIV", "INC", "DEC"};
    m_nKind = kNeg;
    for (std::int32_t kind = kAdd; kind <= kDec; ++kind)
        if (name == QLatin1String(names[kind])) m_nKind = kind;
    SetCaptionForKind();
    UpdateText();
    CalcSteps();
}

void CHOXFuncArth::OnOpen(UINT, CPoint) { OpenDialog<CHOXFuncArthDlg>(this); }
