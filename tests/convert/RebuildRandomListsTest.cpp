// Random statement lists, with labels, near misses of conditional jumps,
// positioning and function statements, near misses of their folds and of
// the relays around a drive to zero, and refused lines in any order: the rebuild never loses or repeats a
// statement, wires every symbol that needs an input, and leaves a document
// that saves and loads.
#include "convert/RebuildFixture.h"

#include "chart/HOXPin.h"

#include <QTemporaryDir>

#include <map>
#include <random>

using kt::test::RebuildFixture;

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

class RandomList {
public:
    explicit RandomList(unsigned seed) : m_rng(seed) {}

    QString Make()
    {
        QStringList statements;
        const int count = Pick(10, 45);
        while (statements.size() < count) {
            switch (Pick(0, 10)) {
            case 0: statements << Label(); break;
            case 1: statements << NearMiss(); break;
            case 2:
                statements << Any({"m02;", "m102;", "RET;", "JMP P%1;", "CALL P%1;", "JMP P%1; m02;", "JMP P300;"});
                break;
            case 3: statements << Any({"LD X0;", "OUT Y0;", "AND X1;", "ANB;", "BRET;", "LDI M%1;", "OR M%1;"}); break;
            case 4:
                statements << Any({"XYZ;", "DCMP D0 D1 M0;", "P99999999999;", "CJ P9999;", "O;", "cod00 x1 y;"});
                break;
            case 5: statements << Any({"NOP", "NOP NOP", ";"}); break;
            case 6: statements << Any({"cod00 x100 f1000;", "MOV K1 D0;", "SET M5;", "cod92 x100;"}); break;
            case 7:
                statements << Any({"cod01 x5 f10;",
                                   "cod02 x10 y10 r5;",
                                   "cod09;",
                                   "cod09 m5;",
                                   "cod04 K10;",
                                   "cod28;",
                                   "cod29;",
                                   "cod30 m2;",
                                   "cod71 x100 f10;",
                                   "cod72 y1 f1 f2;",
                                   "ADD D0 D1 D2;",
                                   "DMOV DD0 DD2;",
                                   "RPT K3;",
                                   "RPE;",
                                   "XAB;",
                                   "RST M%1;",
                                   "EXT X0 Y0 D0 K4;",
                                   "SEGL D0 Y0 K1 K0;",
                                   "BCD D0 D1;",
                                   "WAND D0 H0F D1;"});
                break;
            case 8: statements << Fold(); break;
            default: statements << Any({"m10;", "m%1;", "m0;", "m101;"}); break;
            }
        }
        return statements.join(u' ');
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    QString Any(std::initializer_list<const char*> words)
    {
        const int n = Pick(0, int(words.size()) - 1);
        QString word = QString::fromLatin1(*(words.begin() + n));
        while (word.contains(u"%1")) word = word.arg(Pick(0, 12));
        return word;
    }
    // Statements that fold into a motion or a drive to zero, or nearly:
    // with an M code, a refused or other neighbour, the relay of another
    // axis, the sequence cut short.
    QString Fold()
    {
        return Any({"cod91; cod01 x5;",
                    "cod90 m5; cod00 x5 f10;",
                    "cod73 x1; cod00 x5;",
                    "cod73 x1 m5; cod00 x5;",
                    "cod91; cod76; cod02 x1 y1 i1;",
                    "cod91; cod73 x1; cod02 x1 y1 r1;",
                    "cod74 i1; cod02 x1 y1 r1;",
                    "cod75 r1; cod03 x1 y1 r2; cod09;",
                    "cod01 x5; cod09;",
                    "cod01 x5; cod09 m3;",
                    "cod01 x5; cod09 q;",
                    "cod91; cod01 q;",
                    "cod91; cod73 x1; cod00 q;",
                    "cod91;",
                    "cod76;",
                    "SET M9024; cod28; RST M9024;",
                    "SET M9008; cod28 m5; RST M9008;",
                    "SET M9024; cod28; RST M9008;",
                    "SET M9024; m10; RST M9024;",
                    "SET M9024; cod28;",
                    "SET M9024; cod28 q; RST M9024;",
                    "SET M%1; cod28; RST M%1;"});
    }
    QString Label() { return Any({"OX%1;", "OY%1;", "O%1;", "O100;", "P%1;", "P%1;", "OX%1 N5;"}); }
    // The statements of a conditional jump, as they are or with one of them
    // changed, missing or doubled.
    QString NearMiss()
    {
        QStringList lines;
        const int n = Pick(0, 2) * 10;
        switch (Pick(0, 2)) {
        case 0:
            lines << QStringLiteral("CMP D0 D1 M%1;").arg(n) << QStringLiteral("LD M%1;").arg(n + Pick(0, 3));
            if (Pick(0, 1) == 1) lines << QStringLiteral("OR M%1;").arg(n + Pick(0, 3));
            break;
        case 1:
            lines << QStringLiteral("ZCP D0 D1 D2 M%1;").arg(n) << QStringLiteral("LD M%1;").arg(n + Pick(0, 2));
            break;
        default: lines << Any({"LD X0;", "LDI X1;", "LD X0; AND X2;"}); break;
        }
        lines << Any({"CJ P%1;", "CJN P%1;", "FNC00 P%1;", "CJ P300;"}) << Any({"BRET;", "BRET;", "m10;", "LD X5;"});
        lines.prepend(L("BRET;"));
        switch (Pick(0, 5)) {
        case 0: lines.removeAt(Pick(0, int(lines.size()) - 1)); break;
        case 1: lines.insert(Pick(0, int(lines.size())), Any({"XYZ;", "NOP", "m10;"})); break;
        case 2: {
            const int at = Pick(0, int(lines.size()) - 1);
            lines.insert(at, lines.at(at));
            break;
        }
        default: break;
        }
        return lines.join(u' ');
    }

    std::mt19937 m_rng;
};

class RebuildRandomListsTest : public RebuildFixture {
protected:
    // A statement as both sides are compared: the checker's form, no
    // blanks, upper case; the two ends of a program as one.
    QString Normal(CHOXInstrParser& checker, const QString& statement)
    {
        QString error;
        QString text = statement;
        if (checker.CheckInstruction(statement, error)) text = checker.GetCanonicalStatement();
        text = CHOXProgReader::StripBlanks(text).toUpper();
        if (!text.endsWith(u';')) text += u';';
        if (text == u"M02(END);" || text == u"M102(SEND);") return L("END;");
        return text;
    }

    // What the charts hold, each statement once: program text line by line,
    // every other symbol by its code (an END or START marked missing has
    // none; the JUMP on a side exit is its conditional jump's).
    std::map<QString, int> Held(CHOXDoc* doc, CHOXInstrParser& checker)
    {
        std::map<QString, int> held;
        for (const auto& [name, wnd] : doc->GetWindowMap()) {
            for (const auto& [id, object] : wnd->GetObjectMap()) {
                auto* symbol = dynamic_cast<CHOXSymbol*>(object.get());
                if (symbol == nullptr || IsSideExitJump(wnd.get(), symbol)) continue;
                QString code = symbol->GetObjectType() == objtype::kFlowProgText
                                   ? static_cast<CHOXFlowProgText*>(symbol)->GetText()
                                   : symbol->GetCode();
                for (const QString& line : code.split(u'\n', Qt::SkipEmptyParts))
                    if (line != u"NOP") ++held[Normal(checker, line)];
            }
        }
        return held;
    }

    static bool IsSideExitJump(CHOXFlowWnd* wnd, const CHOXSymbol* symbol)
    {
        if (symbol->GetObjectType() != objtype::kFlowJump || symbol->GetPin(0)->IsFree()) return false;
        const CHOXConnect* wire = chart::FindWire(wnd, symbol->GetPin(0)->GetLinkId());
        return wire != nullptr && wire->GetSourcePin() == CHOXFlowCJump::kJumpPin;
    }

    // Every symbol but a head has its input wired, every wire joins two
    // symbols of its chart from an output to an input, no pin carries two.
    static void ExpectSoundWiring(CHOXDoc* doc)
    {
        for (const auto& [name, wnd] : doc->GetWindowMap()) {
            std::map<std::pair<DWORD, int>, int> outputs;
            for (const auto& [id, object] : wnd->GetConnectMap()) {
                const auto* wire = static_cast<const CHOXConnect*>(object.get());
                const CHOXSymbol* from = chart::FindSymbol(wnd.get(), wire->GetSourceId());
                const CHOXSymbol* to = chart::FindSymbol(wnd.get(), wire->GetTargetId());
                ASSERT_NE(from, nullptr);
                ASSERT_NE(to, nullptr);
                EXPECT_FALSE(from->GetPin(wire->GetSourcePin())->IsInputSide());
                EXPECT_EQ(from->GetPin(wire->GetSourcePin())->GetLinkId(), wire->GetId());
                EXPECT_EQ(to->GetPin(0)->GetLinkId(), wire->GetId());
                EXPECT_EQ(++outputs[std::make_pair(wire->GetSourceId(), int(wire->GetSourcePin()))], 1);
            }
            for (const auto& [id, object] : wnd->GetObjectMap()) {
                const auto* symbol = static_cast<const CHOXSymbol*>(object.get());
                const int type = symbol->GetObjectType();
                if (type == objtype::kFlowStart || type == objtype::kFlowPointer || type == objtype::kFlowSubRtn)
                    continue;
                EXPECT_FALSE(symbol->GetPin(0)->IsFree())
                    << name.toStdString() << " " << Describe(const_cast<CHOXSymbol*>(symbol)).toStdString();
            }
        }
    }
};

} // namespace

TEST_F(RebuildRandomListsTest, NoStatementLostOrRepeatedAndTheDocumentSavesAndLoads)
{
    QTemporaryDir dir;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        const int type = static_cast<int>(seed % 3);
        RandomList list(seed);
        const QString text = list.Make();
        SCOPED_TRACE("seed " + std::to_string(seed) + " type " + std::to_string(type) + ": " + text.toStdString());
        CHOXProgReader& r = Rebuild(text, type);
        CHOXDoc* doc = r.GetDocument();
        ASSERT_NE(doc, nullptr);
        EXPECT_FALSE(r.IsStopped());
        CHOXInstrParser checker(&doc->GetParam());
        checker.SetFullRegisterRange(true);

        std::map<QString, int> read;
        for (const QString& statement : r.GetStatements())
            if (statement != u"NOP") ++read[Normal(checker, statement)];
        std::map<QString, int> held = Held(doc, checker);
        // Only JMPs before pointers and RETs and ENDs that close charts may
        // have been added.
        int addedJumps = 0;
        for (const auto& [statement, count] : held) {
            const int extra = count - (read.count(statement) != 0 ? read[statement] : 0);
            if (extra <= 0) continue;
            const bool jump = statement.startsWith(u"JMP(FNC04)P");
            EXPECT_TRUE(jump || statement == u"RET(FNC03);" || statement == u"END;") << statement.toStdString();
            if (jump) addedJumps += extra;
        }
        EXPECT_LE(addedJumps, r.GetJumpsBuilt() - r.GetJumpsRead());
        for (const auto& [statement, count] : read) {
            const int kept = held.count(statement) != 0 ? held[statement] : 0;
            EXPECT_GE(kept, count) << statement.toStdString();
        }
        ExpectSoundWiring(doc);

        const QString path = dir.filePath(QStringLiteral("random%1.hox").arg(seed));
        ASSERT_TRUE(doc->OnSaveDocument(path));
        {
            CHOXDoc loaded;
            ASSERT_TRUE(loaded.OnOpenDocument(path));
            EXPECT_EQ(loaded.GetWindowNameList(), doc->GetWindowNameList());
            for (const auto& [name, wnd] : doc->GetWindowMap()) {
                const CHOXFlowWnd* back = loaded.FindWindowByName(name);
                ASSERT_NE(back, nullptr);
                EXPECT_EQ(back->GetObjectMap().GetCount(), wnd->GetObjectMap().GetCount());
                EXPECT_EQ(back->GetConnectMap().GetCount(), wnd->GetConnectMap().GetCount());
            }
            EXPECT_EQ(loaded.GetStepInfoList().size(), doc->GetStepInfoList().size());
        }
        CloseDocument();
    }
}
