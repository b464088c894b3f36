#pragma once
// The started program with a document as the read from the controller makes
// it (the monitor window alone), a reader on it, and a compact picture of
// the charts a rebuild leaves: per window its symbols top to bottom with
// kind, text, place and state, then its wires.
#include "app/AppDocsFixture.h"
#include "chart/ChartLookup.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "convert/HOXExport.h"
#include "convert/HOXProgReader.h"
#include "platform/Strings.h"
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowProgText.h"
#include "symbols/flow/HOXFlowStart.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kt::test {

// A picture's lines one under the other, for readable differences.
inline std::string Lines(const QStringList& lines) { return (QStringLiteral("\n") + lines.join(u'\n')).toStdString(); }

// A statement as the comparisons see it: no blanks, upper case.
inline QString Normal(const QString& statement) { return CHOXProgReader::StripBlanks(statement).toUpper(); }

inline QStringList NormalLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) lines << Normal(line);
    return lines;
}

class RebuildFixture : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
    }

    // The document a read makes: created through the template, no chart.
    CHOXDoc* ReadDocument(int type)
    {
        CHOXDoc* doc = m_app->CreateMonitorDocument();
        if (doc != nullptr) doc->SetControllerType(type);
        return doc;
    }

    // Rebuilds the program text (cut as the read cuts it) into a fresh read
    // document of the type.
    CHOXProgReader& Rebuild(const QString& text, int type)
    {
        MakeReader(type);
        reader->SplitStatements(text);
        reader->GenerateFlowCharts();
        return *reader;
    }
    // The statements as given, not cut or upper-cased.
    CHOXProgReader& RebuildList(const QStringList& statements, int type)
    {
        MakeReader(type);
        reader->SetStatements(statements);
        reader->GenerateFlowCharts();
        return *reader;
    }
    void MakeReader(int type)
    {
        CHOXDoc* doc = ReadDocument(type);
        EXPECT_NE(doc, nullptr);
        reader = std::make_unique<CHOXProgReader>(doc);
        reader->SetControllerType(type);
        reader->ResetJumpCounts();
    }

    // Closes the rebuilt document without its save question.
    void CloseDocument()
    {
        if (CHOXDoc* doc = m_app->GetDocument()) doc->SetModifiedFlag(false);
        ASSERT_TRUE(m_app->CloseOpenDocument());
    }

    static QString Kind(const CHOXSymbol* s)
    {
        switch (s->GetObjectType()) {
        case objtype::kFlowStart: return QStringLiteral("START");
        case objtype::kFlowEnd: return QStringLiteral("END");
        case objtype::kFlowSubRtn: return QStringLiteral("SUB");
        case objtype::kFlowPointer: return QStringLiteral("PTR");
        case objtype::kFlowCall: return QStringLiteral("CALL");
        case objtype::kFlowJump: return QStringLiteral("JUMP");
        case objtype::kFlowCJump: return QStringLiteral("CJ");
        case objtype::kFlowProgText: return QStringLiteral("TEXT");
        case objtype::kFlowRet: return QStringLiteral("RET");
        default: return s->GetSymbolName();
        }
    }

    static QString Describe(CHOXSymbol* s)
    {
        QString text = Kind(s);
        switch (s->GetObjectType()) {
        case objtype::kFlowProgText: {
            QString body = static_cast<CHOXFlowProgText*>(s)->GetText();
            if (body.endsWith(u'\n')) body.chop(1);
            text += u' ' + body.replace(u'\n', u'|');
            break;
        }
        case objtype::kFlowEnd: text += QStringLiteral(" k%1").arg(static_cast<CHOXFlowEnd*>(s)->GetEndKind()); break;
        case objtype::kFlowJump: {
            const auto* jump = static_cast<CHOXFlowJump*>(s);
            text += QStringLiteral(" %1 e%2 c%3 k%4")
                        .arg(s->GetLabel())
                        .arg(jump->GetEndFollows())
                        .arg(jump->GetCaptionMode())
                        .arg(jump->GetEndKind());
            break;
        }
        case objtype::kFlowCJump: {
            const auto* cj = static_cast<CHOXFlowCJump*>(s);
            QString label = s->GetLabel();
            if (label.endsWith(u'\n')) label.chop(1);
            text += QStringLiteral(" f%1 n%2").arg(cj->GetKind()).arg(cj->GetNegated());
            if (cj->GetKind() != CHOXFlowCJump::kBitForm) text += QStringLiteral(" r%1").arg(cj->GetCompareCondition());
            text += u' ' + label.replace(u'\n', u'|');
            break;
        }
        default:
            if (!s->GetLabel().isEmpty()) text += u' ' + s->GetLabel();
            break;
        }
        text += QStringLiteral(" @%1,%2").arg(s->GetRect().left).arg(s->GetRect().top);
        if (s->GetState() != 0) text += QStringLiteral(" s%1").arg(s->GetState());
        return text;
    }

    static std::vector<CHOXSymbol*> SymbolsInColumnOrder(CHOXFlowWnd* wnd)
    {
        std::vector<CHOXSymbol*> symbols;
        for (auto& [id, object] : wnd->GetObjectMap())
            if (auto* s = dynamic_cast<CHOXSymbol*>(object.get())) symbols.push_back(s);
        std::sort(symbols.begin(), symbols.end(), [](const CHOXSymbol* a, const CHOXSymbol* b) {
            const CPoint pa = a->GetRect().TopLeft();
            const CPoint pb = b->GetRect().TopLeft();
            return pa.y != pb.y ? pa.y < pb.y : pa.x < pb.x;
        });
        return symbols;
    }

    // One line per window name, symbol and wire, windows in the order of
    // the name list; symbols numbered top to bottom, wires as
    // "from.pin>to".
    static QStringList Dump(CHOXDoc* doc)
    {
        QStringList out;
        for (const QString& name : doc->GetWindowNameList()) {
            CHOXFlowWnd* wnd = doc->FindWindowByName(name);
            if (wnd == nullptr) continue;
            out << u'[' + name + u']';
            const std::vector<CHOXSymbol*> symbols = SymbolsInColumnOrder(wnd);
            std::map<DWORD, int> index;
            for (std::size_t i = 0; i < symbols.size(); ++i) {
                index[symbols[i]->GetId()] = static_cast<int>(i);
                out << QString::number(i) + u' ' + Describe(symbols[i]);
            }
            QStringList wires;
            for (auto& [id, object] : wnd->GetConnectMap()) {
                const auto* wire = static_cast<const CHOXConnect*>(object.get());
                const auto from = index.find(wire->GetSourceId());
                const auto to = index.find(wire->GetTargetId());
                wires << QStringLiteral("w %1.%2>%3")
                             .arg(from == index.end() ? -1 : from->second)
                             .arg(wire->GetSourcePin())
                             .arg(to == index.end() ? -1 : to->second);
            }
            wires.sort();
            out << wires;
        }
        return out;
    }

    // The step map as "window id step" lines, in its order.
    static std::vector<std::tuple<QString, int, int>> Steps(const CHOXDoc* doc)
    {
        std::vector<std::tuple<QString, int, int>> steps;
        for (const auto& info : doc->GetStepInfoList())
            steps.emplace_back(info->GetWindowName(), info->GetSymbolId(), info->GetStep());
        return steps;
    }

    // The rebuild's step records by symbol id, then the conversion's.
    static std::map<int, int> StepsById(const CHOXDoc* doc)
    {
        std::map<int, int> steps;
        for (const auto& info : doc->GetStepInfoList()) steps[info->GetSymbolId()] = info->GetStep();
        return steps;
    }

    static QString SymbolText(CHOXDoc* doc, int id)
    {
        for (const QString& name : doc->GetWindowNameList()) {
            CHOXFlowWnd* wnd = doc->FindWindowByName(name);
            if (auto* symbol = wnd != nullptr ? chart::FindSymbol(wnd, static_cast<DWORD>(id)) : nullptr)
                return name + u' ' + Describe(symbol);
        }
        return QString();
    }

    // Rebuilds the text and checks the charts against it. The step records
    // hold the controller's steps, which count the NOPs between programs
    // that the charts leave out: compared only for texts without them.
    // The inspection, when given, sees the rebuilt document before it closes.
    void CheckRoundTrip(const QString& text, const QStringList& expected, int type, bool compareSteps = true,
                        const std::function<void(CHOXDoc*)>& inspect = {})
    {
        struct Closer {
            RebuildFixture* test;
            ~Closer() { test->CloseDocument(); }
        } closer{this};
        CHOXProgReader& r = Rebuild(text, type);
        CHOXDoc* doc = r.GetDocument();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(r.GetJumpsRead(), r.GetJumpsBuilt());
        const std::map<int, int> rebuilt = StepsById(doc);
        CHOXExport exporter(doc);
        QString message;
        int severity = -1;
        CHOXSymbol* culprit = nullptr;
        ASSERT_TRUE(exporter.GenerateProgram(message, false, &severity, &culprit, false))
            << message.toStdString() << (culprit != nullptr ? Describe(culprit).toStdString() : std::string())
            << Lines(Dump(doc));
        EXPECT_TRUE(message.isEmpty()) << message.toStdString();
        EXPECT_EQ(Lines(NormalLines(exporter.GetProgramText())), Lines(expected));
        const std::map<int, int> converted = StepsById(doc);
        if (inspect) inspect(doc);
        if (!compareSteps) return;
        int compared = 0;
        for (const auto& [id, step] : rebuilt) {
            const auto found = converted.find(id);
            if (found == converted.end()) continue;
            EXPECT_EQ(step, found->second) << "symbol " << id << " " << SymbolText(doc, id).toStdString();
            ++compared;
        }
        EXPECT_GT(compared, 0);
    }

    std::unique_ptr<CHOXProgReader> reader;
};

} // namespace kt::test
