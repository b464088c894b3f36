#include "symbols/func/HOXFuncLogical.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncLogicalDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncLogical, CHOXFuncSymbol, 0)
namespace {
constexpr KindIcon kFuncLogicalIcons[] = {{"LOGICAL", 4045}, {"LOGICAL WOR", 4060}, {"LOGICAL WXOR", 4061}};
} // namespace
KT_REGISTER_KIND(CHOXFuncLogical, .type = objtype::kFuncLogical, .tool = ID_TOOL_FUNC_LOGICAL, .paletteName = "LOGICAL",
                 .helpContext = 0x10082, .icons = kFuncLogicalIcons, .maker = &MakeObjectOf<CHOXFuncLogical>)

CHOXFuncLogical::CHOXFuncLogical() : CHOXFuncSymbol("LOGICAL") { UpdateText(); }

CHOXFuncLogical::CHOXFuncLogical(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncSymbol("LOGICAL", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncLogical::Serialize(CArchive& ar)
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
    m_strLabel = m_destination.GetText() + QStringLiteral("=") + m_source1.GetText() + word + m_source2.GetText();
}

QString CHOXFuncLogical::GetCode()
{
    if (!IsKnownKind()) return QString();
    const UINT mnemonic = static_cast<UINT>((m_n32Bit != 0 ? 13144 : 13080) + m_nKind);
    return Statement(mnemonic, {m_source1.GetText(), m_source2.GetText(), m_destination.GetText()});
}

int CHOXFuncLogical::GetErrorState() { return OperandErrorState(m_source1, {&m_source1, &m_source2, &m_destination}); }

void CHOXFuncLogical::CalcSteps()
{
    if (InMonitorWindow()) return;
    const bool is32Bit = m_n32Bit != 0;
    m_nSteps = IsKnownKind() ? 2 + OperandWeight(m_source1, is32Bit) + OperandWeight(m_source2, is32Bit) +
                                   OperandWeight(m_destination, is32Bit)
                             : 0;
}

void CHOXFuncLogical::SetFromInstruction(QString name, QString source1, QString source2, QString destination)
{
    ParseOperand(m_source1, source1);
    ParseOperand(m_source2, source2);
    ParseOperand(m_destination, destination);
    m_n32Bit = name.startsWith(u'D') ? 1 : 0;
    const QString rest = name.mid(1);
    for (std::int32_t kind = kWand; kind <= kWxor; ++kind)
        if (rest == LoadStr(13559 + static_cast<UINT>(kind))) m_nKind = kind;
    SetCaptionForKind();
    UpdateText();
    CalcSteps();
}

void CHOXFuncLogical::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncLogicalDlg dlg(this);
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
