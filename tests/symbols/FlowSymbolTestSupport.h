#pragma once
// A document with a flow chart, the subtask chart and the monitor window, for
// the tests of the flow-control symbols.
#include "app/HOXDoc.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "support/DocBuilder.h"
#include "support/Scripted.h"
#include "support/StoredFragments.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <memory>

namespace kt::test {

class FlowDocTest : public ::testing::Test, protected DocBuilder {
protected:
    // Controller type 1 unless a test says otherwise.
    void SetUp() override { MakeDocument(1); }

    void MakeDocument(int controllerType)
    {
        NewDocument(controllerType);
        chart = Chart(QStringLiteral("Flow Chart1"));
        subtask = Chart(LoadStr(20000));
        monitor = Monitor();
    }

    CHOXFlowWnd* AddChart(const QString& name) { return Chart(name); }

    // A symbol made at the point in the window, with a new id, in the map.
    template <class T>
    T* Place(CHOXWnd* wnd, CPoint at = CPoint(100, 50))
    {
        return DocBuilder::Place<T>(wnd, at);
    }

    void UseAllProgramNumbers(int axis)
    {
        for (int n = 0; n <= 99; ++n) doc->MarkProgramNumberUsed(axis, n);
    }

    int UsedPointerNumbers() const
    {
        int used = 0;
        for (int n = 0; n <= 255; ++n) used += doc->IsPointerNumberUsed(n) ? 1 : 0;
        return used;
    }

    int UsedProgramNumbers(int axis) const
    {
        int used = 0;
        for (int n = 0; n <= 99; ++n) used += doc->IsProgramNumberUsed(axis, n) ? 1 : 0;
        return used;
    }

    CHOXFlowWnd* chart = nullptr;
    CHOXFlowWnd* subtask = nullptr;
    CHOXMonWnd* monitor = nullptr;
};

} // namespace kt::test
