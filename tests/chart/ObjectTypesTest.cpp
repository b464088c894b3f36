// The one numbering of window records, views and objects: the numbers are
// part of the program's contract (files, conversion, the editor's tests), so
// they are checked against the numbers themselves, not against their names.
#include "chart/ObjectTypes.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXLine.h"
#include "chart/HOXNode.h"
#include "chart/HOXOval.h"
#include "chart/HOXPin.h"
#include "chart/HOXRect.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "support/Scripted.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <gtest/gtest.h>

TEST(ObjectTypesTest, EveryClassAnswersItsNumber)
{
    kt::test::TempSettings settings;
    CHOXDoc doc;
    CHOXWnd wnd;
    CHOXFlowWnd flow;
    CHOXMonWnd monitor;
    CHOXView view;
    CHOXFlowView flowView;
    CHOXMonView monView;
    const struct {
        const char* name;
        int type;
        int expected;
    } cases[] = {
        {"window record", wnd.GetObjectType(), 102},
        {"flow-chart record", flow.GetObjectType(), 103},
        {"monitor record", monitor.GetObjectType(), 104},
        {"view", view.GetViewType(), 0},
        {"flow view", flowView.GetViewType(), 201},
        {"monitor view", monView.GetViewType(), 202},
        {"symbol", CHOXSymbol().GetObjectType(), 300},
        {"START", CHOXFlowStart().GetObjectType(), 301},
        {"END", CHOXFlowEnd().GetObjectType(), 302},
        {"SUBROUTINE", CHOXFlowSubRtn().GetObjectType(), 303},
        {"POINTER", CHOXFlowPointer().GetObjectType(), 304},
        {"CALL", CHOXFlowCall().GetObjectType(), 305},
        {"JUMP", CHOXFlowJump().GetObjectType(), 306},
        {"RET", CHOXFlowRet().GetObjectType(), 309},
        {"drawing object", CHOXDrawObj().GetObjectType(), 400},
        {"shape", CHOXShape().GetObjectType(), 401},
        {"rectangle", CHOXRect().GetObjectType(), 402},
        {"ellipse", CHOXOval().GetObjectType(), 403},
        {"line", CHOXLine().GetObjectType(), 404},
        {"base sheet", CHOXBaseRect().GetObjectType(), 405},
        {"wire", CHOXConnect().GetObjectType(), 500},
        {"pin", CHOXPin().GetObjectType(), 501},
        {"node", CHOXNode().GetObjectType(), 502},
        {"jump end", CHOXFlowJumpEnd().GetObjectType(), 503},
        {"monitor object", CHOXMonObj().GetObjectType(), 801},
    };
    for (const auto& c : cases) EXPECT_EQ(c.type, c.expected) << c.name;
}

TEST(ObjectTypesTest, TheRangesEndWhereTheTableSays)
{
    const struct {
        int type;
        bool flow, code, func, symbol, drawing, wiring, monitor;
    } cases[] = {
        {300, false, false, false, true, false, false, false},  {301, true, false, false, true, false, false, false},
        {309, true, false, false, true, false, false, false},   {310, false, false, false, false, false, false, false},
        {320, false, false, false, false, false, false, false}, {321, false, true, false, true, false, false, false},
        {332, false, true, false, true, false, false, false},   {333, false, false, false, false, false, false, false},
        {340, false, false, false, false, false, false, false}, {341, false, false, true, true, false, false, false},
        {349, false, false, true, true, false, false, false},   {350, false, false, false, false, false, false, false},
        {399, false, false, false, false, false, false, false}, {400, false, false, false, false, true, false, false},
        {410, false, false, false, false, true, false, false},  {411, false, false, false, false, false, false, false},
        {499, false, false, false, false, false, false, false}, {500, false, false, false, false, false, true, false},
        {503, false, false, false, false, false, true, false},  {504, false, false, false, false, false, false, false},
        {800, false, false, false, false, false, false, false}, {801, false, false, false, false, false, false, true},
        {808, false, false, false, false, false, false, true},  {809, false, false, false, false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(objtype::IsFlowSymbol(c.type), c.flow);
        EXPECT_EQ(objtype::IsCodeSymbol(c.type), c.code);
        EXPECT_EQ(objtype::IsFuncSymbol(c.type), c.func);
        EXPECT_EQ(objtype::IsSymbol(c.type), c.symbol);
        EXPECT_EQ(objtype::IsDrawingObject(c.type), c.drawing);
        EXPECT_EQ(objtype::IsWiring(c.type), c.wiring);
        EXPECT_EQ(objtype::IsMonitorObject(c.type), c.monitor);
    }
}
