#include "symbols/func/HOXFuncMove.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncMoveDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncMove, CHOXFuncSymbol, 0)
namespace {
constexpr KindIcon kFuncMoveIcons[] = {{"MOVE", 4046}, {"MAGNIFICATION MOVE", 4054}, {"REDUCTION MOVE", 4056}};
} // namespace
KT_REGISTER_KIND(CHOXFuncMove, .type = objtype::kFuncMove, .tool = ID_TOOL_FUNC_MOVE, .paletteName = "MOVE",
                 .helpContext = 0x1007F, .icons = kFuncMoveIcons, .maker = &MakeObjectOf<CHOXFuncMove>)

CHOXFuncMove::CHOXFuncMove() : CHOXFuncSymbol("MOVE") { UpdateText(); }

CHOXFuncMove::CHOXFuncMove(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncSymbol("MOVE", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncMove::Serialize(CArchive& ar)
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

void CHOXFuncMove::SetCaptionForKind()
{
    switch (m_nKind) {
    case kMov: SetCaption("MOVE"); break;
    case kMmov: SetCaption("MAGNIFICATION MOVE"); break;
    default: SetCaption("REDUCTION MOVE"); break;
    }
}

void CHOXFuncMove::UpdateText() { m_strLabel = m_source.GetText() + QStringLiteral("\n") + m_destination.GetText(); }

QString CHOXFuncMove::GetCode()
{
    UINT mnemonic = 0;
    switch (m_nKind) {
    case kMov: mnemonic = m_n32Bit != 0 ? 13136 : 13069; break;
    case kMmov: mnemonic = 13070; break;
    case kRmov: mnemonic = 13071; break;
    default: return QString();
    }
    return Statement(mnemonic, {m_source.GetText(), m_destination.GetText()});
}

int CHOXFuncMove::GetErrorState() { return OperandErrorState(m_source, {&m_source, &m_destination}); }

void CHOXFuncMove::CalcSteps()
{
    if (InMonitorWindow()) return;
    switch (m_nKind) {
    case kMov:
        m_nSteps = 2 + OperandWeight(m_source, m_n32Bit != 0) + OperandWeight(m_destination, m_n32Bit != 0);
        break;
    case kMmov: m_nSteps = 2 + OperandWeight(m_source, false) + OperandWeight(m_destination, true); break;
    case kRmov: m_nSteps = 2 + OperandWeight(m_source, true) + OperandWeight(m_destination, false); break;
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
    ParseOperand(m_source, source);
    ParseOperand(m_destination, destination);
    SetCaptionForKind();
    UpdateText();
    CalcSteps();
}

void CHOXFuncMove::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncMoveDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeComment(dlg);
    m_nKind = dlg.GetKind();
    m_source = dlg.GetOperand(0);
    m_destination = dlg.GetOperand(1);
    // MMOV and RMOV have their widths; only MOV keeps the box's.
    m_n32Bit = m_nKind == kMov ? dlg.Get32Bit() : 0;
    SetCaptionForKind();
    CalcSteps();
    UpdateText();
    FinishEdit();
}
