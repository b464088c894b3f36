#pragma once
// A document holding every kind of symbol, for each controller type: the
// positioning and function symbols in each option whose text the checker
// takes as written, a text block, the conditional jumps, a call, a jump,
// and charts of every kind the type has; the source of the round trips.
#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "chart/HOXFlowWnd.h"
#include "convert/ChartBuilding.h"
#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "symbols/SymbolTextCases.h"
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowProgText.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace kt::test {

// A chart of the source document, its symbols in a column.
class ChartMaker {
public:
    ChartMaker(CHOXDoc& doc, const QString& name) : m_doc(doc)
    {
        auto wnd = doc.NewFlowWindow(name, QString());
        m_wnd = wnd.get();
        doc.AddWindow(name, std::move(wnd));
    }
    CHOXFlowWnd* Window() const { return m_wnd; }

    // Places the symbol below the last one and wires it from there.
    template <class T>
    T* Add(std::unique_ptr<T> symbol)
    {
        T* raw = symbol.get();
        Place(std::move(symbol));
        return raw;
    }
    template <class T>
    T* Add()
    {
        return Add(std::make_unique<T>(CPoint(137, 32), m_wnd));
    }
    // A conditional jump whose jump output leads to a JUMP to P5.
    void AddConditionalJump(std::unique_ptr<CHOXSymbol> cjump)
    {
        CHOXSymbol* raw = cjump.get();
        Place(std::move(cjump));
        auto jump = std::make_unique<CHOXFlowJump>(CPoint(237, m_y), m_wnd);
        jump->SetPointerNumber(5);
        jump->SetEndFollows(0);
        jump->SetCaptionMode(0);
        CHOXFlowJump* target = jump.get();
        jump->SetId(static_cast<DWORD>(m_doc.NewSymbolId()));
        m_wnd->AddObject(std::move(jump));
        ASSERT_EQ(chartbuild::WireSymbols(m_wnd, raw, CHOXFlowCJump::kJumpPin, target), chartbuild::WireResult::kWired);
        target->CalcSteps();
    }

private:
    void Place(std::unique_ptr<CHOXSymbol> symbol)
    {
        CHOXSymbol* raw = symbol.get();
        raw->m_position = CRect(CPoint(137, m_y), CSize(64, 32));
        m_y += 70;
        raw->SetId(static_cast<DWORD>(m_doc.NewSymbolId()));
        m_wnd->AddObject(std::move(symbol));
        raw->CalcSteps();
        if (m_last != nullptr) {
            ASSERT_EQ(chartbuild::WireSymbols(m_wnd, m_last, chartbuild::ColumnOutputPin(m_last), raw),
                      chartbuild::WireResult::kWired);
        }
        m_last = raw;
    }

    CHOXDoc& m_doc;
    CHOXFlowWnd* m_wnd = nullptr;
    CHOXSymbol* m_last = nullptr;
    std::int32_t m_y = 32;
};

// Rows whose text the checker takes as the symbol writes it.
inline std::vector<const SymbolTextCase*> RowsOf(std::span<const SymbolTextCase> rows, int type)
{
    std::vector<const SymbolTextCase*> out;
    for (const SymbolTextCase& row : rows)
        if (row.controllerType == type && std::string_view(row.countsOtherwise).empty()) out.push_back(&row);
    return out;
}

// Every kind of symbol, in charts of every kind the type has.
// The type and the parameters every symbol's text is valid under.
inline void PrepareDocument(CHOXDoc& doc, int type)
{
    doc.SetControllerType(type);
    doc.GetParam().SetDefaults();
    std::int32_t value = 150000;
    doc.GetParam().SetParam(&value, 4, 0);
    value = -5000;
    doc.GetParam().SetParam(&value, 16, 0);
}

inline void BuildEverything(CHOXDoc& doc, int type)
{
    PrepareDocument(doc, type);

    ChartMaker main(doc, QStringLiteral("Main"));
    main.Add<CHOXFlowStart>();
    for (const SymbolTextCase* row : RowsOf(CodeSymbolTextCases(), type)) main.Add(row->make(main.Window()));
    for (const SymbolTextCase* row : RowsOf(FuncSymbolTextCases(), type)) main.Add(row->make(main.Window()));
    auto* text = main.Add<CHOXFlowProgText>();
    text->SetText(QStringLiteral("LD  X0;\nOUT(FNC90)  Y0;\nNOP\n"));
    text->CalcSteps();
    for (const SymbolTextCase* row : RowsOf(CJumpTextCases(), type)) main.AddConditionalJump(row->make(main.Window()));
    main.Add<CHOXFlowCall>()->SetPointerNumber(7);
    auto* jump = main.Add<CHOXFlowJump>();
    jump->SetPointerNumber(5);
    jump->CalcSteps();

    if (ctype::HasIndependentAxes(type)) {
        ChartMaker y(doc, QStringLiteral("Second axis"));
        auto* start = y.Add<CHOXFlowStart>();
        start->SetProgramNumber(-1);
        start->SetAxis(1);
        start->SetProgramNumber(3);
        y.Add<CHOXFlowCall>()->SetPointerNumber(7);
        y.Add<CHOXFlowEnd>();
    }

    ChartMaker sub(doc, QStringLiteral("Sub"));
    sub.Add<CHOXFlowSubRtn>()->SetPointerNumber(7);
    auto* subText = sub.Add<CHOXFlowProgText>();
    subText->SetText(QStringLiteral("MOV(FNC12)  D0  D1;\n"));
    subText->CalcSteps();
    sub.Add<CHOXFlowRet>();

    ChartMaker pointer(doc, QStringLiteral("Pointer"));
    pointer.Add<CHOXFlowPointer>()->SetPointerNumber(5);
    pointer.Add<CHOXFlowEnd>();

    ChartMaker subtask(doc, LoadStr(20000));
    subtask.Add<CHOXFlowStart>();
    auto* subtaskText = subtask.Add<CHOXFlowProgText>();
    subtaskText->SetText(QStringLiteral("LD X1;\n"));
    subtaskText->CalcSteps();
    subtask.Add<CHOXFlowEnd>();
}

} // namespace kt::test
