#pragma once
// The started application with a document made on the monitor template, a
// text importer run on it, and a compact picture of the charts it built:
// each chart's symbols in column order with their labels, states and
// places, and its wires by symbol index and pin.
#include "app/AppDocsFixture.h"
#include "convert/ConvertFixture.h"

#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "convert/HOXTextImporter.h"
#include "platform/Strings.h"
#include "support/Scripted.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowProgText.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace kt::test {

// The closing message of an import without anything to report.
inline QString Completed() { return LoadStr(13529); }
constexpr UINT kResultStyle = MB_OK | MB_ICONEXCLAMATION;

// The symbols of a chart from the top down (left to right in a row).
inline std::vector<CHOXSymbol*> ColumnOf(CHOXFlowWnd* wnd)
{
    std::vector<CHOXSymbol*> symbols;
    for (auto& [id, object] : wnd->GetObjectMap())
        if (auto* symbol = dynamic_cast<CHOXSymbol*>(object.get())) symbols.push_back(symbol);
    std::sort(symbols.begin(), symbols.end(), [](const CHOXSymbol* a, const CHOXSymbol* b) {
        return std::pair(a->GetRect().top, a->GetRect().left) < std::pair(b->GetRect().top, b->GetRect().left);
    });
    return symbols;
}

inline QString KindOf(const CHOXSymbol* symbol)
{
    switch (symbol->GetObjectType()) {
    case objtype::kFlowStart: return QStringLiteral("START");
    case objtype::kFlowEnd: return QStringLiteral("END");
    case objtype::kFlowSubRtn: return QStringLiteral("SUB");
    case objtype::kFlowPointer: return QStringLiteral("POINTER");
    case objtype::kFlowCall: return QStringLiteral("CALL");
    case objtype::kFlowJump: return QStringLiteral("JUMP");
    case objtype::kFlowCJump: return QStringLiteral("CJ");
    case objtype::kFlowProgText: return QStringLiteral("TEXT");
    case objtype::kFlowRet: return QStringLiteral("RET");
    default: return QString::number(symbol->GetObjectType());
    }
}

// "START O0 @137,32", "TEXT [LD  X0;|OUT(FNC90)  Y0;] @137,102 !2", then
// the wires "0.0>1" (symbol index, pin, target index).
inline QStringList Picture(CHOXFlowWnd* wnd)
{
    QStringList out;
    if (wnd == nullptr) return {QStringLiteral("(no window)")};
    const std::vector<CHOXSymbol*> column = ColumnOf(wnd);
    for (const CHOXSymbol* symbol : column) {
        QString text = KindOf(symbol);
        QString label = symbol->GetLabel();
        if (label.endsWith(u'\n')) label.chop(1);
        label.replace(u'\n', u'|');
        if (symbol->GetObjectType() == objtype::kFlowProgText || symbol->GetObjectType() == objtype::kFlowCJump)
            text += QStringLiteral(" [") + label + QStringLiteral("]");
        else if (!label.isEmpty())
            text += QStringLiteral(" ") + label;
        text += QStringLiteral(" @%1,%2").arg(symbol->GetRect().left).arg(symbol->GetRect().top);
        if (symbol->GetState() != 0) text += QStringLiteral(" !%1").arg(symbol->GetState());
        out << text;
    }
    const auto indexOf = [&](DWORD id) {
        for (std::size_t i = 0; i < column.size(); ++i)
            if (column[i]->GetId() == id) return static_cast<int>(i);
        return -1;
    };
    QStringList wires;
    for (auto& [id, object] : wnd->GetConnectMap()) {
        const auto* wire = static_cast<const CHOXConnect*>(object.get());
        wires << QStringLiteral("%1.%2>%3")
                     .arg(indexOf(wire->GetSourceId()))
                     .arg(wire->GetSourcePin())
                     .arg(wire->GetTargetKind() == CHOXConnect::kTargetSymbol ? indexOf(wire->GetTargetId()) : -9);
    }
    wires.sort();
    return out + wires;
}

// Every wire joins two symbols of its chart whose pins name it, and every
// pin's wire is in the chart: nothing dangles.
inline void ExpectWiresWhole(CHOXFlowWnd* wnd)
{
    for (auto& [id, object] : wnd->GetConnectMap()) {
        const auto* wire = static_cast<const CHOXConnect*>(object.get());
        const auto* from = dynamic_cast<CHOXSymbol*>(wnd->LookupObject(static_cast<WORD>(wire->GetSourceId())));
        const auto* to = dynamic_cast<CHOXSymbol*>(wnd->LookupObject(static_cast<WORD>(wire->GetTargetId())));
        ASSERT_NE(from, nullptr) << wnd->GetName().toStdString() << " wire " << id;
        ASSERT_NE(to, nullptr) << wnd->GetName().toStdString() << " wire " << id;
        ASSERT_NE(from->GetPin(wire->GetSourcePin()), nullptr);
        EXPECT_EQ(from->GetPin(wire->GetSourcePin())->GetLinkId(), wire->GetId());
        EXPECT_EQ(to->GetPin(0)->GetLinkId(), wire->GetId());
    }
    for (auto& [id, object] : wnd->GetObjectMap()) {
        const auto* symbol = dynamic_cast<CHOXSymbol*>(object.get());
        if (symbol == nullptr) continue;
        for (const auto& pin : symbol->GetPins()) {
            if (!pin->IsFree()) {
                EXPECT_NE(wnd->LookupConnect(static_cast<WORD>(pin->GetLinkId())), nullptr);
            }
        }
    }
}

class ImportFixture : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
    }

    // A document as the import without one makes it: on the monitor
    // template, with no chart.
    CHOXDoc* NewDoc(int controllerType)
    {
        CHOXDoc* doc = m_app->CreateMonitorDocument();
        EXPECT_NE(doc, nullptr);
        if (doc == nullptr) return nullptr;
        doc->SetControllerType(controllerType);
        doc->OnNewDocument();
        return doc;
    }

    struct Run {
        bool parametersRead = false;
        bool parameterError = false;
        bool errorSymbols = false;
        bool stopped = false;
        std::int32_t jumpsRead = 0;
        std::int32_t jumpsBuilt = 0;
        QString details;
    };
    // Imports the text (lines separated by "\n") into the document; the
    // messages the caller expects have been scripted.
    Run Import(CHOXDoc* doc, const QString& text, bool parameters = false)
    {
        CHOXTextImporter importer(doc, text.split(u'\n'));
        Run run;
        if (parameters) run.parametersRead = importer.SetParameters();
        importer.GenerateFlowCharts();
        run.parameterError = importer.HasParameterError();
        run.errorSymbols = importer.HasErrorSymbols();
        run.stopped = importer.HasStopped();
        run.jumpsRead = importer.GetJumpsRead();
        run.jumpsBuilt = importer.GetJumpsBuilt();
        run.details = importer.GetDetails();
        return run;
    }
    // A program part alone, with the closing message that reports nothing.
    Run ImportProgram(CHOXDoc* doc, const QStringList& lines, const QString& closing = Completed())
    {
        ScriptedMessages messages;
        messages.Expect(closing, kResultStyle, IDOK);
        return Import(doc, QStringLiteral("[Program]\n") + lines.join(u'\n'));
    }

    CHOXFlowWnd* Chart(const QString& name) const { return Doc()->FindWindowByName(name); }
    QStringList ChartNames() const { return Doc()->GetWindowNameList(); }
};

} // namespace kt::test
