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

// The M-code sequence dialog's ladders.

TEST(PlcLadderRows, McodeSaveRowReadsBufferMemory3Or13IntoTheRegister)
{
    EXPECT_EQ(Describe(plcrows::McodeSaveRows(-1, false, 100)),
              Describe({{{{1, ""}, {5, "M8000"}, {6, "FROM"}, {6, "K0"}, {6, "K3"}, {6, "D100"}, {6, "K1"}, {2, ""}},
                         kFirst}}));
    EXPECT_EQ(Describe(plcrows::McodeSaveRows(7, true, 7999)),
              Describe({{{{1, ""}, {5, "M8000"}, {6, "FROM"}, {6, "K7"}, {6, "K13"}, {6, "D7999"}, {6, "K1"}, {2, ""}},
                         kFirst}}));
}

TEST(PlcLadderRows, McodeAuxDriveAndOffRows)
{
    const plcrows::McodeDevices devices{200, 3065, 103};
    EXPECT_EQ(plcrows::McodeComparison(200, 5), QStringLiteral("= D200 K5"));
    EXPECT_EQ(Describe(plcrows::AuxDriveRows(devices, 5, QStringLiteral("X17"), 3071)),
              Describe({{{{1, ""}, {5, "M3065"}, {7, "= D200 K5"}, {9, "X17"}, {8, "M3071"}, {2, ""}}, kFirst}}));
    // Alone, the row ends in the M code ON contact and the M code OFF coil;
    // among several it ends in a gap.
    EXPECT_EQ(Describe(plcrows::McodeOffRows(devices, 0, QStringLiteral("D12"), false)),
              Describe({{{{1, ""}, {7, "= D200 K0"}, {5, "D12"}, {5, "M3065"}, {8, "M103"}, {2, ""}}, kFirst}}));
    EXPECT_EQ(Describe(plcrows::McodeOffRows(devices, 100, QStringLiteral("M9"), true)),
              Describe({{{{1, ""}, {7, "= D200 K100"}, {5, "M9"}, {11, ""}, {2, ""}}, kFirst}}));
}

TEST(PlcLadderRows, McodeOffTotalHasOneRowPerMcodeEachBranchingBelowTheLast)
{
    const plcrows::McodeDevices devices{0, 3, 3};
    EXPECT_TRUE(plcrows::McodeOffTotalRows(devices, {}).empty());
    EXPECT_EQ(Describe(plcrows::McodeOffTotalRows(devices, {{5, QStringLiteral("X1")}})),
              Describe({{{{1, ""}, {7, "= D0 K5"}, {5, "X1"}, {10, ""}, {5, "M3"}, {8, "M3"}, {2, ""}}, kFirst}}));
    EXPECT_EQ(Describe(plcrows::McodeOffTotalRows(
                  devices, {{5, QStringLiteral("X1")}, {7, QStringLiteral("M2")}, {10, QStringLiteral("D3")}})),
              Describe({{{{1, ""}, {7, "= D0 K5"}, {5, "X1"}, {10, ""}, {5, "M3"}, {8, "M3"}, {2, ""}}, kFirst},
                        {{{3, ""}, {7, "= D0 K7"}, {5, "M2"}, {4, ""}}, {16, 32}},
                        {{{3, ""}, {7, "= D0 K10"}, {5, "D3"}, {4, ""}}, {16, 64}}}));
    // Six scroll units a row and three more.
    EXPECT_EQ(plcrows::McodeOffTotalUnits(0), 3);
    EXPECT_EQ(plcrows::McodeOffTotalUnits(4), 27);
}
