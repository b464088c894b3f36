// The parameter listing: every number's row on each controller type, system
// of units and length unit against a listing made apart from the program,
// the cases of each rule, and rows that must not run over their fields.
#include "params/HOXParam.h"
#include "params/ParamUnits.h"

#include "app/HOXDoc.h"
#include "params/ParamTestSupport.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>

namespace {

using kt::test::Set;

QString Field(const char* text) { return QString::fromLatin1(text); }

// A row whose Y text starts as "#", to show when it is left alone.
PARAM_ROW RowOf(const CHOXParam& param, UINT number)
{
    PARAM_ROW row;
    std::memset(&row, 'x', sizeof row);
    std::strcpy(row.yText, "#");
    param.GetParamRow(number, &row);
    return row;
}

QString Line(const PARAM_ROW& row)
{
    return QStringLiteral("%1|%2|%3|%4").arg(Field(row.number), Field(row.name), Field(row.xText), Field(row.yText));
}

// The values the listing file was made from: a document of the type whose X
// axis has the system of units and length unit, its Y axis the next ones.
void SetConfiguration(CHOXDoc& doc, std::int32_t type, std::int32_t system, std::int32_t unit)
{
    doc.SetControllerType(type);
    CHOXParam& p = doc.GetParam();
    // The defaults on both axes, whatever the type.
    doc.SetControllerType(1);
    p.SetDefaults();
    doc.SetControllerType(type);
    const std::int32_t c = (system + unit) % 4;
    const std::map<UINT, std::int32_t> x = {
        {0, system},
        {2, 123456},
        {3, c},
        {7, 15},
        {16, -999},
        {24, 5000},
        {18, (system + unit) % 3},
        {23, (system * 3 + unit) % 7},
        {30, unit},
        {56, (system + unit) % 6},
        {22, 256},
        {34, 257},
        {36, 1},
        {39, 1},
        {40, 4},
        {41, 3},
        {42, 17},
        {50, 1},
        {51, 7},
        {52, 12},
        {53, 0},
        {54, 375},
        {25, INT32_MIN},
        {26, INT32_MAX},
    };
    const std::map<UINT, std::int32_t> y = {
        {0, (system + 1) % 3},
        {3, 3 - c},
        {11, 1},
        {12, 1},
        {15, 0},
        {19, 1},
        {39, 258},
        {50, 0},
        {53, 1},
        {54, 3},
        {23, 261},
        {30, 3},
        {18, 2},
        {22, 1},
        {56, 4},
    };
    for (const auto& [n, v] : x) Set(p, n, 0, v);
    for (const auto& [n, v] : y) Set(p, n, 1, v);
    p.SetLengthUnit(0, unit);
    p.SetLengthUnit(1, (unit + 1) % 3);
    const std::map<UINT, std::int32_t> common = {
        {100, type % 2}, {101, 3000}, {102, type}, {103, 17}, {104, (type + 1) % 3}, {105, 375},
        {106, type % 2}, {107, 7},    {108, 1},    {109, 5},  {110, (type + 1) % 2}, {111, 3},
    };
    for (const auto& [n, v] : common) Set(p, n, 0, v);
}

} // namespace

TEST(ParamRowTest, EveryNumberOnEveryTypeSystemAndLengthUnit)
{
    QFile file(QStringLiteral(KT_TEST_DATA "/params/listing.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList expected = QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(expected.size(), 3 * 3 * 3 * 120);
    int at = 0;
    for (std::int32_t type : {0, 1, 2}) {
        for (std::int32_t system : {0, 1, 2}) {
            for (std::int32_t unit : {0, 1, 2}) {
                CHOXDoc doc;
                SetConfiguration(doc, type, system, unit);
                const QString config = QStringLiteral("%1 %2 %3|").arg(type).arg(system).arg(unit);
                for (UINT n = 0; n < 120; ++n, ++at)
                    EXPECT_EQ((config + Line(RowOf(doc.GetParam(), n))).toStdString(), expected[at].toStdString());
            }
        }
    }
}

TEST(ParamRowTest, SpareNumbersHaveNoValuesOnEitherAxis)
{
    for (std::int32_t type : {0, 1}) {
        CHOXDoc doc;
        doc.SetControllerType(type);
        for (UINT n : {27u, 29u, 43u, 49u, 55u, 57u, 60u, 99u, 112u, 119u}) {
            const PARAM_ROW row = RowOf(doc.GetParam(), n);
            EXPECT_EQ(Field(row.number), QString::number(n));
            EXPECT_STREQ(row.name, "Spare");
            EXPECT_STREQ(row.xText, "") << n;
            EXPECT_STREQ(row.yText, "") << n;
        }
    }
}

TEST(ParamRowTest, TheOneAxisTypeWritesNoYTextAndNoDivision)
{
    CHOXDoc doc;
    doc.SetControllerType(0);
    CHOXParam& p = doc.GetParam();
    p.SetDefaults();
    for (std::int32_t pulser : {0, 1}) {
        Set(p, 39, 0, pulser);
        Set(p, 41, 0, 5);
        EXPECT_STREQ(RowOf(p, 41).xText, "<Not Applicable>");
    }
    for (UINT n : {0u, 4u, 41u, 56u, 101u, 111u}) EXPECT_STREQ(RowOf(p, n).yText, "#") << n;
}

TEST(ParamRowTest, SwitchesDecideWhetherTheirValuesShow)
{
    CHOXDoc doc;
    CHOXParam& p = doc.GetParam();
    Set(p, 40, 0, 9);
    Set(p, 39, 0, 0);
    EXPECT_STREQ(RowOf(p, 40).xText, "");
    EXPECT_STREQ(RowOf(p, 42).xText, "");
    Set(p, 39, 0, 1);
    EXPECT_STREQ(RowOf(p, 40).xText, "9");
    EXPECT_STREQ(RowOf(p, 42).xText, "X2");
    // Coded switches count by their low 8 bits only.
    Set(p, 39, 0, 0x100);
    EXPECT_STREQ(RowOf(p, 39).xText, "Invalid");
    EXPECT_STREQ(RowOf(p, 40).xText, "");
    Set(p, 50, 0, 0x201);
    Set(p, 51, 0, 4);
    EXPECT_STREQ(RowOf(p, 50).xText, "Valid");
    EXPECT_STREQ(RowOf(p, 51).xText, "X4");
}

TEST(ParamRowTest, CommonParametersShowTheSameTextOnBothAxes)
{
    CHOXDoc doc;
    doc.SetControllerType(2);
    CHOXParam& p = doc.GetParam();
    Set(p, 101, 0, 1234);
    Set(p, 104, 0, 0);
    Set(p, 106, 0, 0);
    const struct {
        UINT n;
        const char* text;
    } cases[] = {{101, "1234"}, {104, "MANU to  AUTO"}, {106, "AUTO to  MANU"}, {100, "8K Steps"}};
    for (const auto& c : cases) {
        const PARAM_ROW row = RowOf(p, c.n);
        EXPECT_STREQ(row.xText, c.text);
        EXPECT_STREQ(row.yText, c.text);
    }
}

TEST(ParamRowTest, UnitTextsFollowSystemLengthUnitAndCommandUnit)
{
    using namespace paramunits;
    const struct {
        std::int32_t system, unit, c;
        const char* speed;
        const char* position;
        double command;
    } cases[] = {
        {kMechanical, 0, 2, " cm/min", " x10 Micro m", 0.01},
        {kMechanical, 1, 0, " 10 deg/min", " x1000 mdeg", 1.0},
        {kMechanical, 2, 3, " inch/min", " minch/10", 0.0001},
        {kMotor, 2, 2, " Hz", " x10 PLS", 10.0},
        {kMechanicalAndMotor, 0, 1, " Hz", " x100 Micro m", 0.1},
        {kMechanical, 0, 4, " cm/min", "", 0.0001},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Speed(c.system, c.unit).toStdString(), c.speed);
        EXPECT_EQ(Position(c.system, c.unit, c.c).toStdString(), c.position);
        EXPECT_DOUBLE_EQ(MinCommandUnit(c.system, c.unit, c.c), c.command);
    }
    // A length unit the program does not know has no text.
    EXPECT_TRUE(Length(kMechanical, 7).isEmpty());
    EXPECT_EQ(Length(kMotor, 7).toStdString(), " PLS");
}

// The number field holds three digits and the text fields 31 characters:
// whatever the number or the value, nothing runs past them.
TEST(ParamRowTest, NoTextRunsOverItsField)
{
    CHOXDoc doc;
    CHOXParam& p = doc.GetParam();
    // A command unit code far out of range gives a very long number.
    Set(p, 3, 0, -300);
    Set(p, 0, 0, 1);
    struct Guarded {
        PARAM_ROW row;
        char after[8];
    } guarded;
    std::memset(&guarded, '!', sizeof guarded);
    p.GetParamRow(3, &guarded.row);
    EXPECT_EQ(std::strlen(guarded.row.xText), 31u);
    EXPECT_EQ(QByteArray(guarded.after, 8), QByteArray(8, '!'));
    for (UINT n : {1000u, 4294967295u}) {
        std::memset(&guarded, '!', sizeof guarded);
        p.GetParamRow(n, &guarded.row);
        EXPECT_EQ(Field(guarded.row.number), QString::number(n).left(3));
        EXPECT_STREQ(guarded.row.name, "Spare");
        EXPECT_EQ(QByteArray(guarded.after, 8), QByteArray(8, '!'));
    }
}
