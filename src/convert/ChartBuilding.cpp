#include "convert/ChartBuilding.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXView.h"
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowJump.h"

#include <memory>

namespace chartbuild {

int OutputPin(const CHOXSymbol& symbol) { return symbol.GetPinCount() > 1 ? 1 : 0; }

CHOXConnect* AddWire(CHOXFlowWnd& wnd, CHOXSymbol& from, int fromPin, CHOXSymbol& to)
{
    CHOXDoc* doc = wnd.GetDocument();
    if (doc == nullptr) return nullptr;
    const std::int32_t id = doc->NewWireId();
    if (id == -1) return nullptr;
    auto wire = std::make_unique<CHOXConnect>(CRect(from.GetPinPosition(fromPin), to.GetPinPosition(0)), &wnd);
    wire->SetId(static_cast<DWORD>(id));
    wire->SetSource(from.GetId(), fromPin);
    wire->SetTarget(to.GetId(), CHOXConnect::kTargetSymbol);
    CHOXConnect* raw = wire.get();
    wnd.AddConnect(std::move(wire));
    raw->Reroute();
    raw->SetLineWidth(2);
    return raw;
}

CHOXConnect* ConnectSymbols(CHOXFlowWnd& wnd, CHOXSymbol& from, CHOXSymbol& to)
{
    return AddWire(wnd, from, OutputPin(from), to);
}

CHOXConnect* AttachJumpBranch(CHOXFlowWnd& wnd, CHOXSymbol& cjump, CHOXConnect& wire, CHOXSymbol& next,
                              CHOXFlowJump& jump)
{
    const CRect jumpPlace = jump.m_position;
    jump.m_position = CHOXDrawObj::Shifted(next.m_position, kBranchOffset, 0);
    next.m_position = jumpPlace;
    jump.SetEndFollows(0);
    jump.SetCaptionMode(0);
    jump.SetEndKind(-1);
    wire.Reroute();
    CHOXConnect* branch = AddWire(wnd, cjump, CHOXFlowCJump::kJumpPin, jump);
    // Reached from a side exit the JUMP writes nothing of its own.
    if (branch != nullptr) jump.CalcSteps();
    return branch;
}

void GrowSheetTo(CHOXFlowWnd& wnd, std::int32_t y)
{
    CHOXBaseRect* sheet = wnd.GetBaseRect();
    if (sheet == nullptr || y <= sheet->m_position.bottom) return;
    sheet->m_position.bottom = y;
    if (CHOXView* view = wnd.GetView()) view->UpdateScrollSizes();
}

} // namespace chartbuild
