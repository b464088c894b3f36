#pragma once
// Two flow charts of one document, each in a flow view hosted in memory, for
// the clipboard and drag-and-drop tests; blocks made by hand for the
// clipboard; and a program in text as far as numbers go.
#include "chart/FlowViewFixture.h"
#include "chart/HOXClipboard.h"
#include "platform/Archive.h"
#include "platform/Clipboard.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "symbols/flow/HOXFlowStart.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>
#include <initializer_list>
#include <vector>

// Stands in for the program in text (type 308): it holds the pointer numbers
// of its labels, stored after the symbol part, and gives them back unless it
// is in the error state.
class CTestProgText : public CHOXSymbol {
    KT_DECLARE_SERIAL(CTestProgText)
public:
    CTestProgText() = default;
    CTestProgText(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd) { CreatePins(); }
    int GetObjectType() const override { return objtype::kFlowProgText; }
    void Serialize(CArchive& ar) override
    {
        CHOXSymbol::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(labels.size()));
            for (std::int32_t n : labels) ar << n;
            return;
        }
        const DWORD count = ar.ReadCount(4);
        labels.assign(count, -1);
        for (std::int32_t& n : labels) ar >> n;
    }
    std::vector<HeldNumber> GetHeldNumbers() const override
    {
        std::vector<HeldNumber> held;
        for (std::int32_t n : labels) {
            HeldNumber number;
            number.number = n;
            number.givesBack = m_nState != kError;
            // Labels written in its text, as the real one's.
            number.renumbers = false;
            held.push_back(number);
        }
        return held;
    }

    std::vector<std::int32_t> labels;
};

namespace kt::test {

class TransferFixture : public FlowViewFixture {
protected:
    TransferFixture()
    {
        // Ids below 100 are the tests' own.
        doc.SetIdCounters({100, 100, 0, 0, 20});
        other = Chart(QStringLiteral("Flow Chart2"));
        otherView.SetHost(&otherHost);
        doc.AddView(&otherView);
        otherView.ShowRecord(other);
        otherView.OnInitialUpdate();
    }
    ~TransferFixture() override { doc.RemoveView(&otherView); }

    CCmdUI State(CHOXView& target, UINT id)
    {
        CCmdUI ui(id);
        target.OnCmdMsg(id, CmdMode::Update, &ui);
        return ui;
    }
    bool Enabled(UINT id) { return State(view, id).m_bEnabled; }
    void Run(UINT id) { EXPECT_TRUE(view.OnCmdMsg(id, CmdMode::Execute, nullptr)); }
    void RunIn(CHOXView& target, UINT id) { EXPECT_TRUE(target.OnCmdMsg(id, CmdMode::Execute, nullptr)); }
    void SelectOnly(std::initializer_list<CHOXDrawObj*> objects)
    {
        view.Select(nullptr);
        for (CHOXDrawObj* object : objects) view.Select(object, true);
    }

    // A symbol of the record by its top-left corner; null when none stands
    // there.
    static CHOXSymbol* SymbolAt(const CHOXWnd* record, CPoint topLeft)
    {
        for (const auto& [id, object] : record->GetObjectMap())
            if (object->GetRect().TopLeft() == topLeft) return dynamic_cast<CHOXSymbol*>(object.get());
        return nullptr;
    }
    static std::vector<WORD> Ids(const CHOXWnd* record)
    {
        std::vector<WORD> ids = record->GetObjectMap().Keys();
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    // Puts a block of these objects, as another copy of the program (or this
    // one) would write it, on the clipboard.
    static void OfferBlock(const std::vector<CHOXDrawObj*>& objects, std::uint32_t instance)
    {
        ASSERT_TRUE(
            clipboard::Offer(CHOXClipboard::ChartFormat(), CHOXClipboard(nullptr).WriteBlock(instance, objects)));
    }
    static std::uint32_t Me() { return Program().clipboard.instanceId; }
    static QByteArray ClipboardBlock() { return clipboard::Take(CHOXClipboard::ChartFormat()).value_or(QByteArray()); }

    // A START on its own (no chart), of the axis and number, at the point.
    static std::unique_ptr<CHOXSymbol> LooseStart(std::int32_t axis, std::int32_t number, CPoint at = CPoint(100, 100))
    {
        auto start = std::make_unique<CHOXFlowStart>();
        start->SetAxis(axis);
        start->SetProgramNumber(number);
        start->m_position = CRect(at, CPoint(at.x + 64, at.y + 32));
        return start;
    }
    // A POINTER or SUBROUTINE on its own.
    template <class T>
    static std::unique_ptr<CHOXSymbol> LooseLabel(std::int32_t number, CPoint at = CPoint(100, 100))
    {
        auto symbol = std::make_unique<T>();
        symbol->SetPointerNumber(number);
        symbol->m_position = CRect(at, CPoint(at.x + 64, at.y + 32));
        return symbol;
    }
    static std::vector<CHOXDrawObj*> Raw(const std::vector<std::unique_ptr<CHOXSymbol>>& symbols)
    {
        std::vector<CHOXDrawObj*> raw;
        for (const auto& s : symbols) raw.push_back(s.get());
        return raw;
    }

    CHOXFlowWnd* AddSubtask() { return Chart(LoadStr(20000)); }

    CHOXFlowWnd* other = nullptr;
    MemoryViewHost otherHost{CRect(0, 0, 400, 300)};
    CHOXFlowView otherView;
};

} // namespace kt::test
