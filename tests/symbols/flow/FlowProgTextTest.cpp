// PROGRAM in TEXT: what its tool makes, its code and steps through the
// instruction checker, its jump targets, its pointer set, and the pointer
// numbers it holds in the document through loading, deletion, undo and redo,
// chart deletion and copies.
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowProgText.h"

#include "app/PaletteTools.h"
#include "chart/FlowViewFixture.h"
#include "chart/HOXPin.h"
#include "chart/RecordingPainter.h"
#include "convert/HOXInstrParser.h"
#include "platform/CompoundFile.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "support/StoredFragments.h"
#include "symbols/SymbolTextCases.h"

#include <QPainter>
#include <QTemporaryDir>

using kt::test::FlowDocTest;
using kt::test::LoadStored;
using kt::test::StoredBytes;

namespace {

class FlowProgTextTest : public FlowDocTest {
protected:
    CHOXFlowProgText* Text(const QString& text, CHOXWnd* wnd = nullptr)
    {
        auto* symbol = Place<CHOXFlowProgText>(wnd != nullptr ? wnd : chart);
        symbol->SetText(text);
        return symbol;
    }
    // Takes the labels as the dialog does: into the set and the table.
    void Hold(CHOXFlowProgText* symbol, std::initializer_list<int> numbers)
    {
        for (int n : numbers) {
            symbol->AddPointerNumber(n);
            doc->MarkPointerNumberUsed(n);
        }
    }
};

} // namespace

TEST_F(FlowProgTextTest, TheToolMakesAnEmptyTextWithTwoPins)
{
    std::unique_ptr<CHOXSymbol> made = MakeToolSymbol(ID_TOOL_FLOW_PROGTEXT, CPoint(100, 50), chart);
    auto* text = dynamic_cast<CHOXFlowProgText*>(made.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetObjectType(), 308);
    EXPECT_EQ(text->GetSymbolName(), QStringLiteral("PROGRAM in TEXT"));
    EXPECT_EQ(text->GetCategory(), 0);
    EXPECT_EQ(text->GetLabel(), QString());
    EXPECT_EQ(text->GetCode(), QString());
    EXPECT_EQ(text->GetSteps(), 0);
    EXPECT_EQ(text->GetErrorState(), 0);
    EXPECT_TRUE(text->GetPointerNumbers().empty());
    EXPECT_TRUE(text->GetHeldNumbers().empty());
    ASSERT_EQ(text->GetPinCount(), 2);
    EXPECT_EQ(text->GetPinPosition(0), CPoint(132, 50));
    EXPECT_TRUE(text->GetPin(0)->IsInputSide());
    EXPECT_EQ(text->GetPinPosition(1), CPoint(132, 82));
    EXPECT_FALSE(text->GetPin(1)->IsInputSide());
    EXPECT_EQ(UsedPointerNumbers(), 0);
    EXPECT_EQ(MakeToolSymbol(ID_TOOL_FLOW_PROGTEXT, CPoint(0, 0), monitor)->GetPinCount(), 0);
}

TEST_F(FlowProgTextTest, TheCodeIsTheTextWithoutItsFinalLineEndOnly)
{
    const struct {
        const char* text;
        const char* code;
    } cases[] = {
        {"LD X0;\n", "LD X0;"},
        {"LD X0;\nOUT Y0;\n", "LD X0;\nOUT Y0;"},
        // A text set without its final line end keeps its last character.
        {"LD X0;", "LD X0;"},
        {"LD X0;\nOUT Y0;", "LD X0;\nOUT Y0;"},
        {"\n", ""},
        {"", ""},
        {"LD X0;\n\n", "LD X0;\n"},
    };
    auto* text = Place<CHOXFlowProgText>(chart);
    for (const auto& c : cases) {
        text->SetText(QString::fromLatin1(c.text));
        EXPECT_EQ(text->GetText(), QString::fromLatin1(c.text));
        EXPECT_EQ(text->GetCode(), QString::fromLatin1(c.code)) << c.text;
    }
}

TEST_F(FlowProgTextTest, StepsAreTheCheckersForTheLinesItAccepts)
{
    // Every function instruction's line in one text: the steps add up.
    MakeDocument(2);
    QString all;
    int expected = 0;
    for (const kt::test::SymbolTextCase& c : kt::test::FuncSymbolTextCases()) {
        all += QString::fromLatin1(c.code) + QStringLiteral("\n");
        expected += c.steps;
    }
    auto* text = Text(all);
    EXPECT_EQ(text->GetSteps(), 0); // SetText leaves the steps
    text->CalcSteps();
    EXPECT_EQ(text->GetSteps(), expected);

    // Refused lines count nothing; blank lines nothing either.
    const struct {
        const char* text;
        int steps;
    } cases[] = {
        {"LD X0;\nOUT Y0;\n", 2 + 4},
        {"LD X0;\nXYZ;\nOUT Y0;\n", 2 + 4},
        {"LD X0;\n\n   \nOUT Y0;\n", 2 + 4},
        {"MOV(FNC12)  K100 D10;\nDMOV(FNC12)  D0 D2;\n", 7},
        {"P5;\nJMP(FNC04) P5;\n", 6},
        {"JMP(FNC04) P999;\n", 0},
        {"LD X0;", 2},
        {"", 0},
    };
    for (const auto& c : cases) {
        text->SetText(QString::fromLatin1(c.text));
        text->CalcSteps();
        EXPECT_EQ(text->GetSteps(), c.steps) << c.text;
    }
    // The document's controller type decides: Y7 exists on two axes only.
    text->SetText(QStringLiteral("OUT Y7;\n"));
    text->CalcSteps();
    EXPECT_EQ(text->GetSteps(), 4);
    MakeDocument(0);
    auto* oneAxis = Text(QStringLiteral("OUT Y7;\nOUT Y5;\n"));
    oneAxis->CalcSteps();
    EXPECT_EQ(oneAxis->GetSteps(), 4);
}

TEST_F(FlowProgTextTest, JumpTargetsAreCheckedAgainstThePointerTable)
{
    const struct {
        const char* text;
        int target; // -1: nothing to hold
    } cases[] = {
        {"JMP(FNC04) P5;\n", 5},         {"CALL(FNC02) P6;\n", 6},
        {"LD X0;\nCJ(FNC00) P7;\n", 7},  {"LD X0;\nCJN(FNC01) P255;\n", 255},
        {"JMP(FNC04) P8; comment\n", 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MakeDocument(1);
        auto* text = Text(QString::fromLatin1(c.text));
        EXPECT_FALSE(text->CheckJumpTargets());
        // Once a symbol holds the number.
        auto* pointer = Place<CHOXFlowPointer>(chart);
        pointer->SetPointerNumber(c.target);
        EXPECT_TRUE(text->CheckJumpTargets());
    }

    MakeDocument(1);
    // Refused lines and other instructions are passed over; labels the text
    // holds itself count as held.
    EXPECT_TRUE(Text(QStringLiteral("JMP(FNC04) P999;\nLD X0;\nOUT Y0;\n"))->CheckJumpTargets());
    auto* self = Text(QStringLiteral("P9;\nLD X0;\nJMP(FNC04) P9;\n"));
    EXPECT_FALSE(self->CheckJumpTargets());
    Hold(self, {9});
    EXPECT_TRUE(self->CheckJumpTargets());
    // One missing target is enough.
    doc->MarkPointerNumberUsed(20);
    EXPECT_FALSE(Text(QStringLiteral("JMP(FNC04) P20;\nCALL(FNC02) P21;\n"))->CheckJumpTargets());
    // On the one-axis controller P200 is refused, so it is not looked at.
    MakeDocument(0);
    EXPECT_TRUE(Text(QStringLiteral("JMP(FNC04) P200;\n"))->CheckJumpTargets());
}

TEST_F(FlowProgTextTest, ThePointerSetKeepsTheOrderOfItsBuckets)
{
    auto* text = Place<CHOXFlowProgText>(chart);
    for (int n : {3, 20, 36, 4}) text->AddPointerNumber(n);
    // Bucket (n >> 4) mod 17, the newest first within a bucket.
    EXPECT_EQ(text->GetPointerNumbers(), (std::vector<std::int32_t>{4, 3, 20, 36}));
    EXPECT_TRUE(text->HasPointerNumber(36));
    EXPECT_FALSE(text->HasPointerNumber(35));
    text->RemovePointerNumber(3);
    text->AddPointerNumber(4); // already there: keeps its place
    EXPECT_EQ(text->GetPointerNumbers(), (std::vector<std::int32_t>{4, 20, 36}));
    // The set alone: the table is the caller's.
    EXPECT_EQ(UsedPointerNumbers(), 0);
    // It reports what it holds in number order.
    std::vector<int> held;
    for (const CHOXSymbol::HeldNumber& h : text->GetHeldNumbers()) {
        EXPECT_EQ(h.kind, CHOXSymbol::HeldNumber::kPointer);
        EXPECT_TRUE(h.givesBack);
        held.push_back(h.number);
    }
    EXPECT_EQ(held, (std::vector<int>{4, 20, 36}));
}

TEST_F(FlowProgTextTest, ItsNumbersAreMarkedAgainAfterLoading)
{
    auto* text = Text(QStringLiteral("P5;\nLD X0;\nP40;\nJMP(FNC04) P5;\n"));
    Hold(text, {5, 40});
    auto* copy = Text(QStringLiteral("P6;\n"), subtask);
    copy->AddPointerNumber(6);
    copy->SetState(CHOXSymbol::kError);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.hox"));
    ASSERT_TRUE(doc->OnSaveDocument(path));
    CHOXDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(path));
    // Every number a program in text holds, even one in the error state.
    for (int n = 0; n <= 255; ++n) EXPECT_EQ(loaded.IsPointerNumberUsed(n), n == 5 || n == 6 || n == 40) << n;
    auto* back = dynamic_cast<CHOXFlowProgText*>(
        loaded.FindWindowByName(QStringLiteral("Flow Chart1"))->LookupObject(static_cast<WORD>(text->GetId())));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetText(), text->GetText());
    EXPECT_EQ(back->GetSteps(), 2 + 2 + 2 + 4);
    EXPECT_TRUE(back->CheckJumpTargets());
}

TEST_F(FlowProgTextTest, TwoNumbersOfOneBucketComeBackInTheOtherOrder)
{
    // Loading enters the pairs in the order read, and a bucket lists its
    // newest entry first: each save and load turns such a pair round.
    auto* text = Text(QStringLiteral("P3;\nP4;\nP20;\n"));
    text->SetId(5);
    Hold(text, {3, 4, 20});
    ASSERT_EQ(text->GetPointerNumbers(), (std::vector<std::int32_t>{4, 3, 20}));
    // Count, key and value of each entry, the reserved word.
    auto tail = [](std::initializer_list<int> numbers) {
        QByteArray hex = "0300";
        for (int n : numbers) hex += kt::test::hex::I32(n) + kt::test::hex::I32(n);
        return hex + kt::test::hex::I32(0);
    };
    const QByteArray first = StoredBytes(text).toHex();
    ASSERT_TRUE(first.endsWith(tail({4, 3, 20}))) << first.toStdString();
    const qsizetype symbolPart = first.size() - tail({}).size() - 3 * 16;

    auto back = LoadStored<CHOXFlowProgText>(QByteArray::fromHex(first));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetPointerNumbers(), (std::vector<std::int32_t>{3, 4, 20}));
    const QByteArray second = StoredBytes(back.get()).toHex();
    EXPECT_EQ(second.left(symbolPart), first.left(symbolPart));
    EXPECT_EQ(second.mid(symbolPart), tail({3, 4, 20}));

    // Turned round again by the next load.
    auto again = LoadStored<CHOXFlowProgText>(QByteArray::fromHex(second));
    EXPECT_EQ(StoredBytes(again.get()).toHex(), first);

    // One number to a bucket: stored as it was.
    auto* spread = Text(QStringLiteral("P1;\nP17;\nP33;\nP49;\n"));
    for (int n : {1, 17, 33, 49}) spread->AddPointerNumber(n);
    const QByteArray bytes = StoredBytes(spread);
    EXPECT_EQ(StoredBytes(LoadStored<CHOXFlowProgText>(bytes).get()).toHex(), bytes.toHex());
}

namespace {

// Program texts placed with the palette's tool in a chart shown by a view,
// deleted with the view's Delete, brought back with Undo.
class ProgTextNumbersTest : public kt::test::FlowViewFixture {
protected:
    CHOXFlowProgText* PlaceText(CPoint at, std::initializer_list<int> labels)
    {
        auto* text = dynamic_cast<CHOXFlowProgText*>(PlaceWithTool(ID_TOOL_FLOW_PROGTEXT, at));
        EXPECT_NE(text, nullptr);
        if (text == nullptr) return nullptr;
        QString lines;
        for (int n : labels) {
            lines += QStringLiteral("P%1;\n").arg(n);
            text->AddPointerNumber(n);
            doc.MarkPointerNumberUsed(n);
        }
        text->SetText(lines);
        return text;
    }
    void Delete(CHOXDrawObj* object)
    {
        view.Select(object);
        view.OnEditDelete();
    }
    bool Used(int n) const { return doc.IsPointerNumberUsed(n); }
    bool InChart(const CHOXDrawObj* object) const
    {
        return wnd->LookupObject(static_cast<WORD>(object->GetId())) == object;
    }
};

} // namespace

TEST_F(ProgTextNumbersTest, DeletingGivesTheLabelsBackAndUndoTakesThemAgain)
{
    CHOXFlowProgText* text = PlaceText(CPoint(100, 50), {5, 40});
    ASSERT_NE(text, nullptr);
    Delete(text);
    EXPECT_FALSE(InChart(text));
    EXPECT_FALSE(Used(5));
    EXPECT_FALSE(Used(40));
    view.OnEditUndo();
    ASSERT_TRUE(InChart(text));
    EXPECT_TRUE(Used(5));
    EXPECT_TRUE(Used(40));
    EXPECT_EQ(text->GetState(), 0);
    view.OnEditRedo();
    EXPECT_FALSE(Used(5));
    EXPECT_FALSE(Used(40));
    view.OnEditUndo();
    EXPECT_TRUE(Used(5));
    EXPECT_TRUE(Used(40));
    // Deleting the chart gives them back too.
    wnd->GiveBackNumbers();
    EXPECT_FALSE(Used(5));
    EXPECT_FALSE(Used(40));
}

TEST_F(ProgTextNumbersTest, AKeptTextNeverGivesItsLabelsBackAgain)
{
    CHOXFlowProgText* text = PlaceText(CPoint(100, 50), {5});
    ASSERT_NE(text, nullptr);
    Delete(text);
    ASSERT_FALSE(Used(5));
    // Another holder takes the number; the store lets the deleted text go.
    CHOXFlowPointer* pointer = Place<CHOXFlowPointer>(90, CPoint(300, 50));
    pointer->SetPointerNumber(5);
    wnd->GetUndo()->Clear();
    EXPECT_TRUE(Used(5));
    // Nor does a text that the undo store still keeps when the document goes
    // (its destructor gives nothing back).
    CHOXFlowProgText* other = PlaceText(CPoint(100, 150), {6});
    ASSERT_NE(other, nullptr);
    Delete(other);
    doc.MarkPointerNumberUsed(6); // taken by another holder meanwhile
    {
        auto kept = std::make_unique<CHOXFlowProgText>(CPoint(0, 0), wnd);
        kept->AddPointerNumber(6);
    }
    EXPECT_TRUE(Used(6));
}

TEST_F(ProgTextNumbersTest, ARestoredTextWhoseLabelWasTakenMeanwhileComesBackInTheErrorState)
{
    CHOXFlowProgText* text = PlaceText(CPoint(100, 50), {5, 40});
    ASSERT_NE(text, nullptr);
    Delete(text);
    // A POINTER outside the undo step takes 40.
    CHOXFlowPointer* pointer = Place<CHOXFlowPointer>(90, CPoint(300, 50));
    pointer->SetPointerNumber(40);
    ASSERT_FALSE(Used(5));
    view.OnEditUndo();
    ASSERT_TRUE(InChart(text));
    // It cannot renumber its labels: it takes none of them, not even the
    // free one.
    EXPECT_EQ(text->GetState(), CHOXSymbol::kError);
    EXPECT_FALSE(Used(5));
    EXPECT_TRUE(Used(40));
    Delete(text);
    EXPECT_TRUE(Used(40)); // still the POINTER's
    view.OnEditUndo();
    EXPECT_FALSE(Used(5));
    EXPECT_TRUE(Used(40));
}

TEST_F(ProgTextNumbersTest, ACopyInTheErrorStateGivesNothingBack)
{
    CHOXFlowProgText* text = PlaceText(CPoint(100, 50), {5, 40});
    ASSERT_NE(text, nullptr);
    // A copy as a paste brings it: complete with its pointer set, put into
    // the error state because its labels are taken.
    std::unique_ptr<CHOXFlowProgText> copy = LoadStored<CHOXFlowProgText>(StoredBytes(text));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetPointerNumbers(), text->GetPointerNumbers());
    copy->SetState(CHOXSymbol::kError);
    copy->SetWnd(wnd);
    copy->SetId(static_cast<DWORD>(doc.NewSymbolId()));
    copy->ClearPinLinks();
    CHOXFlowProgText* pasted = copy.get();
    wnd->AddObject(std::move(copy));
    for (const CHOXSymbol::HeldNumber& held : pasted->GetHeldNumbers()) EXPECT_FALSE(held.givesBack);

    Delete(pasted);
    EXPECT_TRUE(Used(5));
    EXPECT_TRUE(Used(40));
    view.OnEditUndo();
    view.OnEditRedo();
    EXPECT_TRUE(Used(5));
    EXPECT_TRUE(Used(40));
    // The original still holds them, and gives them back when it goes.
    Delete(text);
    EXPECT_FALSE(Used(5));
    EXPECT_FALSE(Used(40));
}
