#pragma once
// A document whose flow charts a test wires symbol by symbol, and the
// conversion run on it. The flow-control symbols are the real ones; the
// kinds still to come (conditional jump, program in text, codes) stand in as
// a test symbol with the type code, pins, text and steps the test gives.
#include "app/HOXDoc.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "chart/SymbolSupport.h"
#include "convert/HOXExport.h"
#include "convert/HOXInstrParser.h"
#include "platform/Strings.h"
#include "support/DocBuilder.h"
#include "support/Scripted.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace kt::test {

// A symbol of a kind the test names: input pin 0, output pin 1 and, for the
// conditional jump (307), the side exit as pin 2.
class CTestCodeSymbol : public CHOXSymbol {
public:
    CTestCodeSymbol(CPoint topLeft, CHOXWnd* wnd, int type, QString code, int steps)
        : CHOXSymbol(topLeft, wnd), m_type(type), m_code(std::move(code)), m_stepCount(steps)
    {
        SetPinCount(type == objtype::kFlowCJump ? 3 : 2);
        SetPin(0, chart::MakePin(0, 32, 0, CHOXPin::kTop, CHOXPin::kInput, wnd));
        SetPin(1, chart::MakePin(1, 32, 32, CHOXPin::kBottom, CHOXPin::kOutput, wnd));
        if (type == objtype::kFlowCJump)
            SetPin(2, chart::MakePin(2, 64, 16, CHOXPin::kSideExit, CHOXPin::kOutput, wnd));
        m_nSteps = steps;
    }
    int GetObjectType() const override { return m_type; }
    QString GetCode() override { return m_code; }
    void CalcSteps() override { m_nSteps = m_stepCount; }
    int GetErrorState() override { return m_errorState; }

    int m_type;
    QString m_code;
    int m_stepCount;
    int m_errorState = 0;
};

// The steps the checker counts for the lines of a text.
inline int CheckerSteps(CHOXDoc& doc, const QString& code)
{
    CHOXInstrParser checker(&doc.GetParam());
    int steps = 0;
    QString error;
    for (const QString& line : code.split(u'\n')) {
        checker.CheckInstruction(line, error);
        steps += checker.GetSteps();
    }
    return steps;
}

class ConvertFixture : public ::testing::Test, public DocBuilder {
public:
    ConvertFixture() { MakeDocument(1); }

    void MakeDocument(int controllerType)
    {
        NewDocument(controllerType);
        chart = AddChart(QStringLiteral("Flow Chart1"));
    }

    CHOXFlowWnd* AddChart(const QString& name) { return Chart(name); }

    // A symbol made at the point, with the document's next id.
    template <class T>
    T* Place(CHOXFlowWnd* wnd, CPoint at = CPoint(100, 40))
    {
        return DocBuilder::Place<T>(wnd, at);
    }
    CTestCodeSymbol* PlaceCode(CHOXFlowWnd* wnd, int type, const QString& code, int steps = -1)
    {
        auto symbol = std::make_unique<CTestCodeSymbol>(CPoint(100, 40), wnd, type, code,
                                                        steps < 0 ? CheckerSteps(*doc, code) : steps);
        symbol->SetId(static_cast<DWORD>(doc->NewSymbolId()));
        CTestCodeSymbol* raw = symbol.get();
        wnd->AddObject(std::move(symbol));
        return raw;
    }
    CHOXFlowPointer* PlacePointer(CHOXFlowWnd* wnd, int number)
    {
        auto* pointer = Place<CHOXFlowPointer>(wnd);
        pointer->SetPointerNumber(number);
        return pointer;
    }
    CHOXFlowSubRtn* PlaceSubroutine(CHOXFlowWnd* wnd, int number)
    {
        auto* subroutine = Place<CHOXFlowSubRtn>(wnd);
        subroutine->SetPointerNumber(number);
        return subroutine;
    }
    CHOXFlowCall* PlaceCall(CHOXFlowWnd* wnd, int number)
    {
        auto* call = Place<CHOXFlowCall>(wnd);
        call->SetPointerNumber(number);
        call->CalcSteps();
        return call;
    }
    CHOXFlowJump* PlaceJump(CHOXFlowWnd* wnd, int number)
    {
        auto* jump = Place<CHOXFlowJump>(wnd);
        jump->SetPointerNumber(number);
        jump->CalcSteps();
        return jump;
    }

    // A wire from the pin to the symbol's input.
    CHOXConnect* Wire(CHOXFlowWnd* wnd, CHOXSymbol* from, int pin, CHOXSymbol* to)
    {
        return WireWithId(static_cast<DWORD>(doc->NewWireId()), from->GetId(), pin, to->GetId(),
                          CHOXConnect::kTargetSymbol, wnd);
    }
    // A wire from the pin that jumps to the node, with its jump-end marker
    // (an end follows) unless told otherwise.
    CHOXConnect* WireToNode(CHOXFlowWnd* wnd, CHOXSymbol* from, int pin, CHOXNode* node, bool marker = true)
    {
        CHOXConnect* wire = NewWire(wnd, from, pin);
        wire->SetTarget(node->GetId(), CHOXConnect::kTargetNode);
        node->AddInWire(wire->GetId());
        if (marker)
            wire->SetJumpEnd(
                std::make_unique<CHOXFlowJumpEnd>(static_cast<int>(node->GetId()), CRect(0, 0, 10, 10), wnd));
        wire->RerouteAll();
        return wire;
    }
    // A node of the number on the wire.
    CHOXNode* NodeOn(CHOXFlowWnd* wnd, CHOXConnect* wire, DWORD number)
    {
        auto node = std::make_unique<CHOXNode>(number, CRect(95, 95, 105, 105), wire->GetId(), wnd);
        CHOXNode* raw = node.get();
        wnd->AddNode(std::move(node));
        wire->SetNodeId(number);
        doc->MarkPointerNumberUsed(static_cast<int>(number));
        return raw;
    }

    struct Outcome {
        bool ok = false;
        QString message;
        int severity = -1;
        CHOXSymbol* symbol = nullptr;
        QString text;
    };
    Outcome Convert(bool listing, bool ask = false)
    {
        CHOXExport exporter(doc.get());
        Outcome out;
        out.ok = exporter.GenerateProgram(out.message, listing, &out.severity, &out.symbol, ask);
        out.text = exporter.GetProgramText();
        return out;
    }

    CHOXFlowWnd* chart = nullptr;

private:
    CHOXConnect* NewWire(CHOXFlowWnd* wnd, CHOXSymbol* from, int pin)
    {
        auto wire = std::make_unique<CHOXConnect>(CRect(), wnd);
        wire->SetId(static_cast<DWORD>(doc->NewWireId()));
        wire->SetSource(from->GetId(), pin);
        CHOXConnect* raw = wire.get();
        wnd->AddConnect(std::move(wire));
        return raw;
    }
};

} // namespace kt::test
