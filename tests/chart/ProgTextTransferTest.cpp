// The program in text itself through the clipboard and drag and drop: the
// labels its text defines are numbers it holds, so a copy comes in the error
// state, and a Cut or a move that gave them back takes them again.
#include "chart/TransferFixture.h"
#include "support/ScriptedDrag.h"
#include "symbols/flow/HOXFlowProgText.h"

using namespace kt::test;

namespace {

class ProgTextTransferTest : public TransferFixture {
protected:
    ProgTextTransferTest()
    {
        text = Place<CHOXFlowProgText>(1, CPoint(100, 100));
        text->SetText(kText);
        for (int n : {7, 9}) {
            text->AddPointerNumber(n);
            doc.MarkPointerNumberUsed(n);
        }
    }
    static std::vector<std::int32_t> Held(const CHOXSymbol* symbol)
    {
        std::vector<std::int32_t> numbers;
        for (const CHOXSymbol::HeldNumber& held : symbol->GetHeldNumbers()) numbers.push_back(held.number);
        return numbers;
    }

    const QString kText = QStringLiteral("P7\nP9\n");
    CHOXFlowProgText* text = nullptr;
};

TEST_F(ProgTextTransferTest, ACopyPasteBringsItInTheErrorStateACutPasteWithItsLabels)
{
    SelectOnly({text});
    Run(ID_EDIT_COPY);
    Run(ID_EDIT_PASTE);
    auto* copy = dynamic_cast<CHOXFlowProgText*>(SymbolAt(wnd, CPoint(110, 110)));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetState(), CHOXSymbol::kError);
    EXPECT_EQ(copy->GetText(), kText);
    // Its original holds the labels; the copy gives nothing back.
    for (const CHOXSymbol::HeldNumber& held : copy->GetHeldNumbers()) EXPECT_FALSE(held.givesBack);

    SelectOnly({text});
    Run(ID_EDIT_CUT);
    EXPECT_FALSE(doc.IsPointerNumberUsed(7));
    EXPECT_FALSE(doc.IsPointerNumberUsed(9));
    Run(ID_EDIT_PASTE);
    auto* back = dynamic_cast<CHOXFlowProgText*>(chart::FindSymbol(wnd, 1));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetState(), CHOXSymbol::kNormal);
    EXPECT_EQ(back->GetText(), kText);
    EXPECT_EQ(Held(back), (std::vector<std::int32_t>{7, 9}));
    EXPECT_TRUE(doc.IsPointerNumberUsed(7));
    EXPECT_TRUE(doc.IsPointerNumberUsed(9));

    // A label taken since the Cut.
    SelectOnly({back});
    Run(ID_EDIT_CUT);
    doc.MarkPointerNumberUsed(9);
    Run(ID_EDIT_PASTE);
    back = dynamic_cast<CHOXFlowProgText*>(chart::FindSymbol(wnd, 1));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetState(), CHOXSymbol::kError);
    EXPECT_FALSE(doc.IsPointerNumberUsed(7));
    EXPECT_TRUE(doc.IsPointerNumberUsed(9));
}

TEST_F(ProgTextTransferTest, AMoveKeepsItsLabelsACopyComesInTheErrorState)
{
    ScriptedDrag drag;
    const auto pullOut = [this](const CHOXDrawObj* symbol) {
        const CPoint grip(symbol->GetRect().left + 20, symbol->GetRect().top + 10);
        Press(grip);
        MoveTo(CPoint(grip.x + 500, grip.y));
        MoveTo(CPoint(grip.x + 510, grip.y));
    };
    drag.DropOn(otherView, otherView.DocToClient(CPoint(200, 150)), MK_CONTROL);
    pullOut(text);
    auto* copy = dynamic_cast<CHOXFlowProgText*>(SymbolAt(other, CPoint(200, 150)));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetState(), CHOXSymbol::kError);

    drag.DropOn(otherView, otherView.DocToClient(CPoint(200, 50)));
    pullOut(text);
    EXPECT_EQ(Symbols(), 0u);
    auto* moved = dynamic_cast<CHOXFlowProgText*>(SymbolAt(other, CPoint(200, 50)));
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->GetState(), CHOXSymbol::kNormal);
    EXPECT_EQ(moved->GetText(), kText);
    EXPECT_TRUE(doc.IsPointerNumberUsed(7));
    EXPECT_TRUE(doc.IsPointerNumberUsed(9));
}

} // namespace
