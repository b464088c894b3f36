// The text import's reader: lines as the file holds them, the headers and
// values of the parameter sections, values of every kind surviving export
// and import, and each deviation from the export's format raising the
// parameter-error flag with the values set or kept as the reader reads them.
#include "app/HOXDoc.h"
#include "convert/ExportGolden.h"
#include "convert/HOXExport.h"
#include "convert/HOXTextImporter.h"
#include "params/HOXParam.h"
#include "support/Scripted.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using kt::test::TempSettings;

namespace {

// Parameter numbers of the set, and of each axis.
const std::vector<UINT>& AxisNumbers()
{
    static const std::vector<UINT> numbers = [] {
        std::vector<UINT> n;
        for (UINT i = 0; i <= 26; ++i) n.push_back(i);
        for (UINT i = 30; i <= 56; ++i) n.push_back(i);
        return n;
    }();
    return numbers;
}

std::int32_t Value(const CHOXDoc& doc, UINT number, int axis)
{
    std::int32_t v = -99999;
    doc.GetParam().GetParam(&v, number, axis);
    return v;
}

void Set(CHOXDoc& doc, UINT number, int axis, std::int32_t value) { doc.GetParam().SetParam(&value, number, axis); }

// The parameter part the export writes for the document, with a file name
// and the program header after it.
QString ParameterText(CHOXDoc& doc, const QString& fileName = QStringLiteral("press.hox"))
{
    CHOXExport exporter(&doc);
    exporter.FormatParameters();
    return QStringLiteral("[HOX File Name]\n") + fileName + QStringLiteral("\n\n") + exporter.GetParameterText() +
           QStringLiteral("[Program]\n");
}

class TextImportParamTest : public ::testing::Test {
protected:
    std::unique_ptr<CHOXDoc> NewDoc(int type)
    {
        auto doc = std::make_unique<CHOXDoc>();
        doc->SetControllerType(type);
        doc->GetParam().SetDefaults();
        return doc;
    }
    // A two-axis document whose values differ from the defaults in every
    // kind of value.
    std::unique_ptr<CHOXDoc> SourceDoc(int type)
    {
        auto doc = NewDoc(type);
        Set(*doc, 4, 0, 150000);
        Set(*doc, 4, 1, 90000);
        Set(*doc, 16, 0, -5000);
        Set(*doc, 26, 1, -7);
        Set(*doc, 25, 0, 2147483647);
        Set(*doc, 26, 0, -2147483647 - 1);
        Set(*doc, 31, 0, 234);
        Set(*doc, 37, 1, 17);
        Set(*doc, 42, 1, 5);
        Set(*doc, 101, 0, 500);
        Set(*doc, 103, 0, 5);
        Set(*doc, 105, 0, 7);
        Set(*doc, 111, 0, 377);
        Set(*doc, 0, 1, 0);
        return doc;
    }
    struct Outcome {
        bool read = false;
        bool error = false;
        QString details;
        int lineIndex = 0;
    };
    static Outcome Read(CHOXDoc& doc, const QString& text)
    {
        CHOXTextImporter importer(&doc, text.split(u'\n'));
        Outcome out;
        out.read = importer.SetParameters();
        out.error = importer.HasParameterError();
        out.details = importer.GetDetails();
        out.lineIndex = importer.GetLineIndex();
        return out;
    }

    TempSettings settings;
};

} // namespace

// ---------------------------------------------------------------------------
// Lines and words

TEST_F(TextImportParamTest, LinesLoseBlanksEmptyLinesPrefixesAndTrailingNops)
{
    auto doc = NewDoc(1);
    CHOXTextImporter importer(doc.get(), {QStringLiteral("  A"), QString(), QStringLiteral("   "),
                                          QStringLiteral("0012:  LD X000"), QStringLiteral("NOP"),
                                          QStringLiteral("C: "), QStringLiteral("NOP  "), QStringLiteral(" nop")});
    EXPECT_EQ(importer.GetLineCount(), 4);
    QString line;
    QStringList got;
    while (importer.GetNextLine(line)) got << line;
    // A NOP inside stays; an empty remainder after a prefix is a line.
    EXPECT_EQ(got, (QStringList{"A", "LD X000", "NOP", ""}));
    importer.UnreadLine();
    ASSERT_TRUE(importer.GetNextLine(line));
    EXPECT_EQ(line, QString());
    EXPECT_FALSE(importer.GetNextLine(line));

    CHOXTextImporter onlyNops(doc.get(), {QStringLiteral("NOP"), QStringLiteral("  nop "), QString()});
    EXPECT_EQ(onlyNops.GetLineCount(), 0);
    EXPECT_FALSE(onlyNops.GetNextLine(line));
}

TEST_F(TextImportParamTest, SectionHeadersInAnyCaseAndSpacing)
{
    const struct {
        const char* line;
        int kind;
        bool header;
    } cases[] = {
        {"[System Setup Parameter]", 0, true},
        {"[ SYSTEM   setup PARAMETER ]", 0, true},
        {"  [System Setup Parameter]  ", 0, true},
        {"[System Setup Parameter", 0, false},
        {"System Setup Parameter]", 0, false},
        {"[System Setup]", 0, false},
        {"[Subtask Parameter]", 1, true},
        {"[Subtask Parameter]", 0, false},
        {"[Control Spec. Parameter]", 2, true},
        {"[Control Spec Parameter]", 2, false},
        {"[I/O Control Parameter]", 3, true},
        {"[I/O Control Parameter]", 2, false},
        {"[Program]", 4, true},
        {"[ PROGRAM ]", 4, true},
        {"[Program listing]", 4, true},
        {"[Programs]", 4, false},
        {"[Program]", 5, false},
        {"[]", 4, false},
        {"[", 4, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CHOXTextImporter::IsSectionHeader(QString::fromLatin1(c.line), c.kind), c.header)
            << c.line << " " << c.kind;
}

TEST_F(TextImportParamTest, WordsNamesAndValues)
{
    QString line = QStringLiteral("  12   Jog Speed   [20000]   [-30]  ");
    QString word;
    ASSERT_TRUE(CHOXTextImporter::SplitWord(line, word));
    EXPECT_EQ(word, QStringLiteral("12"));
    QString name;
    ASSERT_TRUE(CHOXTextImporter::SplitAtBracket(line, name));
    EXPECT_EQ(name, QStringLiteral("Jog Speed"));
    QString digits;
    bool negative = true;
    ASSERT_TRUE(CHOXTextImporter::ParseParamValue(line, digits, 12, &negative));
    EXPECT_EQ(digits, QStringLiteral("20000"));
    EXPECT_FALSE(negative);
    ASSERT_TRUE(CHOXTextImporter::ParseParamValue(line, digits, 12, &negative));
    EXPECT_EQ(digits, QStringLiteral("30"));
    EXPECT_TRUE(negative);
    EXPECT_FALSE(CHOXTextImporter::ParseParamValue(line, digits, 12, &negative));

    const struct {
        const char* text;
        UINT number;
        const char* digits; // null: refused
        bool negative;
    } cases[] = {
        {"[-50]", 4, "50", true},     {"[- 50]", 4, nullptr, false},  {"[ 7 ]", 4, "7", false},
        {"[7x]", 4, nullptr, false},  {"[]", 4, nullptr, false},      {"7]", 4, nullptr, false},
        {"[7", 4, nullptr, false},    {"[X005]", 105, "005", false},  {"[x005]", 105, "005", false},
        {"[5]", 105, nullptr, false}, {"[234]", 31, nullptr, false},  {"[X234]", 31, "234", false},
        {"[Y017]", 37, "017", false}, {"[X017]", 37, nullptr, false}, {"[-5]", 105, nullptr, false},
        {"[ Y7]", 109, "7", false},   {"[Y 7]", 109, nullptr, false},
    };
    for (const auto& c : cases) {
        QString text = QString::fromLatin1(c.text);
        const bool ok = CHOXTextImporter::ParseParamValue(text, digits, c.number, &negative);
        EXPECT_EQ(ok, c.digits != nullptr) << c.text;
        if (ok && c.digits != nullptr) {
            EXPECT_EQ(digits, QString::fromLatin1(c.digits)) << c.text;
            EXPECT_EQ(negative, c.negative) << c.text;
        }
    }
}

TEST_F(TextImportParamTest, NumbersAreReadOnlyWhenTheyFit)
{
    const struct {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"12", 12},
        {"  -7x", -7},
        {"+3", 3},
        {"0005", 5},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"4294967301", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"x1", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CHOXTextImporter::LeadingNumber(QString::fromLatin1(c.text)), c.value) << c.text;
}

// ---------------------------------------------------------------------------
// Export and import

TEST_F(TextImportParamTest, EveryKindOfValueSurvivesExportAndImport)
{
    for (int type : {0, 1, 2}) {
        SCOPED_TRACE(type);
        auto source = SourceDoc(type);
        const QString text = ParameterText(*source);
        auto target = NewDoc(type);
        const Outcome out = Read(*target, text);
        EXPECT_TRUE(out.read);
        EXPECT_FALSE(out.error) << out.details.toStdString();
        for (UINT n = 100; n <= 111; ++n) EXPECT_EQ(Value(*target, n, 0), Value(*source, n, 0)) << n;
        for (int axis : {0, 1}) {
            for (UINT n : AxisNumbers()) {
                // The one-axis file has no Y column: Y keeps its own.
                const std::int32_t expected =
                    type == 0 && axis == 1 ? Value(*NewDoc(0), n, 1) : Value(*source, n, axis);
                EXPECT_EQ(Value(*target, n, axis), expected) << n << " axis " << axis;
            }
        }
        EXPECT_EQ(ParameterText(*target), text);
    }
}

TEST_F(TextImportParamTest, TheExportsOwnFilesReadWithoutError)
{
    for (const auto& [type, golden] : {std::pair{1, kt::test::kTwoAxisParameters}, {0, kt::test::kOneAxisParameters}}) {
        auto doc = NewDoc(type);
        const Outcome out = Read(*doc, QStringLiteral("[HOX File Name]\nA.HOX\n\n") + QString::fromLatin1(golden) +
                                           QStringLiteral("\n[Program]\nOx0;"));
        EXPECT_TRUE(out.read);
        EXPECT_FALSE(out.error) << out.details.toStdString();
        // The program header is the next line handed out.
        CHOXTextImporter importer(doc.get(),
                                  (QStringLiteral("[System Setup Parameter]\n") +
                                   QString::fromLatin1(golden).section(u'\n', 1) + QStringLiteral("\n[Program]"))
                                      .split(u'\n'));
        importer.SetParameters();
        QString line;
        ASSERT_TRUE(importer.GetNextLine(line));
        EXPECT_EQ(line, QStringLiteral("[Program]"));
    }
    auto two = NewDoc(1);
    Read(*two, QStringLiteral("[HOX File Name]\nA.HOX\n") + QString::fromLatin1(kt::test::kTwoAxisParameters));
    EXPECT_EQ(Value(*two, 16, 0), -5000);
    EXPECT_EQ(Value(*two, 37, 1), 17);
    EXPECT_EQ(Value(*two, 4, 1), 90000);
}

TEST_F(TextImportParamTest, DeviationsRaiseTheFlagAndSetOrKeepValues)
{
    using Edit = std::function<void(QStringList&)>;
    const auto replace = [](const char* from, const char* to) {
        return Edit([from, to](QStringList& lines) {
            for (QString& line : lines)
                if (line.startsWith(QString::fromLatin1(from))) line = QString::fromLatin1(to);
        });
    };
    const auto remove = [](const char* start) {
        return Edit([start](QStringList& lines) {
            lines.removeIf([start](const QString& line) { return line.startsWith(QString::fromLatin1(start)); });
        });
    };
    const auto insertAfter = [](const char* start, const char* line) {
        return Edit([start, line](QStringList& lines) {
            for (qsizetype i = 0; i < lines.size(); ++i)
                if (lines[i].startsWith(QString::fromLatin1(start))) {
                    lines.insert(i + 1, QString::fromLatin1(line));
                    return;
                }
        });
    };
    using Check = std::function<void(const CHOXDoc&)>;
    const struct {
        const char* what;
        int type;
        Edit edit;
        bool error;
        Check check;
    } cases[] = {
        {"no file-name block", 1, [](QStringList& lines) { lines.remove(0, 2); }, false,
         [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 101, 0), 500); }},
        {"a name not ending in hox is taken for the first header", 1, replace("press.hox", "press.txt"), true,
         [](const CHOXDoc& d) {
             EXPECT_EQ(Value(d, 101, 0), 0);
             EXPECT_EQ(Value(d, 105, 0), 7);
             EXPECT_EQ(Value(d, 4, 1), 90000);
         }},
        {"a name in any case", 1, replace("press.hox", "PRESS.Hox"), false, {}},
        {"headers in other spellings", 1,
         [](QStringList& lines) {
             for (QString& line : lines) {
                 if (line == QStringLiteral("[Subtask Parameter]")) line = QStringLiteral("  [ SUBTASK  parameter ]");
                 if (line == QStringLiteral("[Program]")) line = QStringLiteral("[program]");
             }
         },
         false, [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 105, 0), 7); }},
        {"step and line prefixes", 1,
         [](QStringList& lines) {
             for (QString& line : lines)
                 if (!line.isEmpty()) line = QStringLiteral("   7 0001:  ") + line;
         },
         false, [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 16, 0), -5000); }},
        {"no column captions", 1, remove("                                  X-axis"), false,
         [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 37, 1), 17); }},
        {"a missing header loses its section only", 1, remove("[Subtask Parameter]"), true,
         [](const CHOXDoc& d) {
             EXPECT_EQ(Value(d, 101, 0), 500);
             EXPECT_EQ(Value(d, 105, 0), 0);
             EXPECT_EQ(Value(d, 4, 0), 150000);
         }},
        {"an I/O section of 37 lines keeps what it read", 1, remove("67  Spare"), true,
         [](const CHOXDoc& d) {
             EXPECT_EQ(Value(d, 31, 0), 234);
             EXPECT_EQ(Value(d, 42, 1), 5);
         }},
        {"a section with a line too many", 1, insertAfter("29  Spare", "29  Spare   [0]   [0]"), true,
         [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 4, 0), 150000); }},
        {"a section with a line too few", 1, remove("119  Spare"), true,
         [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 111, 0), 377); }},
        {"a line without its name", 1, replace(" 4  Maximum Speed", " 4  [150000]  [90000]"), true,
         [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 4, 0), 200000); }},
        {"a line without its value", 1, replace(" 4  Maximum Speed", " 4  Maximum Speed  150000"), true,
         [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 4, 1), 200000); }},
        {"a line without its number", 1, replace(" 4  Maximum Speed", "Maximum Speed  [150000]  [90000]"), true,
         [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 4, 0), 200000); }},
        {"a value too long for 32 bits is refused", 1,
         replace(" 4  Maximum Speed", " 4  Maximum Speed  [99999999999]  [90000]"), true,
         [](const CHOXDoc& d) {
             EXPECT_EQ(Value(d, 4, 0), 200000);
             EXPECT_EQ(Value(d, 4, 1), 90000);
         }},
        {"a number too long for 32 bits is refused", 1,
         replace(" 4  Maximum Speed", "4294967300  Maximum Speed  [150000]  [90000]"), true,
         [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 4, 0), 200000); }},
        {"a number the set does not hold", 1, replace("29  Spare", "68  Foo  [1]  [1]"), true, {}},
        {"numbers in any order", 1,
         [](QStringList& lines) {
             const qsizetype a = lines.indexOf(QStringLiteral("101  File Registers      [500]"));
             lines.swapItemsAt(a, a + 1);
         },
         false, [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 101, 0), 500); }},
        {"a blank after the minus", 1, replace("16  Machine zero", "16  Machine zero point addr  [- 5000]  [0]"), true,
         [](const CHOXDoc& d) {
             EXPECT_EQ(Value(d, 16, 0), 0);
             EXPECT_EQ(Value(d, 16, 1), 0);
         }},
        {"an X device without its letter", 1, replace("105  Start Input", "105  Start Input  [7]"), true,
         [](const CHOXDoc& d) { EXPECT_EQ(Value(d, 105, 0), 0); }},
        {"the Y column without its letter", 1, replace("31  DSW head", "31  DSW head i/p No.  [X234]  [12]"), true,
         [](const CHOXDoc& d) {
             EXPECT_EQ(Value(d, 31, 0), 234);
             EXPECT_EQ(Value(d, 31, 1), 0);
         }},
        {"an I/O number with an 8", 1, replace("31  DSW head", "31  DSW head i/p No.  [X238]  [X001]"), true,
         [](const CHOXDoc& d) {
             EXPECT_EQ(Value(d, 31, 0), 0);
             EXPECT_EQ(Value(d, 31, 1), 1);
         }},
        {"spare lines are passed over whatever they hold", 1, replace("113  Spare", "113  Spare  [junk"), false, {}},
        {"a one-axis document reads the X column only",
         0,
         {},
         false,
         [](const CHOXDoc& d) {
             EXPECT_EQ(Value(d, 4, 0), 150000);
             EXPECT_EQ(Value(d, 4, 1), 200000);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto source = SourceDoc(1);
        QStringList lines = ParameterText(*source).split(u'\n');
        if (c.edit) c.edit(lines);
        auto target = NewDoc(c.type);
        const Outcome out = Read(*target, lines.join(u'\n'));
        EXPECT_TRUE(out.read);
        EXPECT_EQ(out.error, c.error);
        // Every deviation is named in the details.
        EXPECT_EQ(!out.details.isEmpty(), c.error) << out.details.toStdString();
        if (c.check) c.check(*target);
    }
}

TEST_F(TextImportParamTest, TheUnitSystemSetsMillimetresOnMechanicalAxes)
{
    const QString header = QStringLiteral("[System Setup Parameter]\n100 a [0]\n101 b [0]\n102 c [0]\n103 d [Y0]\n"
                                          "[Subtask Parameter]\n");
    for (const auto& [units, mm] : {std::pair{2, true}, {0, true}, {1, false}}) {
        auto doc = NewDoc(1);
        doc->GetParam().SetLengthUnit(0, 2);
        doc->GetParam().SetLengthUnit(1, 1);
        Read(*doc, header + QStringLiteral("[Control Spec. Parameter]\n0  System of Unit  [%1]  [%1]").arg(units));
        EXPECT_EQ(Value(*doc, 0, 0), units);
        EXPECT_EQ(Value(*doc, 0, 1), units);
        EXPECT_EQ(doc->GetParam().GetLengthUnit(0), mm ? 0 : 2) << units;
        EXPECT_EQ(doc->GetParam().GetLengthUnit(1), mm ? 0 : 1) << units;
    }
}

TEST_F(TextImportParamTest, AFileThatEndsInsideTheParametersIsReportedAsSuch)
{
    auto source = SourceDoc(1);
    const QStringList lines = ParameterText(*source).split(u'\n');
    for (const qsizetype keep : {qsizetype(0), qsizetype(1), qsizetype(5), qsizetype(30), lines.size() - 4}) {
        auto doc = NewDoc(1);
        const Outcome out = Read(*doc, lines.mid(0, keep).join(u'\n'));
        EXPECT_FALSE(out.read) << keep;
        EXPECT_TRUE(out.details.contains(QStringLiteral("The file ends inside the parameter part."))) << keep;
    }
}
