#include "LargeDocument.h"

#include "app/HOXDoc.h"
#include "app/PaletteTools.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "online/monitor/HOXMonWnd.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <memory>
#include <vector>

namespace largedoc {

namespace {

constexpr int kSymbolsPerWindow = 6;
constexpr int kWiresPerWindow = 2; // 8 objects a window, 4,000 in all
constexpr int kMiddle = 6;         // root, 6 symbols, end: 8 a window

// One input (pin 0) and one output (pin 1): a symbol a program runs through.
bool RunsThrough(const CHOXSymbol& symbol)
{
    return symbol.GetPinCount() == 2 && symbol.GetPin(0) != nullptr && symbol.GetPin(0)->IsInputSide() &&
           symbol.GetPin(1) != nullptr && !symbol.GetPin(1)->IsInputSide();
}

// A fresh symbol is made complete where the bench knows how: a call calls
// one of the subroutines.
void Complete(CHOXSymbol& symbol, int n, int subroutines)
{
    if (symbol.GetObjectType() == objtype::kFlowCall) {
        symbol.SetPointerNumber(n % subroutines);
        symbol.CalcSteps();
    }
}

// The tools whose fresh symbols run through a program and convert.
std::vector<UINT> MiddleTools(CHOXDoc& doc)
{
    auto probe = doc.NewFlowWindow(QStringLiteral("probe"), QString());
    std::vector<UINT> tools;
    for (int group = 0; group < kPaletteGroups; ++group) {
        for (const PaletteTool& tool : PaletteTools(group)) {
            std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(tool.id, CPoint(0, 0), probe.get());
            if (!symbol || !RunsThrough(*symbol)) continue;
            Complete(*symbol, 0, 1);
            if (symbol->GetState() == CHOXSymbol::kNormal && symbol->GetErrorState() == 0) tools.push_back(tool.id);
        }
    }
    return tools;
}

CHOXSymbol* Make(CHOXDoc& doc, CHOXFlowWnd* wnd, UINT tool, int row)
{
    std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(tool, CPoint(100, 40 + 60 * row), wnd);
    if (!symbol) return nullptr;
    symbol->SetId(static_cast<DWORD>(doc.NewSymbolId()));
    CHOXSymbol* raw = symbol.get();
    wnd->AddObject(std::move(symbol));
    return raw;
}

void Join(CHOXDoc& doc, CHOXFlowWnd* wnd, CHOXSymbol* from, CHOXSymbol* to)
{
    auto wire = std::make_unique<CHOXConnect>(CRect(), wnd);
    wire->SetId(static_cast<DWORD>(doc.NewWireId()));
    wire->SetSource(from->GetId(), from->GetPinCount() > 1 ? 1 : 0);
    wire->SetTarget(to->GetId(), CHOXConnect::kTargetSymbol);
    CHOXConnect* raw = wire.get();
    wnd->AddConnect(std::move(wire));
    raw->Reroute();
}

} // namespace

void FillDrawing(CHOXDoc& doc, int windows)
{
    doc.SetControllerType(2);
    DWORD symbolId = 0;
    DWORD wireId = 0;
    for (int chart = 1; chart <= windows; ++chart) {
        const QString name = QStringLiteral("Flow Chart%1").arg(chart);
        auto wnd = doc.NewFlowWindow(name, QString());
        for (int i = 0; i < kSymbolsPerWindow; ++i) {
            const CPoint at(40, 40 + 60 * i);
            std::unique_ptr<CHOXSymbol> symbol =
                i % 2 == 0 ? std::make_unique<CHOXSymbol>(at, wnd.get())
                           : MakeToolSymbol(ID_TOOL_CODE_DRV + static_cast<UINT>(symbolId / 2 % 12), at, wnd.get());
            symbol->SetId(symbolId++);
            wnd->AddObject(std::move(symbol));
        }
        for (int i = 0; i < kWiresPerWindow; ++i) {
            auto wire = std::make_unique<CHOXConnect>(CRect(50, 60 + 60 * i, 50, 100 + 60 * i), wnd.get());
            wire->SetId(wireId++);
            wnd->AddConnect(std::move(wire));
        }
        wnd->SetWndRect(CRect(20, 20, 570, 370));
        doc.AddWindow(name, std::move(wnd));
    }
    // As the program saves it: with frames, so with a monitor window place.
    doc.GetMonWnd()->SetWndRect(CRect(0, 0, 550, 350));
}

bool FillProgram(CHOXDoc& doc, int windows)
{
    doc.SetControllerType(1);
    const std::vector<UINT> middle = MiddleTools(doc);
    if (middle.empty()) return false;
    const int subroutines = std::max(1, windows / 10);
    int n = 0;
    for (int chart = 1; chart <= windows; ++chart) {
        const QString name = QStringLiteral("Flow Chart%1").arg(chart);
        auto owned = doc.NewFlowWindow(name, QString());
        CHOXFlowWnd* wnd = owned.get();
        doc.AddWindow(name, std::move(owned));
        // The last charts hold the subroutines the calls call.
        const bool subroutine = chart > windows - subroutines;
        CHOXSymbol* last = Make(doc, wnd, subroutine ? ID_TOOL_FLOW_SUBRTN : ID_TOOL_FLOW_START, 0);
        if (auto* sub = dynamic_cast<CHOXFlowSubRtn*>(last)) sub->SetPointerNumber(chart - (windows - subroutines) - 1);
        if (auto* start = dynamic_cast<CHOXFlowStart*>(last)) start->SetProgramNumber(chart % 100);
        for (int i = 0; i < kMiddle; ++i) {
            CHOXSymbol* next = Make(doc, wnd, middle[static_cast<std::size_t>(n++) % middle.size()], i + 1);
            Complete(*next, n, subroutines);
            Join(doc, wnd, last, next);
            last = next;
        }
        Join(doc, wnd, last, Make(doc, wnd, subroutine ? ID_TOOL_FLOW_RET : ID_TOOL_FLOW_END, kMiddle + 1));
    }
    return true;
}

bool SaveDrawing(const QString& path, int windows)
{
    CHOXDoc doc;
    FillDrawing(doc, windows);
    return doc.OnSaveDocument(path);
}

} // namespace largedoc
