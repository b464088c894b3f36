#include "convert/ChartBuilding.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXView.h"

#include <memory>

namespace chartbuild {

int ColumnOutputPin(const CHOXSymbol* symbol) { return symbol->GetPinCount() > 1 ? 1 : 0; }

WireResult WireSymbols(CHOXFlowWnd* wnd, CHOXSymbol* from, int pin, CHOXSymbol* to, CHOXConnect** wire)
{
    if (wire != nullptr) *wire = nullptr;
    if (wnd == nullptr || from == nullptr || to == nullptr || wnd->GetDocument() == nullptr)
        return WireResult::kRefused;
    const CHOXPin* out = from->GetPin(pin);
    const CHOXPin* in = to->GetPin(0);
    if (out == nullptr || in == nullptr || out->IsInputSide() || !in->IsInputSide() || !out->IsFree() || !in->IsFree())
        return WireResult::kRefused;
    const std::int32_t id = wnd->GetDocument()->NewWireId();
    if (id == -1) return WireResult::kNoId;

    const CPoint start = from->GetPinPosition(pin);
    const CPoint end = to->GetPinPosition(0);
    auto made = std::make_unique<CHOXConnect>(CRect(start.x, start.y, end.x, end.y), wnd);
    made->SetId(static_cast<DWORD>(id));
    made->SetSource(from->GetId(), pin);
    made->SetTarget(to->GetId(), CHOXConnect::kTargetSymbol);
    CHOXConnect* raw = made.get();
    wnd->AddConnect(std::move(made));
    raw->Reroute();
    raw->SetLineWidth(2);
    if (wire != nullptr) *wire = raw;
    return WireResult::kWired;
}

void GrowSheetTo(CHOXWnd* wnd, LONG y)
{
    if (wnd == nullptr || wnd->GetBaseRect() == nullptr) return;
    CHOXBaseRect* sheet = wnd->GetBaseRect();
    if (y > sheet->m_position.bottom) sheet->m_position.bottom = y;
    if (CHOXView* view = wnd->GetView()) view->UpdateScrollSizes();
}

} // namespace chartbuild
