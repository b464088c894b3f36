// The rows of the foundation-sequence pages and of the RA-ZUZ instruction
// dialog: their kinds, texts and places, which the clipboard writer reads.
#include "plc/PlcLadderRows.h"

#include "LadderTestSupport.h"

#include <gtest/gtest.h>

using kt::test::Describe;

namespace {

const std::pair<int, int> kFirst{16, 32};
const std::pair<int, int> kBranch{59, 32};

} // namespace

TEST(PlcLadderRows, UnitOperandReadsK0WhileNotSet)
{
    EXPECT_EQ(plcrows::UnitOperand(-1), QStringLiteral("K0"));
    EXPECT_EQ(plcrows::UnitOperand(0), QStringLiteral("K0"));
    EXPECT_EQ(plcrows::UnitOperand(7), QStringLiteral("K7"));
}

TEST(PlcLadderRows, BlockOperandsArePaddedToOneLengthOnlyWithBothAxes)
{
    const struct {
        std::int32_t x, y;
        bool twoAxes;
        const char* expectX;
        const char* expectY;
    } cases[] = {
        {100, 2000, true, "K4M100 ", "K4M2000"},
        {2000, 5, true, "K4M2000", "K4M5   "},
        {12, 34, true, "K4M12", "K4M34"},
        {0, 3063, false, "K4M0", "K4M3063"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "/" + std::to_string(c.y));
        const plcrows::KnMOperands ops = plcrows::BlockOperands(c.x, c.y, c.twoAxes);
        EXPECT_EQ(ops.x.toStdString(), c.expectX);
        EXPECT_EQ(ops.y.toStdString(), c.expectY);
    }
}

TEST(PlcLadderRows, FoundationRowsTakeTheirInstructionAndBufferMemories)
{
    const plcrows::Transfer send{QStringLiteral("TO"), 20, 21};
    EXPECT_EQ(
        Describe(plcrows::FounSeqRows(send, QStringLiteral("K2"), 100, 5, true)),
        Describe(
            {{{{1, ""}, {5, "M8000"}, {10, ""}, {6, "TO"}, {6, "K2"}, {6, "K20"}, {6, "K4M100"}, {6, "K1"}, {2, ""}},
              kFirst},
             {{{3, ""}, {6, "TO"}, {6, "K2"}, {6, "K21"}, {6, "K4M5  "}, {6, "K1"}, {2, ""}}, kBranch}}));

    // One axis: the X row alone, its operand as it is.
    const plcrows::Transfer read{QStringLiteral("FROM"), 23, 25};
    EXPECT_EQ(
        Describe(plcrows::FounSeqRows(read, QStringLiteral("K0"), 7, 3000, false)),
        Describe(
            {{{{1, ""}, {5, "M8000"}, {10, ""}, {6, "FROM"}, {6, "K0"}, {6, "K23"}, {6, "K4M7"}, {6, "K1"}, {2, ""}},
              kFirst}}));
}

TEST(PlcLadderRows, InstructionByDirectionAndWidth)
{
    EXPECT_EQ(plcrows::KzPlcInstruction(true, false), QStringLiteral("FROM"));
    EXPECT_EQ(plcrows::KzPlcInstruction(false, false), QStringLiteral("TO"));
    EXPECT_EQ(plcrows::KzPlcInstruction(true, true), QStringLiteral("DFROM"));
    EXPECT_EQ(plcrows::KzPlcInstruction(false, true), QStringLiteral("DTO"));
}

TEST(PlcLadderRows, InstructionDialogRows)
{
    EXPECT_EQ(Describe(plcrows::KzPlcOneRow(QStringLiteral("TO"), -1, 9000)),
              Describe({{{{1, ""}, {5, "Blank"}, {6, "TO"}, {6, "K0"}, {6, "K9000"}, {6, "Blank"}, {6, "K1"}, {2, ""}},
                         kFirst}}));

    // Both axes: the short line and the Y row only where there is a Y axis.
    EXPECT_EQ(
        Describe(plcrows::KzPlcBothAxes(QStringLiteral("DFROM"), 5, true)),
        Describe(
            {{{{1, ""}, {5, "Blank"}, {10, ""}, {6, "DFROM"}, {6, "K5"}, {6, "K4 "}, {6, "Blank"}, {6, "K1"}, {2, ""}},
              kFirst},
             {{{3, ""}, {6, "DFROM"}, {6, "K5"}, {6, "K14"}, {6, "Blank"}, {6, "K1"}, {2, ""}}, kBranch}}));
    EXPECT_EQ(Describe(plcrows::KzPlcBothAxes(QStringLiteral("DTO"), -1, false)),
              Describe({{{{1, ""}, {5, "Blank"}, {6, "DTO"}, {6, "K0"}, {6, "K4 "}, {6, "Blank"}, {6, "K1"}, {2, ""}},
                         kFirst}}));
}
