#pragma once
// A document with one flow chart, and helpers that place symbols, wires and
// nodes in it by id the way the editor does (support/DocBuilder.h).
#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "support/DocBuilder.h"
#include "support/MemoryViewHost.h"
#include "support/Scripted.h"
#include "symbols/flow/HOXFlowCJump.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kt::test {

// The conditional jump, whose side output (pin 2) at (64, 16) the wiring
// tests use; the name stays for the tests written before the class existed.
using SideExitSymbol = CHOXFlowCJump;

class ChartFixture : public ::testing::Test, protected DocBuilder {
protected:
    ChartFixture() : doc(Doc()) { wnd = Chart(QStringLiteral("Flow Chart1")); }

    // A symbol whose own constructor has made its pins, under the id.
    template <class T = CHOXSymbol>
    T* Place(DWORD id, CPoint topLeft)
    {
        return PlaceWithId<T>(id, topLeft, wnd);
    }

    // A finished, routed wire.
    CHOXConnect* Wire(DWORD id, DWORD source, int pin, DWORD target, int kind = CHOXConnect::kTargetSymbol)
    {
        CHOXConnect* raw = WireWithId(id, source, pin, target, kind, wnd);
        raw->SetLineWidth(2);
        return raw;
    }

    // A node made on a wire the way the editor's CreateNode does it.
    CHOXNode* NodeOn(CHOXConnect* wire)
    {
        EXPECT_TRUE(wire->CreateNode());
        return dynamic_cast<CHOXNode*>(wnd->LookupNode(static_cast<WORD>(wire->GetNodeId())));
    }

    std::vector<CPoint> RouteOf(const CHOXConnect* wire) const { return wire->GetPoints(); }

    // The builder's document, under the name the chart tests use.
    CHOXDoc& doc;
    CHOXFlowWnd* wnd = nullptr;
};

} // namespace kt::test
