// Rebuilt charts against the program they came from: the charts convert
// back into the same program (blanks and letter case aside), and every step
// record begins where the conversion says that symbol's code begins. Then
// the step map in detail, and random lists of every kind of statement,
// which must never lose or repeat a statement and must leave a document
// that saves and loads.
#include "convert/RebuildFixture.h"

#include "platform/CompoundFile.h"

#include <QTemporaryDir>

#include <map>
#include <random>
#include <set>

using kt::test::Lines;
using kt::test::Normal;
using kt::test::NormalLines;
using kt::test::RebuildFixture;

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

// Random programs the way the conversion writes them: each begins with its
// label and ends with END, SEND, RET or a JMP (with or without its end);
// NOPs stand before statements that keep their place and, when asked for,
// between programs (where the rebuild drops them). The same seed makes the
// same program with or without those.
class ProgramMaker {
public:
    ProgramMaker(unsigned seed, int type, bool nopsBetween)
        : m_rng(seed), m_type(type), m_nopsBetween(nopsBetween), m_checker(nullptr)
    {
        m_checker.SetControllerType(type);
        m_checker.SetFullRegisterRange(true);
    }

    // The program text and what the rebuilt charts must give back.
    void Make(QString& text, QStringList& expected)
    {
        const int programs = Pick(2, 4);
        const int pointers = Pick(1, 3);
        const int subroutines = Pick(0, 2);
        for (int p = 0; p < pointers; ++p) m_pointers.push_back(10 + p);
        for (int s = 0; s < subroutines; ++s) m_subroutines.push_back(50 + s);
        std::vector<QString> heads;
        for (int p = 0; p < programs; ++p) heads.push_back(ProgramLabel(p));
        if (Pick(0, 1) == 1) heads.push_back(L("O100;"));
        for (int n : m_pointers) heads.push_back(QStringLiteral("P%1;").arg(n));
        for (int n : m_subroutines) heads.push_back(QStringLiteral("P%1;").arg(n));
        std::shuffle(heads.begin(), heads.end(), m_rng);
        for (const QString& head : heads) {
            const bool subroutine = head.startsWith(u'P') && IsSubroutine(head);
            Add(head);
            const int items = Pick(0, 5);
            for (int k = 0; k < items; ++k) Item();
            End(head == u"O100;", subroutine);
            while (Pick(0, 2) == 0)
                if (m_nopsBetween) m_text << L("NOP");
        }
        text = m_text.join(u'\n');
        expected = m_expected;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    QString Any(const std::vector<QString>& words)
    {
        return words[static_cast<std::size_t>(Pick(0, int(words.size()) - 1))];
    }
    // Of the words, one the controller type takes as the read gives it: in
    // upper case.
    QString AnyAccepted(const std::vector<QString>& words)
    {
        std::vector<QString> accepted;
        QString error;
        for (const QString& word : words)
            if (m_checker.CheckInstruction(word.toUpper(), error)) accepted.push_back(word);
        return Any(accepted);
    }
    bool IsSubroutine(const QString& head) const
    {
        for (int n : m_subroutines)
            if (head == QStringLiteral("P%1;").arg(n)) return true;
        return false;
    }
    QString ProgramLabel(int p) const
    {
        switch (m_type) {
        case 0: return QStringLiteral("Ox%1;").arg(p);
        case 1: return QStringLiteral("O%1%2;").arg(p % 2 == 0 ? L("x") : L("y")).arg(p);
        default: return QStringLiteral("O%1;").arg(p);
        }
    }
    QString Pointer()
    {
        return QStringLiteral("P%1").arg(m_pointers[std::size_t(Pick(0, int(m_pointers.size()) - 1))]);
    }
    void Add(const QString& lines)
    {
        for (const QString& line : lines.split(u'\n')) {
            m_text << line;
            m_expected << Normal(line);
        }
    }
    void Item()
    {
        // A NOP keeps its place before anything, a conditional jump's BRET
        // too.
        const int kind = Pick(0, 9);
        if (Pick(0, 3) == 0) Add(L("NOP"));
        switch (kind) {
        case 0: Add(QStringLiteral("m%1;").arg(Pick(10, 99))); break;
        case 1:
            Add(AnyAccepted({L("cod00(DRV) x100 f1000;"), L("cod01(LIN) x-50 y20 f300;"), L("cod04(TIM) K10;"),
                             L("MOV(FNC12) K1 D0;"), L("ADD(FNC20) D0 D1 D2;")}));
            break;
        case 2:
            if (!m_subroutines.empty())
                Add(QStringLiteral("CALL(FNC02) P%1;")
                        .arg(m_subroutines[std::size_t(Pick(0, int(m_subroutines.size()) - 1))]));
            break;
        case 3: Add(L("LD X0;\nAND X1;\nOUT Y0;")); break;
        case 5:
            Add(QStringLiteral("BRET(FNC05);\n%1\n%2 %3;\nBRET(FNC05);")
                    .arg(Any({L("LD X0;"), L("LDI M5;\nOR X2;"), L("LD X1;\nANI X3;")}),
                         Any({L("CJ(FNC00)"), L("CJN(FNC01)")}), Pointer()));
            break;
        case 6: {
            static const char* const kBits[] = {"LD M10;",  "LD M10;\nOR M11;", "LD M11;",
                                                "LDI M11;", "LD M11;\nOR M12;", "LD M12;"};
            Add(QStringLiteral("BRET(FNC05);\nCMP(FNC10) %1 %2 M10;\n%3\n%4 %5;\nBRET(FNC05);")
                    .arg(Any({L("D0"), L("K5"), L("D7")}), Any({L("D1"), L("K-3")}), L(kBits[Pick(0, 5)]),
                         Any({L("CJ(FNC00)"), L("CJN(FNC01)")}), Pointer()));
            break;
        }
        case 7:
            Add(QStringLiteral("BRET(FNC05);\nZCP(FNC11) D0 K1 D2 M20;\nLD M21;\n%1 %2;\nBRET(FNC05);")
                    .arg(Any({L("CJ(FNC00)"), L("CJN(FNC01)")}), Pointer()));
            break;
        default: Add(QStringLiteral("m%1;").arg(Pick(10, 99))); break;
        }
    }
    void End(bool subtask, bool subroutine)
    {
        if (Pick(0, 3) == 0) Add(L("NOP"));
        if (subroutine) {
            Add(L("RET(FNC03);"));
            return;
        }
        const QString end = subtask ? L("m102(SEND);") : L("m02(END);");
        switch (Pick(0, 2)) {
        case 0: Add(end); break;
        case 1: Add(QStringLiteral("JMP(FNC04) %1;").arg(Pointer())); break;
        default: Add(QStringLiteral("JMP(FNC04) %1;\n%2").arg(Pointer(), end)); break;
        }
    }

    std::mt19937 m_rng;
    int m_type;
    bool m_nopsBetween;
    CHOXInstrParser m_checker;
    std::vector<int> m_pointers;
    std::vector<int> m_subroutines;
    QStringList m_text;
    QStringList m_expected;
};

class RebuildRoundTripTest : public RebuildFixture {};

} // namespace

TEST_F(RebuildRoundTripTest, ProgramsConvertBackIntoTheTextTheyCameFrom)
{
    const struct {
        int type;
        const char* program;
    } rows[] = {
        {0, "Ox1;\nm10;\ncod00(DRV) x100 f1000;\nCALL(FNC02) P3;\nJMP(FNC04) P2;\nm02(END);\nP2;\nNOP\nm11;\n"
            "m02(END);\nP3;\nLD X0;\nOUT Y0;\nRET(FNC03);"},
        {1, "Ox1;\nBRET(FNC05);\nCMP(FNC10) D0 K5 M10;\nLD M11;\nOR M12;\nCJN(FNC01) P5;\nBRET(FNC05);\nm10;\n"
            "m02(END);\nOy2;\nBRET(FNC05);\nLD X0;\nAND X1;\nCJ(FNC00) P5;\nBRET(FNC05);\nJMP(FNC04) P5;\nP5;\n"
            "m02(END);\nO100;\nm20;\nm102(SEND);"},
        {2, "O1;\nBRET(FNC05);\nZCP(FNC11) D0 D1 D2 M20;\nLD M21;\nCJ(FNC00) P9;\nBRET(FNC05);\n"
            "BRET(FNC05);\nDCMP(FNC10) DD0 DD2 Y6;\nLD Y10;\nCJ(FNC00) P9;\nBRET(FNC05);\nm02(END);\nP9;\nm30;\n"
            "JMP(FNC04) P9;\nm02(END);"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.program);
        CheckRoundTrip(L(row.program), NormalLines(L(row.program)), row.type);
    }
}

// A NOP read after held sequence lines, or between a BRET and the
// conditional jump it would open, used to move ahead of those lines or
// behind the statement after it: the program came back in another order.
TEST_F(RebuildRoundTripTest, NopsWithinAProgramKeepTheirPlace)
{
    const char* const programs[] = {
        "Ox1;\nLD X0;\nNOP\nLD X1;\nOUT Y0;\nm02(END);",
        "Ox1;\nBRET(FNC05);\nLD X0;\nNOP\nCJ(FNC00) P5;\nBRET(FNC05);\nm02(END);\nP5;\nm02(END);",
        "Ox1;\nBRET(FNC05);\nNOP\nCMP(FNC10) D0 D1 M10;\nLD M10;\nCJ(FNC00) P5;\nBRET(FNC05);\nm02(END);\nP5;\n"
        "m02(END);",
        "Ox1;\nLD X0;\nNOP\nCJ(FNC00) P5;\nm10;\nm02(END);\nP5;\nm02(END);",
        "Ox1;\nLD X0;\nNOP\nNOP\nCMP(FNC10) D0 D1 M10;\nm10;\nm02(END);",
    };
    for (const char* program : programs) {
        SCOPED_TRACE(program);
        CheckRoundTrip(L(program), NormalLines(L(program)), 1);
    }
}

TEST_F(RebuildRoundTripTest, RandomProgramsConvertBack)
{
    for (unsigned seed = 1; seed <= 24; ++seed) {
        const int type = static_cast<int>(seed % 3);
        SCOPED_TRACE("seed " + std::to_string(seed));
        for (const bool nopsBetween : {false, true}) {
            ProgramMaker maker(seed, type, nopsBetween);
            QString text;
            QStringList expected;
            maker.Make(text, expected);
            SCOPED_TRACE(text.toStdString());
            CheckRoundTrip(text, expected, type, !nopsBetween);
        }
    }
}
