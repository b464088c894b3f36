// A document holding every function symbol, conditional jump and program in
// text is saved, loaded and saved again byte for byte, and comes back with
// the same program text, labels, steps and numbers.
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowProgText.h"

#include "app/PaletteTools.h"
#include "chart/HOXConnect.h"
#include "chart/HOXNode.h"
#include "params/HOXParam.h"
#include "platform/CompoundFile.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/SymbolTextCases.h"

#include <QTemporaryDir>

#include <map>

using kt::test::SymbolTextCase;

namespace {

class InstructionSymbolsDocumentTest : public kt::test::FlowDocTest {
protected:
    CHOXSymbol* Add(std::unique_ptr<CHOXSymbol> symbol, CHOXWnd* wnd)
    {
        symbol->SetId(static_cast<DWORD>(doc->NewSymbolId()));
        CHOXSymbol* raw = symbol.get();
        wnd->AddObject(std::move(symbol));
        return raw;
    }

    // POINTER -> END with the node of pointer 5 on the wire between them.
    void NodeOfPointer5()
    {
        auto* pointer = Place<CHOXFlowPointer>(chart, CPoint(20, 20));
        auto* end = Place<CHOXFlowEnd>(chart, CPoint(20, 200));
        auto wire = std::make_unique<CHOXConnect>(CRect(), chart);
        wire->SetId(static_cast<DWORD>(doc->NewWireId()));
        wire->SetSource(pointer->GetId(), 0);
        wire->SetTarget(end->GetId(), CHOXConnect::kTargetSymbol);
        CHOXConnect* raw = wire.get();
        chart->AddConnect(std::move(wire));
        raw->Reroute();
        const CPoint at = raw->GetSecondPoint();
        chart->AddNode(
            std::make_unique<CHOXNode>(5, CRect(at.x - 5, at.y - 5, at.x + 5, at.y + 5), raw->GetId(), chart));
        raw->SetNodeId(5);
        doc->MarkPointerNumberUsed(5);
    }
};

} // namespace

TEST_F(InstructionSymbolsDocumentTest, SavedLoadedAndSavedAgainTheSame)
{
    for (int type = 0; type <= 2; ++type) {
        SCOPED_TRACE(::testing::Message() << "type " << type);
        MakeDocument(type);
        std::int32_t fileRegisters = 10;
        ASSERT_TRUE(doc->GetParam().SetParam(&fileRegisters, 101, 0));
        NodeOfPointer5();
        std::map<DWORD, CHOXSymbol*> placed;
        const UINT tools[] = {ID_TOOL_FLOW_PROGTEXT, ID_TOOL_FLOW_CJUMP, ID_TOOL_FUNC_REPEAT,  ID_TOOL_FUNC_MOVE,
                              ID_TOOL_FUNC_BCDBIN,   ID_TOOL_FUNC_ARTH,  ID_TOOL_FUNC_LOGICAL, ID_TOOL_FUNC_ABS,
                              ID_TOOL_FUNC_EXT,      ID_TOOL_FUNC_SEGL,  ID_TOOL_FUNC_SETRST};
        for (UINT tool : tools) {
            CHOXSymbol* symbol = Add(MakeToolSymbol(tool, CPoint(200, 40), chart), chart);
            placed[symbol->GetId()] = symbol;
        }
        for (const SymbolTextCase& c : kt::test::FuncSymbolTextCases()) {
            CHOXSymbol* symbol = Add(c.make(chart), chart);
            symbol->SetComment(QString::fromLatin1(c.what).left(20));
            placed[symbol->GetId()] = symbol;
        }
        for (const SymbolTextCase& c : kt::test::CJumpTextCases()) {
            CHOXSymbol* symbol = Add(c.make(chart), chart);
            kt::test::JumpToNode5(chart, symbol);
            symbol->SetComment(QString::fromLatin1(c.what).left(20));
            placed[symbol->GetId()] = symbol;
        }
        auto* text = Place<CHOXFlowProgText>(subtask, CPoint(200, 40));
        text->SetText(QStringLiteral("P1;\nP17;\nLD X0;\nCJ(FNC00) P5;\nP33;\n"));
        for (int n : {33, 17, 1}) {
            text->AddPointerNumber(n);
            doc->MarkPointerNumberUsed(n);
        }
        placed[text->GetId()] = text;
        Add(MakeToolSymbol(ID_TOOL_FUNC_MOVE, CPoint(300, 40), monitor), monitor);
        Add(MakeToolSymbol(ID_TOOL_FLOW_CJUMP, CPoint(300, 140), monitor), monitor);
        for (auto& [id, symbol] : placed) {
            symbol->UpdateText();
            symbol->CalcSteps();
        }
        const int steps = chart->CountProgramSteps();
        const int subtaskSteps = subtask->CountProgramSteps();

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("symbols.hox"));
        const QString again = dir.filePath(QStringLiteral("again.hox"));
        ASSERT_TRUE(doc->OnSaveDocument(path));
        CHOXDoc loaded;
        ASSERT_TRUE(loaded.OnOpenDocument(path));
        ASSERT_TRUE(loaded.OnSaveDocument(again));
        const auto saved = CompoundFile::Open(path, nullptr);
        const auto savedAgain = CompoundFile::Open(again, nullptr);
        ASSERT_TRUE(saved.has_value());
        ASSERT_TRUE(savedAgain.has_value());
        EXPECT_EQ(savedAgain->Contents().toHex(), saved->Contents().toHex());

        CHOXFlowWnd* backChart = loaded.FindWindowByName(QStringLiteral("Flow Chart1"));
        CHOXFlowWnd* backSubtask = loaded.FindWindowByName(LoadStr(20000));
        ASSERT_NE(backChart, nullptr);
        ASSERT_NE(backSubtask, nullptr);
        EXPECT_EQ(backChart->CountProgramSteps(), steps);
        EXPECT_EQ(backSubtask->CountProgramSteps(), subtaskSteps);
        for (int n = 0; n <= 255; ++n) EXPECT_EQ(loaded.IsPointerNumberUsed(n), doc->IsPointerNumberUsed(n)) << n;
        for (const auto& [id, original] : placed) {
            CHOXWnd* wnd = original->GetWnd() == subtask ? static_cast<CHOXWnd*>(backSubtask) : backChart;
            auto* symbol = dynamic_cast<CHOXSymbol*>(wnd->LookupObject(static_cast<WORD>(id)));
            ASSERT_NE(symbol, nullptr) << id;
            SCOPED_TRACE(original->GetComment().toStdString());
            EXPECT_EQ(symbol->GetRuntimeClass(), original->GetRuntimeClass());
            EXPECT_EQ(symbol->GetCode(), original->GetCode());
            EXPECT_EQ(symbol->GetLabel(), original->GetLabel());
            EXPECT_EQ(symbol->GetSteps(), original->GetSteps());
            EXPECT_EQ(symbol->GetSymbolName(), original->GetSymbolName());
            EXPECT_EQ(symbol->GetCategory(), original->GetCategory());
            EXPECT_EQ(symbol->GetErrorState(), original->GetErrorState());
        }
    }
}
