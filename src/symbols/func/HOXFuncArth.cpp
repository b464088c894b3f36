#include "symbols/func/HOXFuncArth.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncArthDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncArth, CHOXFuncSymbol, 0)
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

CHOXFuncArth::CHOXFuncArth() : CHOXFuncSymbol("ARITHMETIC") { UpdateText(); }

CHOXFuncArth::CHOXFuncArth(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncSymbol("ARITHMETIC", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncArth::Serialize(CArchive& ar)
{
    CHOXFuncSymbol::Serialize(ar);
    m_source1.Serialize(ar);
    m_source2.Serialize(ar);
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
    const QString first = m_source1.GetText();
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
        m_strLabel = m_destination.GetText() + QStringLiteral("=") + first + sign(signs[m_nKind]) + m_source2.GetText();
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
    return Statement(mnemonic, {m_source1.GetText(), m_source2.GetText(), m_destination.GetText()});
}

int CHOXFuncArth::GetErrorState() { return OperandErrorState(m_source1, {&m_source1, &m_source2, &m_destination}); }

void CHOXFuncArth::CalcSteps()
{
    if (InMonitorWindow()) return;
    const bool is32Bit = m_n32Bit != 0;
    if (m_nKind >= kAdd && m_nKind <= kDiv) {
        m_nSteps = 2 + OperandWeight(m_source1, is32Bit) + OperandWeight(m_source2, is32Bit) +
                   OperandWeight(m_destination, is32Bit);
    } else if (IsInPlace()) {
        m_nSteps = 2 + OperandWeight(m_source1, is32Bit);
    } else {
        m_nSteps = 0;
    }
}

void CHOXFuncArth::SetFromInstruction(QString name, QString source1, QString source2, QString destination)
{
    ParseOperand(m_source1, source1);
    ParseOperand(m_source2, source2);
    ParseOperand(m_destination, destination);
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

void CHOXFuncArth::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncArthDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeComment(dlg);
    m_nKind = dlg.GetKind();
    m_source1 = dlg.GetOperand(0);
    m_source2 = dlg.GetOperand(1);
    m_destination = dlg.GetOperand(2);
    m_n32Bit = dlg.Get32Bit();
    SetCaptionForKind();
    CalcSteps();
    UpdateText();
    FinishEdit();
}
