// The stored forms of the flow-control symbols and of the jump-end marker:
// golden bytes, reading them back, and damaged input.
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include "chart/HOXPin.h"
#include "symbols/FlowSymbolTestSupport.h"

using kt::test::Ascii;
using kt::test::FlowDocTest;
using kt::test::LoadStored;
using kt::test::StoredBytes;

namespace {

// The class tag of a class written for the first time: new-class mark,
// schema 0, name.
QByteArray NewClass(const char* name)
{
    const auto n = static_cast<unsigned>(qstrlen(name));
    return "ffff" "0000" + QByteArray::number(n, 16).rightJustified(2, '0') + "00" + Ascii(name);
}

// id 5, bounds (100, 50, 164, 82).
const QByteArray kIdAndBounds = "05000000" "64000000" "32000000" "a4000000" "52000000";
// Display comment 1 ... category 0, state 0 around the label.
const QByteArray kFlags = "01000000";
const QByteArray kCategoryAndState = "00000000" "00000000";
// Free pins: number, offset x, offset y, kind, side, link.
const QByteArray kOutputPin0 = "00000000" "20000000" "20000000" "01000000" "00000000" "ffffffff";
const QByteArray kInputPin0 = "00000000" "20000000" "00000000" "00000000" "01000000" "ffffffff";
const QByteArray kOutputPin1 = "01000000" "20000000" "20000000" "01000000" "00000000" "ffffffff";

class FlowStoredFormTest : public FlowDocTest {
protected:
    template <class T>
    T* Make(CHOXWnd* wnd)
    {
        T* symbol = Place<T>(wnd);
        symbol->SetId(5);
        return symbol;
    }
};

} // namespace

TEST_F(FlowStoredFormTest, Start)
{
    auto* start = Make<CHOXFlowStart>(chart);
    start->SetProgramNumber(12);
    start->SetComment(QStringLiteral("Note"));
    const QByteArray expected = NewClass("CHOXFlowStart") + kIdAndBounds +
                                "05" + Ascii("START") +        // symbol name
                                "04" + Ascii("Note") +         // comment
                                kFlags +                       // display comment
                                "04" + Ascii("Ox12") +         // label
                                kFlags +                       // display contents
                                kCategoryAndState +            //
                                "0100" + NewClass("CHOXPin") + kOutputPin0 +
                                "00000000" +                   // axis
                                "0c000000";                    // program number
    EXPECT_EQ(StoredBytes(start).toHex(), expected);

    auto back = LoadStored<CHOXFlowStart>(QByteArray::fromHex(expected));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetId(), 5u);
    EXPECT_EQ(back->GetAxis(), 0);
    EXPECT_EQ(back->GetProgramNumber(), 12);
    EXPECT_EQ(back->GetComment(), QStringLiteral("Note"));
    EXPECT_EQ(back->GetLabel(), QStringLiteral("Ox12"));
    EXPECT_EQ(back->GetSymbolName(), QStringLiteral("START"));
    EXPECT_EQ(back->GetPinCount(), 1);
    EXPECT_EQ(StoredBytes(back.get()).toHex(), expected);
}

TEST_F(FlowStoredFormTest, EndRetAndTheNumberedSymbols)
{
    auto* end = Make<CHOXFlowEnd>(subtask);
    auto* ret = Make<CHOXFlowRet>(chart);
    auto* subroutine = Make<CHOXFlowSubRtn>(chart);
    subroutine->SetPointerNumber(33);
    auto* pointer = Make<CHOXFlowPointer>(chart);
    pointer->SetPointerNumber(200);
    auto* call = Make<CHOXFlowCall>(chart);
    call->SetPointerNumber(7);

    const QByteArray pin = NewClass("CHOXPin");
    const struct {
        CHOXSymbol* symbol;
        QByteArray expected;
    } cases[] = {
        {end, NewClass("CHOXFlowEnd") + kIdAndBounds + "03" + Ascii("END") + "00" + kFlags + "00" + kFlags +
                  kCategoryAndState + "0100" + pin + kInputPin0 + "01000000"}, // end kind SEND
        {ret, NewClass("CHOXFlowRet") + kIdAndBounds + "03" + Ascii("RET") + "00" + kFlags + "00" + kFlags +
                  kCategoryAndState + "0100" + pin + kInputPin0},               // nothing of its own
        {subroutine, NewClass("CHOXFlowSubRtn") + kIdAndBounds + "0a" + Ascii("SUBROUTINE") + "00" + kFlags + "03" +
                         Ascii("P33") + kFlags + kCategoryAndState + "0100" + pin + kOutputPin0 + "21000000"},
        {pointer, NewClass("CHOXFlowPointer") + kIdAndBounds + "07" + Ascii("POINTER") + "00" + kFlags + "04" +
                      Ascii("P200") + kFlags + kCategoryAndState + "0100" + pin + kOutputPin0 + "c8000000"},
        // The second pin refers back to the pin class (index 3).
        {call, NewClass("CHOXFlowCall") + kIdAndBounds + "0f" + Ascii("SUBROUTINE CALL") + "00" + kFlags + "02" +
                   Ascii("P7") + kFlags + kCategoryAndState + "0200" + pin + kInputPin0 + "0380" + kOutputPin1 +
                   "07000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbol->GetSymbolName().toStdString());
        const QByteArray bytes = StoredBytes(c.symbol);
        EXPECT_EQ(bytes.toHex(), c.expected);
        auto back = LoadStored<CHOXSymbol>(bytes);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetRuntimeClass(), c.symbol->GetRuntimeClass());
        EXPECT_EQ(back->GetLabel(), c.symbol->GetLabel());
        EXPECT_EQ(back->GetCode(), c.symbol->GetCode());
        EXPECT_EQ(StoredBytes(back.get()).toHex(), c.expected);
    }
}

TEST_F(FlowStoredFormTest, JumpKeepsItsCaptionButNotItsCaptionMode)
{
    auto* jump = Make<CHOXFlowJump>(chart);
    jump->SetPointerNumber(12);
    jump->SetCaptionMode(0); // behind a side exit: "JUMPWEND"
    jump->SetEndKind(1);
    const QByteArray expected = NewClass("CHOXFlowJump") + kIdAndBounds + "08" + Ascii("JUMPWEND") + "00" + kFlags +
                                "03" + Ascii("P12") + kFlags + kCategoryAndState + "0100" + NewClass("CHOXPin") +
                                kInputPin0 +
                                "0c000000" +  // target
                                "01000000" +  // end follows
                                "01000000";   // end kind
    EXPECT_EQ(StoredBytes(jump).toHex(), expected);

    auto back = LoadStored<CHOXFlowJump>(QByteArray::fromHex(expected));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetPointerNumber(), 12);
    EXPECT_EQ(back->GetEndFollows(), 1);
    EXPECT_EQ(back->GetEndKind(), 1);
    EXPECT_EQ(back->GetCaptionMode(), 1);
    EXPECT_EQ(back->GetSymbolName(), QStringLiteral("JUMPWEND"));
    EXPECT_EQ(StoredBytes(back.get()).toHex(), expected);
}

TEST_F(FlowStoredFormTest, TheMarkerStoresIdBoundsEndAndKindOnly)
{
    CHOXFlowJumpEnd marker(42, CRect(95, 145, 105, 155), subtask);
    const QByteArray expected = NewClass("CHOXFlowJumpEnd") +
                                "ffffffff" +                                        // id
                                "5f000000" "91000000" "69000000" "9b000000" +       // bounds
                                "01000000" +                                        // end follows
                                "01000000";                                         // end kind
    EXPECT_EQ(StoredBytes(&marker).toHex(), expected);

    std::unique_ptr<CHOXFlowJumpEnd> back;
    CArchive in(QByteArray::fromHex(expected));
    in >> back;
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(in.BytesLeft(), 0u);
    EXPECT_EQ(back->GetId(), 0xFFFFFFFFu);
    EXPECT_EQ(back->GetRect(), CRect(95, 145, 105, 155));
    EXPECT_EQ(back->GetEndFollows(), 1);
    EXPECT_EQ(back->GetEndKind(), 1);
    EXPECT_EQ(StoredBytes(back.get()).toHex(), expected);

    // The null reference reads as no marker.
    CArchive none(QByteArray::fromHex("0000"));
    none >> back;
    EXPECT_EQ(back, nullptr);
}

TEST_F(FlowStoredFormTest, LoadingStartsFromTheLoadDefaults)
{
    EXPECT_EQ(CHOXFlowStart().GetAxis(), 2);
    EXPECT_EQ(CHOXFlowStart().GetProgramNumber(), 0);
    EXPECT_EQ(CHOXFlowPointer().GetPointerNumber(), 0);
    EXPECT_EQ(CHOXFlowSubRtn().GetPointerNumber(), 0);
    EXPECT_EQ(CHOXFlowCall().GetPointerNumber(), -1);
    EXPECT_EQ(CHOXFlowEnd().GetEndKind(), 0);
    CHOXFlowJump jump;
    EXPECT_EQ(jump.GetSymbolName(), QStringLiteral("JUMP"));
    EXPECT_EQ(jump.GetCaptionMode(), 1);
    const struct {
        std::unique_ptr<CHOXSymbol> symbol;
        const char* name;
    } made[] = {
        {std::make_unique<CHOXFlowStart>(), "START"},        {std::make_unique<CHOXFlowEnd>(), "END"},
        {std::make_unique<CHOXFlowSubRtn>(), "SUBROUTINE"},  {std::make_unique<CHOXFlowPointer>(), "POINTER"},
        {std::make_unique<CHOXFlowCall>(), "SUBROUTINE CALL"}, {std::make_unique<CHOXFlowRet>(), "RET"},
    };
    for (const auto& m : made) {
        EXPECT_EQ(m.symbol->GetSymbolName(), QString::fromLatin1(m.name));
        EXPECT_EQ(m.symbol->GetCategory(), 0);
        EXPECT_EQ(m.symbol->GetPinCount(), 0);
    }
}

TEST_F(FlowStoredFormTest, CutShortInputIsRefused)
{
    auto* start = Make<CHOXFlowStart>(chart);
    auto* jump = Make<CHOXFlowJump>(chart);
    CHOXFlowJumpEnd marker(1, CRect(0, 0, 10, 10), chart);
    for (CObject* object : std::initializer_list<CObject*>{start, jump, &marker}) {
        const QByteArray bytes = StoredBytes(object);
        for (int cut : {1, 4, 5, 8}) {
            CArchive in(bytes.left(bytes.size() - cut));
            EXPECT_THROW(in.ReadOwned<CObject>(), ArchiveError) << cut;
        }
    }
}
