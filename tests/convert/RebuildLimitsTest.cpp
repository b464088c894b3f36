// Where the rebuild runs out of room: the window limit, symbol and wire ids,
// numbers already taken, pointer numbers beyond the controller's; and the
// builders of flow symbols and program ends on their own.
#include "convert/RebuildFixture.h"

#include "support/Scripted.h"
#include "symbols/flow/HOXFlowCall.h"

using kt::test::Lines;
using kt::test::RebuildFixture;
using kt::test::ScriptedMessages;

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

class RebuildLimitsTest : public RebuildFixture {
protected:
    // A record the rebuild does not show, which holds the ids given.
    CHOXFlowWnd* AddFiller(CHOXDoc* doc, int symbols, int wires)
    {
        auto filler = doc->NewFlowWindow(L("Filler"), QString());
        CHOXFlowWnd* raw = filler.get();
        doc->AddWindow(L("Filler"), std::move(filler), true);
        for (int id = 0; id < symbols; ++id) {
            auto symbol = std::make_unique<CHOXSymbol>(CPoint(10, 10), raw);
            symbol->SetId(static_cast<DWORD>(id));
            raw->AddObject(std::move(symbol));
        }
        for (int id = 0; id < wires; ++id) {
            auto wire = std::make_unique<CHOXConnect>(CRect(), raw);
            wire->SetId(static_cast<DWORD>(id));
            raw->AddConnect(std::move(wire));
        }
        return raw;
    }

    // No object of any chart under an id that is no id.
    static void ExpectNoBadIds(CHOXDoc* doc)
    {
        for (const auto& [name, wnd] : doc->GetWindowMap()) {
            if (name == u"Filler") continue;
            for (const auto& [key, object] : wnd->GetObjectMap()) EXPECT_EQ(object->GetId(), key) << name.toStdString();
            for (const auto& [key, object] : wnd->GetConnectMap()) {
                EXPECT_EQ(object->GetId(), key) << name.toStdString();
                const auto* wire = static_cast<const CHOXConnect*>(object.get());
                EXPECT_NE(chart::FindSymbol(wnd.get(), wire->GetSourceId()), nullptr);
                EXPECT_NE(chart::FindSymbol(wnd.get(), wire->GetTargetId()), nullptr);
            }
        }
    }
};

} // namespace

TEST_F(RebuildLimitsTest, AtTheWindowLimitItStopsKeepingWhatItMade)
{
    CHOXDoc* doc = ReadDocument(1);
    ASSERT_NE(doc, nullptr);
    for (int n = 1; n <= 499; ++n) {
        const QString name = QStringLiteral("Chart %1").arg(n);
        doc->AddWindow(name, doc->NewFlowWindow(name, QString()));
    }
    CHOXProgReader r(doc);
    r.SplitStatements(L("OX1; m10; LD X0; m02; OX2; m11; m02;"));
    {
        ScriptedMessages messages;
        messages.Expect(L("Cannot create more than 500 flow chart windows."), MB_OK, IDOK);
        r.GenerateFlowCharts();
    }
    EXPECT_TRUE(r.IsStopped());
    EXPECT_EQ(doc->GetWindowMap().GetCount(), 500u);
    CHOXFlowWnd* last = doc->FindWindowByName(L("Flow Chart501"));
    ASSERT_NE(last, nullptr);
    QStringList dump = Dump(doc);
    dump = dump.mid(dump.indexOf(L("[Flow Chart501]")));
    EXPECT_EQ(Lines(dump),
              Lines({L("[Flow Chart501]"), L("0 START Ox1 @250,10"), L("1 MCODE m10 @250,80"),
                     L("2 TEXT LD X0; @250,150"), L("3 END k0 @250,220"), L("w 0.0>1"), L("w 1.1>2"), L("w 2.1>3")}));
    ExpectNoBadIds(doc);
}

// Symbol and wire ids that ran out (-1) used to be used as ids.
TEST_F(RebuildLimitsTest, WhenSymbolIdsRunOutItStopsWithoutUsingOne)
{
    CHOXDoc* doc = ReadDocument(1);
    ASSERT_NE(doc, nullptr);
    // Three symbol ids are left: 3998, 3999 and 4000.
    AddFiller(doc, 3998, 0);
    doc->SetIdCounters({4000, 0, 0, 0, 20});
    CHOXProgReader r(doc);
    r.SplitStatements(L("OX1; m10; m11; m12; m02;"));
    {
        ScriptedMessages messages;
        messages.Expect(L("ERROR : Number of Symbols exceeded the limit."), MB_OK | MB_ICONHAND, IDOK);
        r.GenerateFlowCharts();
    }
    EXPECT_TRUE(r.IsStopped());
    EXPECT_EQ(Lines(Dump(doc)), Lines({L("[Flow Chart3]"), L("0 START Ox1 @250,10"), L("1 MCODE m10 @250,80"),
                                       L("2 MCODE m11 @250,150"), L("w 0.0>1"), L("w 1.1>2")}));
    ExpectNoBadIds(doc);
    // The program number the START took is the only one taken.
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 1));
    EXPECT_EQ(doc->FindFreeProgramNumber(0), 0);
}

TEST_F(RebuildLimitsTest, WhenWireIdsRunOutItStopsWithoutUsingOne)
{
    CHOXDoc* doc = ReadDocument(1);
    ASSERT_NE(doc, nullptr);
    // One wire id is left.
    AddFiller(doc, 0, 4000);
    doc->SetIdCounters({0, 4000, 0, 0, 20});
    CHOXProgReader r(doc);
    r.SplitStatements(L("OX1; m10; m02; OX2; m02;"));
    {
        ScriptedMessages messages;
        messages.Expect(L("ERROR : Number of Wires exceeded the limit."), MB_OK | MB_ICONHAND, IDOK);
        r.GenerateFlowCharts();
    }
    EXPECT_TRUE(r.IsStopped());
    EXPECT_EQ(Lines(Dump(doc)), Lines({L("[Flow Chart3]"), L("0 START Ox1 @250,10"), L("1 MCODE m10 @250,80"),
                                       L("2 END k0 @250,150"), L("w 0.0>1")}));
    ExpectNoBadIds(doc);
}

// The START used to give back its constructor's number, then give back the
// same number once more in its new axis's table when its axis and number
// were set: on a two-axis controller a Y program's number came free, and a
// second START with that number went unnoticed.
TEST_F(RebuildLimitsTest, ProgramNumbersAreTakenInTheirOwnAxis)
{
    CHOXProgReader& r = Rebuild(L("OY0; m02; OY5; m02; OY0; m02; OX5; m02;"), 1);
    CHOXDoc* doc = r.GetDocument();
    const QStringList dump = Dump(doc);
    EXPECT_TRUE(dump.contains(L("0 START Oy0 @250,10"))) << Lines(dump);
    EXPECT_TRUE(dump.contains(L("0 START Oy5 @250,10"))) << Lines(dump);
    EXPECT_TRUE(dump.contains(L("0 START Oy0 @250,10 s2"))) << Lines(dump);
    EXPECT_TRUE(dump.contains(L("0 START Ox5 @250,10"))) << Lines(dump);
    for (int n = 0; n <= 99; ++n) {
        EXPECT_EQ(doc->IsProgramNumberUsed(0, n), n == 5) << n;
        EXPECT_EQ(doc->IsProgramNumberUsed(1, n), n == 0 || n == 5) << n;
    }
}

TEST_F(RebuildLimitsTest, FlowSymbolsAndProgramEndsOnTheirOwn)
{
    CHOXDoc* doc = ReadDocument(1);
    ASSERT_NE(doc, nullptr);
    CHOXProgReader r(doc);
    CHOXFlowWnd* wnd = r.OpenNewChartWindow(0);
    ASSERT_NE(wnd, nullptr);
    const struct {
        int type;
        const char* name;
        const char* operands;
        const char* symbol;
    } rows[] = {
        {1, "JMP", "P300;", "JUMP P300 e0 c1 k-1 @0,0 s2"},
        {1, "JMP", "P255;", "JUMP P255 e0 c1 k-1 @0,0"},
        {0, "JMP", "P128;", "JUMP P128 e0 c1 k-1 @0,0 s2"},
        {0, "JMP", "P127;", "JUMP P127 e0 c1 k-1 @0,0"},
        // A number that does not fit is no number.
        {1, "JMP", "P99999999999;", "JUMP  e0 c1 k-1 @0,0 s2"},
        {1, "JMP", "P5X;", "JUMP  e0 c1 k-1 @0,0 s2"},
        {1, "CALL", "P300;", "CALL P300 @0,0 s2"},
        {0, "call", "P12;", "CALL P12 @0,0"},
        {1, "RET", "", "RET @0,0"},
        {1, "CMP", "D0 D1 M0;", ""},
        {1, "MOV", "K1 D0;", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + row.operands);
        doc->SetControllerType(row.type);
        r.SetStatements({});
        const std::int32_t read = r.GetJumpsRead();
        CHOXSymbol* symbol = r.BuildFlowSymbol(wnd, L(row.name), QString(), L(row.operands));
        if (*row.symbol == 0) {
            EXPECT_EQ(symbol, nullptr);
            continue;
        }
        ASSERT_NE(symbol, nullptr);
        symbol->m_position = CRect(0, 0, 64, 32);
        EXPECT_EQ(Describe(symbol).toStdString(), row.symbol);
        EXPECT_EQ(wnd->LookupObject(static_cast<WORD>(symbol->GetId())), symbol);
        EXPECT_EQ(r.GetJumpsRead() - read, symbol->GetObjectType() == objtype::kFlowJump ? 1 : 0);
    }
    // A JUMP alone counts its own line only.
    CHOXSymbol* jump = r.BuildFlowSymbol(wnd, L("JMP"), QString(), L("P1;"));
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(jump->GetSteps(), 4);

    doc->SetControllerType(1);
    CHOXSymbol* end = r.BuildProgramEnd(wnd, objtype::kFlowStart, 1);
    ASSERT_NE(end, nullptr);
    end->m_position = CRect(0, 0, 64, 32);
    EXPECT_EQ(Describe(end).toStdString(), "END k-1 @0,0 s3");
    EXPECT_EQ(end->GetSteps(), 0);
    CHOXSymbol* ret = r.BuildProgramEnd(wnd, objtype::kFlowSubRtn, 1);
    ASSERT_NE(ret, nullptr);
    ret->m_position = CRect(0, 0, 64, 32);
    EXPECT_EQ(Describe(ret).toStdString(), "RET @0,0");
    CHOXFlowWnd* subtask = r.OpenNewChartWindow(1);
    ASSERT_NE(subtask, nullptr);
    CHOXSymbol* send = r.BuildProgramEnd(subtask, objtype::kFlowStart, 1);
    ASSERT_NE(send, nullptr);
    send->m_position = CRect(0, 0, 64, 32);
    EXPECT_EQ(Describe(send).toStdString(), "END k-1 @0,0 s3");
    CHOXSymbol* plain = r.BuildProgramEnd(subtask, objtype::kFlowPointer, 0);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(static_cast<CHOXFlowEnd*>(plain)->GetEndKind(), 1);
    EXPECT_EQ(plain->GetState(), 0);
}

TEST_F(RebuildLimitsTest, EntrySymbolsAndTheStartPlaceholder)
{
    CHOXDoc* doc = ReadDocument(2);
    ASSERT_NE(doc, nullptr);
    CHOXProgReader r(doc);
    CHOXFlowWnd* wnd = r.OpenNewChartWindow(0);
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(r.BuildEntrySymbol(wnd, 5, objtype::kFlowEnd, 0), nullptr);
    std::unique_ptr<CHOXSymbol> start = r.CreateUnnumberedStart(wnd);
    ASSERT_NE(start, nullptr);
    auto* placeholder = static_cast<CHOXFlowStart*>(start.get());
    EXPECT_EQ(placeholder->GetState(), CHOXSymbol::kMissing);
    EXPECT_EQ(placeholder->GetProgramNumber(), -1);
    EXPECT_EQ(placeholder->GetAxis(), 2);
    EXPECT_TRUE(placeholder->GetLabel().isEmpty());
    EXPECT_EQ(doc->FindFreeProgramNumber(2), 0);
    std::unique_ptr<CHOXSymbol> head = r.BuildEntrySymbol(wnd, 100, objtype::kFlowStart, 2);
    ASSERT_NE(head, nullptr);
    // Not the subtask's chart: the subtask's number cannot be held here.
    EXPECT_EQ(head->GetState(), CHOXSymbol::kError);
    EXPECT_EQ(head->GetLabel().toStdString(), "O100");
    EXPECT_EQ(doc->FindFreeProgramNumber(2), 0);
}
