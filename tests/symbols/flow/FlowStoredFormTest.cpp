// The stored forms of the flow-control symbols and of the jump-end marker:
// golden bytes, reading them back, and damaged input.
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowProgText.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include "chart/HOXPin.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "support/StoredFragments.h"

using kt::test::Ascii;
using kt::test::FlowDocTest;
using kt::test::LoadStored;
using kt::test::StoredBytes;
using kt::test::hex::kIdAndBounds;
using kt::test::hex::kInputPin0;
using kt::test::hex::kOutputPin0;
using kt::test::hex::kOutputPin1;
using kt::test::hex::kSideExitPin2;
using kt::test::hex::NewClass;

namespace {

// Display comment 1 ... category 0, state 0 around the label.
const QByteArray kFlags = "01000000";
const QByteArray kCategoryAndState = "00000000" "00000000";

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

TEST_F(FlowStoredFormTest, ConditionalJumpOfEachForm)
{
    using kt::test::hex::Device;
    using kt::test::hex::I32;
    using kt::test::hex::Str;
    const QByteArray empty = Device(0, 0, -1);
    auto part = [](const char* label) {
        return NewClass("CHOXFlowCJump") + kIdAndBounds + Str("CONDITIONAL JUMP") + "00" + kFlags + Str(label) +
               kFlags + kCategoryAndState + "0300" + NewClass("CHOXPin") + kInputPin0 + "0380" + kOutputPin1 +
               "0380" + kSideExitPin2;
    };
    QString message;
    auto* fresh = Make<CHOXFlowCJump>(chart);
    auto* bit = Make<CHOXFlowCJump>(chart);
    bit->SetNegated(1);
    bit->SetBitCondition(QStringLiteral("LD X0;\nANI M5;"));
    auto* compare = Make<CHOXFlowCJump>(chart);
    compare->SetKind(CHOXFlowCJump::kCompareForm);
    compare->SetCompare32Bit(1);
    compare->SetCompareOperand1(QStringLiteral("DD10Z2"), message);
    compare->SetCompareOperand2(QStringLiteral("K-5"), message);
    compare->SetCompareCondition(CHOXFlowCJump::kLess);
    compare->SetCompareOutputType(0);
    compare->SetCompareOutputNumber(17);
    auto* zone = Make<CHOXFlowCJump>(chart);
    zone->SetKind(CHOXFlowCJump::kZoneForm);
    zone->SetZoneOperand1(QStringLiteral("K1"), message);
    zone->SetZoneOperand2(QStringLiteral("K4M0"), message);
    zone->SetZoneOperand3(QStringLiteral("HFF"), message);
    zone->SetZoneOutputNumber(30);
    // A setter the dialog does not reach stays stored as set.
    zone->SetCompareCondition(CHOXFlowCJump::kNotEqual);

    const struct {
        const char* what;
        CHOXFlowCJump* symbol;
        const char* label;
        QByteArray own;
    } cases[] = {
        {"new", fresh, "\n",
         I32(0) + I32(0) + Str("") + I32(0) + empty + empty + I32(2) + I32(1) + I32(0) + I32(0) + empty + empty + empty +
             I32(1) + I32(0)},
        {"bit, negated", bit, "LD X0;\nANI M5;\n",
         I32(0) + I32(1) + Str("LD X0;\nANI M5;") + I32(0) + empty + empty + I32(2) + I32(1) + I32(0) + I32(0) + empty +
             empty + empty + I32(1) + I32(0)},
        {"compare", compare, "DD10Z2 < K-5",
         I32(1) + I32(0) + Str("") + I32(1) + Device(2, 0, 10, 2, 2) + Device(3, 0, -5) + I32(5) + I32(0) + I32(17) +
             I32(0) + empty + empty + empty + I32(1) + I32(0)},
        {"zone", zone, "K1 <= K4M0 <= HFF",
         I32(2) + I32(0) + Str("") + I32(0) + empty + empty + I32(3) + I32(1) + I32(0) + I32(0) + Device(3, 0, 1) +
             Device(5, 4, 0) + Device(4, 0, 255) + I32(1) + I32(30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.symbol->UpdateText();
        c.symbol->CalcSteps();
        const QByteArray expected = part(c.label) + c.own;
        const QByteArray bytes = StoredBytes(c.symbol);
        EXPECT_EQ(bytes.toHex(), expected);
        auto back = LoadStored<CHOXFlowCJump>(bytes);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetKind(), c.symbol->GetKind());
        EXPECT_EQ(back->GetLabel(), QString::fromLatin1(c.label));
        EXPECT_EQ(back->GetCode(), c.symbol->GetCode());
        EXPECT_EQ(StoredBytes(back.get()).toHex(), expected);
        back->SetWnd(chart);
        back->CalcSteps();
        EXPECT_EQ(back->GetSteps(), c.symbol->GetSteps());
        EXPECT_EQ(back->GetErrorState(), c.symbol->GetErrorState());
    }
}

TEST_F(FlowStoredFormTest, ProgramInTextWithItsPointerSet)
{
    using kt::test::hex::I32;
    using kt::test::hex::Str;
    auto* text = Make<CHOXFlowProgText>(chart);
    text->SetText(QStringLiteral("P1;\nP17;\nP33;\nJMP(FNC04) P1;\n"));
    // One number in each of the buckets 0, 1 and 2, added out of order.
    for (int n : {33, 1, 17}) text->AddPointerNumber(n);
    const QByteArray expected = NewClass("CHOXFlowProgText") + kIdAndBounds + Str("PROGRAM in TEXT") + "00" + kFlags +
                                Str("P1;\nP17;\nP33;\nJMP(FNC04) P1;\n") + kFlags + kCategoryAndState + "0200" +
                                NewClass("CHOXPin") + kInputPin0 + "0380" + kOutputPin1 +
                                "0300" + I32(1) + I32(1) + I32(17) + I32(17) + I32(33) + I32(33) + // the set
                                I32(0);                                                            // reserved
    EXPECT_EQ(StoredBytes(text).toHex(), expected);

    auto back = LoadStored<CHOXFlowProgText>(QByteArray::fromHex(expected));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetText(), text->GetText());
    EXPECT_EQ(back->GetPointerNumbers(), (std::vector<std::int32_t>{1, 17, 33}));
    EXPECT_EQ(StoredBytes(back.get()).toHex(), expected);
    // The reserved word is read and forgotten.
    QByteArray odd = QByteArray::fromHex(expected);
    odd[odd.size() - 4] = 7;
    EXPECT_EQ(StoredBytes(LoadStored<CHOXFlowProgText>(odd).get()).toHex(), expected);
}

TEST_F(FlowStoredFormTest, CutShortConditionalJumpsAndProgramTextsAreRefused)
{
    auto* cjump = Make<CHOXFlowCJump>(chart);
    auto* text = Make<CHOXFlowProgText>(chart);
    text->AddPointerNumber(3);
    for (CObject* object : std::initializer_list<CObject*>{cjump, text}) {
        const QByteArray bytes = StoredBytes(object);
        for (int cut : {1, 4, 5, 8, 12}) {
            CArchive in(bytes.left(bytes.size() - cut));
            EXPECT_THROW(in.ReadOwned<CObject>(), ArchiveError) << cut;
        }
    }
    // A count of pointers beyond what the input holds.
    QByteArray many = StoredBytes(text);
    many.replace(many.size() - 14, 2, QByteArray::fromHex("ff7f"));
    CArchive in(many);
    EXPECT_THROW(in.ReadOwned<CObject>(), ArchiveError);
}
