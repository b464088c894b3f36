// JUMP and the jump-end marker: program text in each window and state,
// steps (also behind a conditional jump's side exit), caption, AssignNewNumber,
// and how the marker is drawn.
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"

#include "chart/HOXConnect.h"
#include "chart/HOXPin.h"
#include "platform/DC.h"
#include "symbols/FlowSymbolTestSupport.h"

#include <QImage>
#include <QPainter>

using kt::test::FlowDocTest;

namespace {

class FlowJumpTest : public FlowDocTest {
protected:
    // A wire from the source's pin to the JUMP's input.
    CHOXConnect* Wire(CHOXSymbol* source, int pin, CHOXSymbol* target)
    {
        const CPoint from = source->GetPinPosition(pin);
        auto wire = std::make_unique<CHOXConnect>(CRect(from, from), chart);
        wire->SetId(static_cast<DWORD>(doc->NewWireId()));
        wire->SetSource(source->GetId(), pin);
        wire->SetTarget(target->GetId(), 1);
        CHOXConnect* raw = wire.get();
        chart->AddConnect(std::move(wire));
        raw->Reroute();
        return raw;
    }
};

} // namespace

TEST_F(FlowJumpTest, ANewJumpHasNoTargetAndAnEnd)
{
    CHOXFlowJump* jump = Place<CHOXFlowJump>(chart);
    EXPECT_EQ(jump->GetObjectType(), 306);
    EXPECT_EQ(jump->GetSymbolName(), QStringLiteral("JUMP"));
    EXPECT_EQ(jump->GetCategory(), 0);
    EXPECT_EQ(jump->GetPointerNumber(), -1);
    EXPECT_EQ(jump->GetEndFollows(), 1);
    EXPECT_EQ(jump->GetCaptionMode(), 1);
    EXPECT_EQ(jump->GetEndKind(), 0);
    EXPECT_EQ(jump->GetLabel(), QString());
    EXPECT_EQ(jump->GetCode(), QStringLiteral("JMP(FNC04) ;\nm02(END);"));
    EXPECT_EQ(jump->GetSteps(), 4);
    EXPECT_EQ(jump->GetErrorState(), 1);
    ASSERT_EQ(jump->GetPinCount(), 1);
    EXPECT_EQ(jump->GetPin(0)->GetOffset(), CPoint(32, 0));
    EXPECT_EQ(jump->GetPin(0)->GetKind(), 0);
    EXPECT_TRUE(jump->GetPin(0)->IsInputSide());
    EXPECT_EQ(UsedPointerNumbers(), 0);

    CHOXFlowJump* sub = Place<CHOXFlowJump>(subtask);
    EXPECT_EQ(sub->GetEndKind(), 1);
    CHOXFlowJump* mon = Place<CHOXFlowJump>(monitor);
    EXPECT_EQ(mon->GetPinCount(), 0);
    EXPECT_EQ(mon->GetSteps(), 0);
}

TEST_F(FlowJumpTest, ProgramTextAndStepsByWindowEndAndTarget)
{
    const struct {
        bool inSubtask;
        int target;
        int endFollows;
        int endKind;
        const char* code;
        int steps;
    } cases[] = {
        {false, 12, 1, 0, "JMP(FNC04) P12;\nm02(END);", 6},
        {false, 12, 1, 1, "JMP(FNC04) P12;\nm102(SEND);", 6},
        {false, 12, 0, 0, "JMP(FNC04) P12;", 4},
        {false, -1, 0, 0, "JMP(FNC04) ;", 2},
        {false, -1, 1, 1, "JMP(FNC04) ;\nm102(SEND);", 4},
        {true, 12, 1, 0, "JMP(FNC04) P12;\nm102(SEND);", 6},
        {true, 12, 1, 1, "JMP(FNC04) P12;\nm102(SEND);", 6},
        {true, 0, 0, 1, "JMP(FNC04) P0;", 4},
        // What a rebuilt program leaves: no end, end kind -1.
        {false, 7, 0, -1, "JMP(FNC04) P7;", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code));
        CHOXFlowJump* jump = Place<CHOXFlowJump>(c.inSubtask ? subtask : chart);
        jump->SetPointerNumber(c.target);
        jump->SetEndFollows(c.endFollows);
        jump->SetEndKind(c.endKind);
        jump->CalcSteps();
        EXPECT_EQ(jump->GetCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(jump->GetSteps(), c.steps);
        EXPECT_EQ(jump->GetErrorState(), c.target == -1 ? 1 : 0);
        EXPECT_EQ(jump->GetLabel(), c.target == -1 ? QString() : QStringLiteral("P%1").arg(c.target));
    }
    EXPECT_EQ(UsedPointerNumbers(), 0);
}

TEST_F(FlowJumpTest, CaptionFollowsTheModeAndTheEnd)
{
    CHOXFlowJump* jump = Place<CHOXFlowJump>(chart);
    const struct {
        int endFollows;
        int mode;
        const char* caption;
    } cases[] = {{1, 1, "JUMP"}, {1, 0, "JUMPWEND"}, {0, 1, "JUMPWEND"}, {0, 0, "JUMPWEND"}, {1, 1, "JUMP"}};
    for (const auto& c : cases) {
        jump->SetEndFollows(c.endFollows);
        jump->SetCaptionMode(c.mode);
        EXPECT_EQ(jump->GetCaptionMode(), c.mode);
        EXPECT_EQ(jump->GetSymbolName(), QString::fromLatin1(c.caption)) << c.endFollows << c.mode;
    }
    // The end-follows setter alone leaves the caption.
    jump->SetEndFollows(0);
    EXPECT_EQ(jump->GetSymbolName(), QStringLiteral("JUMP"));
}

TEST_F(FlowJumpTest, BehindAConditionalJumpsSideExitTheJumpCountsNothing)
{
    CHOXFlowCJump* source = Place<CHOXFlowCJump>(chart);
    CHOXFlowJump* behindSide = Place<CHOXFlowJump>(chart, CPoint(250, 150));
    CHOXFlowJump* behindBottom = Place<CHOXFlowJump>(chart, CPoint(100, 150));
    behindSide->SetPointerNumber(3);
    behindBottom->SetPointerNumber(3);

    Wire(source, 2, behindSide);
    Wire(source, 1, behindBottom);
    ASSERT_FALSE(behindSide->GetPin(0)->IsFree());
    behindSide->CalcSteps();
    behindBottom->CalcSteps();
    EXPECT_EQ(behindSide->GetSteps(), 0);
    EXPECT_EQ(behindBottom->GetSteps(), 6);
    // Its program text stays as it is: the converter does not ask for it.
    EXPECT_EQ(behindSide->GetCode(), QStringLiteral("JMP(FNC04) P3;\nm02(END);"));

    // A wire the window does not know counts nothing either.
    behindBottom->GetPin(0)->SetLinkId(777);
    behindBottom->CalcSteps();
    EXPECT_EQ(behindBottom->GetSteps(), 0);
}

TEST_F(FlowJumpTest, APastedJumpLosesItsTargetAndKeepsItsPicture)
{
    const struct {
        bool inSubtask;
        int mode;
        int endFollows;
        int wantEndFollows;
        int wantEndKind;
        const char* caption;
    } cases[] = {
        {false, 1, 1, 1, 0, "JUMP"},
        {false, 1, 0, 0, 0, "JUMPWEND"},
        // A side-exit JUMP pasted alone: its picture says no end.
        {false, 0, 1, 0, 0, "JUMPWEND"},
        {true, 1, 1, 1, 1, "JUMP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        CHOXFlowJump* jump = Place<CHOXFlowJump>(c.inSubtask ? subtask : chart);
        jump->SetPointerNumber(9);
        jump->SetEndFollows(c.endFollows);
        jump->SetCaptionMode(c.mode);
        jump->SetEndKind(0);
        jump->AssignNewNumber();
        EXPECT_EQ(jump->GetPointerNumber(), -1);
        EXPECT_EQ(jump->GetLabel(), QString());
        EXPECT_EQ(jump->GetCaptionMode(), 1);
        EXPECT_EQ(jump->GetEndFollows(), c.wantEndFollows);
        EXPECT_EQ(jump->GetEndKind(), c.wantEndKind);
        EXPECT_EQ(jump->GetSymbolName(), QString::fromLatin1(c.caption));
        EXPECT_EQ(jump->GetSteps(), c.wantEndFollows != 0 ? 4 : 2);
    }
    CHOXFlowJump* mon = Place<CHOXFlowJump>(monitor);
    mon->SetPointerNumber(4);
    mon->AssignNewNumber();
    EXPECT_EQ(mon->GetPointerNumber(), 4);
    EXPECT_EQ(mon->GetLabel(), QString());
}

TEST_F(FlowJumpTest, AMarkerJumpsToItsNodeAndEnds)
{
    CHOXFlowJumpEnd marker(12, CRect(95, 145, 105, 155), chart);
    EXPECT_EQ(marker.GetObjectType(), 503);
    EXPECT_EQ(marker.GetId(), 0xFFFFFFFFu);
    EXPECT_EQ(marker.GetRect(), CRect(95, 145, 105, 155));
    EXPECT_EQ(marker.GetWnd(), chart);
    EXPECT_EQ(marker.GetPointerNumber(), 12);
    EXPECT_EQ(marker.GetEndFollows(), 1);
    EXPECT_EQ(marker.GetEndKind(), 0);
    EXPECT_EQ(marker.GetCode(), QStringLiteral("JMP(FNC04) P12;\nm02(END);"));
    EXPECT_EQ(marker.GetSteps(), 6);

    marker.SetEndKind(1);
    marker.SetPointerNumber(0);
    EXPECT_EQ(marker.GetCode(), QStringLiteral("JMP(FNC04) P0;\nm102(SEND);"));
    marker.SetRect(CRect(1, 2, 11, 12));
    EXPECT_EQ(marker.GetRect(), CRect(1, 2, 11, 12));

    CHOXFlowJumpEnd inSubtask(3, CRect(0, 0, 10, 10), subtask);
    EXPECT_EQ(inSubtask.GetEndKind(), 1);
    inSubtask.SetEndKind(0);
    EXPECT_EQ(inSubtask.GetCode(), QStringLiteral("JMP(FNC04) P3;\nm102(SEND);"));

    CHOXFlowJumpEnd elsewhere(3, CRect(0, 0, 10, 10), monitor);
    EXPECT_EQ(elsewhere.GetEndKind(), 0);
}

TEST_F(FlowJumpTest, AMarkerWithoutAnEndIsOneLineOfFourSteps)
{
    // End follows 0 comes only from a file (or the marker's dialog).
    CHOXFlowJumpEnd stored(5, CRect(0, 0, 10, 10), chart);
    QByteArray bytes = kt::test::StoredBytes(&stored);
    bytes[bytes.size() - 8] = 0; // end follows
    std::unique_ptr<CHOXFlowJumpEnd> marker = kt::test::LoadStored<CHOXFlowJumpEnd>(bytes);
    ASSERT_NE(marker, nullptr);
    marker->SetWnd(chart);
    marker->SetPointerNumber(5);
    EXPECT_EQ(marker->GetEndFollows(), 0);
    EXPECT_EQ(marker->GetCode(), QStringLiteral("JMP(FNC04) P5;"));
    EXPECT_EQ(marker->GetSteps(), 4);
}

TEST_F(FlowJumpTest, AMarkerIsDrawnFilledWhenAnEndFollows)
{
    CHOXFlowJumpEnd filled(1, CRect(5, 5, 15, 15), chart);
    QByteArray bytes = kt::test::StoredBytes(&filled);
    bytes[bytes.size() - 8] = 0;
    std::unique_ptr<CHOXFlowJumpEnd> outlined = kt::test::LoadStored<CHOXFlowJumpEnd>(bytes);
    ASSERT_NE(outlined, nullptr);

    for (CHOXFlowJumpEnd* marker : {&filled, outlined.get()}) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            CDC dc(painter);
            marker->Draw(&dc);
        }
        const bool wantFilled = marker->GetEndFollows() == 1;
        EXPECT_EQ(QColor(image.pixel(10, 10)), wantFilled ? QColor(Qt::black) : QColor(Qt::white));
        EXPECT_EQ(QColor(image.pixel(5, 10)), QColor(Qt::black)); // the outline
        EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(Qt::white));
    }
}
