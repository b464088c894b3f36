// Export, import, export: a document using every kind of symbol, for each
// controller type, comes back as the same text file (parameters to the
// byte, program lines but for blanks and letter case, with the same step
// and line prefixes), without an error or a notice; a second round gives
// the same file again.
#include "convert/ImportFixture.h"

#include "convert/ChartBuilding.h"
#include "convert/HOXExport.h"
#include "params/HOXParam.h"
#include "symbols/SymbolTextCases.h"
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

using kt::test::Completed;
using kt::test::ImportFixture;
using kt::test::kResultStyle;
using kt::test::ScriptedMessages;
using kt::test::SymbolTextCase;

namespace {

// A chart of the source document, its symbols in a column.
class ChartMaker {
public:
    ChartMaker(CHOXDoc& doc, const QString& name) : m_doc(doc)
    {
        auto wnd = doc.NewFlowWindow(name, QString());
        m_wnd = wnd.get();
        doc.AddWindow(name, std::move(wnd));
    }
    CHOXFlowWnd* Window() const { return m_wnd; }

    // Places the symbol below the last one and wires it from there.
    template <class T>
    T* Add(std::unique_ptr<T> symbol)
    {
        T* raw = symbol.get();
        Place(std::move(symbol));
        return raw;
    }
    template <class T>
    T* Add()
    {
        return Add(std::make_unique<T>(CPoint(137, 32), m_wnd));
    }
    // A conditional jump whose jump output leads to a JUMP to P5.
    void AddConditionalJump(std::unique_ptr<CHOXSymbol> cjump)
    {
        CHOXSymbol* raw = cjump.get();
        Place(std::move(cjump));
        auto jump = std::make_unique<CHOXFlowJump>(CPoint(237, m_y), m_wnd);
        jump->SetPointerNumber(5);
        jump->SetEndFollows(0);
        jump->SetCaptionMode(0);
        CHOXFlowJump* target = jump.get();
        jump->SetId(static_cast<DWORD>(m_doc.NewSymbolId()));
        m_wnd->AddObject(std::move(jump));
        ASSERT_EQ(chartbuild::WireSymbols(m_wnd, raw, CHOXFlowCJump::kJumpPin, target), chartbuild::WireResult::kWired);
        target->CalcSteps();
    }

private:
    void Place(std::unique_ptr<CHOXSymbol> symbol)
    {
        CHOXSymbol* raw = symbol.get();
        raw->m_position = CRect(CPoint(137, m_y), CSize(64, 32));
        m_y += 70;
        raw->SetId(static_cast<DWORD>(m_doc.NewSymbolId()));
        m_wnd->AddObject(std::move(symbol));
        raw->CalcSteps();
        if (m_last != nullptr) {
            ASSERT_EQ(chartbuild::WireSymbols(m_wnd, m_last, chartbuild::ColumnOutputPin(m_last), raw),
                      chartbuild::WireResult::kWired);
        }
        m_last = raw;
    }

    CHOXDoc& m_doc;
    CHOXFlowWnd* m_wnd = nullptr;
    CHOXSymbol* m_last = nullptr;
    std::int32_t m_y = 32;
};

// Rows whose text the checker takes as the symbol writes it.
std::vector<const SymbolTextCase*> RowsOf(std::span<const SymbolTextCase> rows, int type)
{
    std::vector<const SymbolTextCase*> out;
    for (const SymbolTextCase& row : rows)
        if (row.controllerType == type && std::string_view(row.countsOtherwise).empty()) out.push_back(&row);
    return out;
}

// Every kind of symbol, in charts of every kind the type has.
void BuildEverything(CHOXDoc& doc, int type)
{
    doc.SetControllerType(type);
    doc.GetParam().SetDefaults();
    std::int32_t value = 150000;
    doc.GetParam().SetParam(&value, 4, 0);
    value = -5000;
    doc.GetParam().SetParam(&value, 16, 0);

    ChartMaker main(doc, QStringLiteral("Main"));
    main.Add<CHOXFlowStart>();
    for (const SymbolTextCase* row : RowsOf(kt::test::CodeSymbolTextCases(), type)) main.Add(row->make(main.Window()));
    for (const SymbolTextCase* row : RowsOf(kt::test::FuncSymbolTextCases(), type)) main.Add(row->make(main.Window()));
    auto* text = main.Add<CHOXFlowProgText>();
    text->SetText(QStringLiteral("LD  X0;\nOUT(FNC90)  Y0;\nNOP\n"));
    text->CalcSteps();
    for (const SymbolTextCase* row : RowsOf(kt::test::CJumpTextCases(), type))
        main.AddConditionalJump(row->make(main.Window()));
    main.Add<CHOXFlowCall>()->SetPointerNumber(7);
    auto* jump = main.Add<CHOXFlowJump>();
    jump->SetPointerNumber(5);
    jump->CalcSteps();

    if (ctype::HasIndependentAxes(type)) {
        ChartMaker y(doc, QStringLiteral("Second axis"));
        auto* start = y.Add<CHOXFlowStart>();
        start->SetProgramNumber(-1);
        start->SetAxis(1);
        start->SetProgramNumber(3);
        y.Add<CHOXFlowCall>()->SetPointerNumber(7);
        y.Add<CHOXFlowEnd>();
    }

    ChartMaker sub(doc, QStringLiteral("Sub"));
    sub.Add<CHOXFlowSubRtn>()->SetPointerNumber(7);
    auto* subText = sub.Add<CHOXFlowProgText>();
    subText->SetText(QStringLiteral("MOV(FNC12)  D0  D1;\n"));
    subText->CalcSteps();
    sub.Add<CHOXFlowRet>();

    ChartMaker pointer(doc, QStringLiteral("Pointer"));
    pointer.Add<CHOXFlowPointer>()->SetPointerNumber(5);
    pointer.Add<CHOXFlowEnd>();

    ChartMaker subtask(doc, LoadStr(20000));
    subtask.Add<CHOXFlowStart>();
    auto* subtaskText = subtask.Add<CHOXFlowProgText>();
    subtaskText->SetText(QStringLiteral("LD X1;\n"));
    subtaskText->CalcSteps();
    subtask.Add<CHOXFlowEnd>();
}

QString ExportText(CHOXDoc& doc)
{
    CHOXExport exporter(&doc);
    QString message;
    int severity = -1;
    CHOXSymbol* symbol = nullptr;
    EXPECT_TRUE(exporter.GenerateProgram(message, true, &severity, &symbol, false));
    // No warning either.
    EXPECT_EQ(message.toStdString(), "");
    exporter.FormatParameters();
    return exporter.GetFileText();
}

// The program lines of a file: the listing prefix, and the statement
// without blanks in capitals.
std::vector<std::pair<QString, QString>> ProgramOf(const QString& text)
{
    std::vector<std::pair<QString, QString>> lines;
    const QStringList all = text.split(u'\n');
    for (qsizetype i = all.indexOf(QStringLiteral("[Program]")) + 1; i > 0 && i < all.size(); ++i) {
        const qsizetype colon = all[i].indexOf(QStringLiteral(": "));
        QString statement = colon < 0 ? all[i] : all[i].mid(colon + 2);
        statement.remove(u' ');
        lines.emplace_back(colon < 0 ? QString() : all[i].left(colon), statement.toUpper());
    }
    return lines;
}

QString ParametersOf(const QString& text)
{
    const qsizetype from = text.indexOf(QStringLiteral("[System Setup Parameter]"));
    return text.mid(from, text.indexOf(QStringLiteral("[Program]")) - from);
}

class TextImportRoundTripTest : public ImportFixture {
protected:
    QString ImportAndExport(const QString& text, int type)
    {
        if (Doc() != nullptr) m_app->DestroyDocument();
        CHOXDoc* doc = NewDoc(type);
        const Run run = [&] {
            ScriptedMessages messages;
            messages.Expect(Completed(), kResultStyle, IDOK);
            return Import(doc, text, true);
        }();
        EXPECT_FALSE(run.parameterError);
        EXPECT_FALSE(run.errorSymbols) << run.details.toStdString();
        EXPECT_EQ(run.jumpsBuilt, run.jumpsRead);
        return ExportText(*doc);
    }
};

} // namespace

TEST_F(TextImportRoundTripTest, EverySymbolKindComesBackAsTheSameText)
{
    for (int type : {0, 1, 2}) {
        SCOPED_TRACE(type);
        CHOXDoc source;
        BuildEverything(source, type);
        const QString first = ExportText(source);
        ASSERT_GT(first.count(u'\n'), 100);
        const QString second = ImportAndExport(first, type);
        EXPECT_EQ(ParametersOf(second).toStdString(), ParametersOf(first).toStdString());
        const auto before = ProgramOf(first);
        const auto after = ProgramOf(second);
        ASSERT_EQ(after.size(), before.size()) << second.toStdString();
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(after[i].first.toStdString(), before[i].first.toStdString()) << i;
            EXPECT_EQ(after[i].second.toStdString(), before[i].second.toStdString()) << i;
        }
        // A further round changes nothing at all.
        EXPECT_EQ(ImportAndExport(second, type).toStdString(), second.toStdString());
        m_app->DestroyDocument();
    }
}
