// Positioning and function statements rebuilt as their symbols: which
// symbol each statement list gives, with its fields as its caption shows
// them, its text and steps; what folds into a motion or a drive to zero
// and what stays apart; and every symbol option converted, rebuilt and
// converted again.
#include "convert/EverythingChart.h"
#include "convert/RebuildFixture.h"

using kt::test::Lines;
using kt::test::NormalLines;
using kt::test::RebuildFixture;

namespace {

[[maybe_unused]] QString L(const char* text) { return QString::fromLatin1(text); }

class RebuildSymbolsTest : public RebuildFixture {
protected:
    // The symbols between the charts' heads and ends, top to bottom: name,
    // caption (lines joined by "|") and steps.
    static QStringList Column(CHOXDoc* doc)
    {
        QStringList out;
        for (const QString& name : doc->GetWindowNameList()) {
            CHOXFlowWnd* wnd = doc->FindWindowByName(name);
            if (wnd == nullptr) continue;
            for (CHOXSymbol* s : SymbolsInColumnOrder(wnd)) {
                const int type = s->GetObjectType();
                if (type == objtype::kFlowStart || type == objtype::kFlowEnd) continue;
                QString label = s->GetLabel();
                while (label.endsWith(u'\n')) label.chop(1);
                out << QStringLiteral("%1 [%2] %3").arg(Kind(s), label.replace(u'\n', u'|')).arg(s->GetSteps());
            }
        }
        return out;
    }
};

} // namespace

// Options whose addressing or compensation no fold takes: the motion
// writes them, but the rebuild keeps them as symbols of their own.
struct SplitOption {
    const char* what;
    int symbols;
};
constexpr SplitOption kSplitOptions[] = {
    {"LINE: CNTC with its first operand", 2},
    {"LINE: absolute, RADC, Y alone", 3},
    {"DRIVE: incremental, RADC", 3},
    {"DRIVE: CNTC with both operands", 2},
};

TEST_F(RebuildSymbolsTest, EverySymbolOptionComesBackAsItself)
{
    std::vector<const kt::test::SymbolTextCase*> rows;
    for (int type : {0, 1, 2}) {
        for (const auto* row : kt::test::RowsOf(kt::test::CodeSymbolTextCases(), type)) rows.push_back(row);
        for (const auto* row : kt::test::RowsOf(kt::test::FuncSymbolTextCases(), type)) rows.push_back(row);
    }
    for (const kt::test::SymbolTextCase* row : rows) {
        SCOPED_TRACE(row->what);
        QString text;
        std::uint32_t steps = 0;
        int objectType = 0;
        {
            CHOXDoc source;
            kt::test::PrepareDocument(source, row->controllerType);
            kt::test::ChartMaker chart(source, QStringLiteral("Main"));
            chart.Add<CHOXFlowStart>();
            objectType = chart.Add(row->make(chart.Window()))->GetObjectType();
            chart.Add<CHOXFlowEnd>();
            CHOXExport exporter(&source);
            QString message;
            int severity = -1;
            CHOXSymbol* culprit = nullptr;
            ASSERT_TRUE(exporter.GenerateProgram(message, false, &severity, &culprit, false)) << message.toStdString();
            text = exporter.GetProgramText();
            steps = source.GetTotalSteps();
        }
        int expected = 1;
        for (const SplitOption& split : kSplitOptions)
            if (std::string_view(split.what) == row->what) expected = split.symbols;
        CheckRoundTrip(text, NormalLines(text), row->controllerType, true, [&](CHOXDoc* doc) {
            EXPECT_EQ(doc->GetTotalSteps(), steps);
            int between = 0;
            int same = 0;
            for (const QString& name : doc->GetWindowNameList())
                for (CHOXSymbol* s : SymbolsInColumnOrder(doc->FindWindowByName(name))) {
                    const int type = s->GetObjectType();
                    if (type == objtype::kFlowStart || type == objtype::kFlowEnd) continue;
                    ++between;
                    if (type == objectType) ++same;
                }
            EXPECT_EQ(between, expected) << Lines(Column(doc));
            EXPECT_EQ(same, 1) << Lines(Column(doc));
        });
    }
}
