// Operands of the sequence, jump and function instructions: exact counts,
// the devices each position accepts, word widths, EXT and SEGL selectors,
// and the steps each device costs.
#include "convert/InstrParserTestSupport.h"

using kt::test::CheckRow;
using kt::test::InstrParserTest;

namespace {

constexpr const char* kWrong = "Wrong combination of operands.";
constexpr const char* kExcess = "Excess operands.";
constexpr const char* kBadRegister = "Invalid Data Register.";

class DeviceOperandsTest : public InstrParserTest {};

} // namespace

TEST_F(DeviceOperandsTest, SequenceJumpAndRepeat)
{
    const CheckRow rows[] = {
        {1, "LD X0;", true, "", "", "LD", "X0;", 2, "", 0, false},
        {1, "ORI M9175;", true, "", "", "ORI", "M9175;", 2, "", 0, false},
        {1, "LD D0;", false, kWrong, "", "LD", "D0;", 2, "", 0, false},
        {1, "LD;", false, "Number of operands for the instruction is 1", "", "LD", ";", 2, "", 0, false},
        {1, "LD X0 X1;", false, kExcess, "", "LD", "X0  X1;", 2, "", 0, false},
        {1, "LD X8;", false, "X value should be octal.", "", "LD", "X8;", 2, "", 1, false},
        {1, "OUT Y0;", true, "", "OUT", "FNC90", "Y0;", 4, "", 0, false},
        {1, "OUT X0;", false, kWrong, "OUT", "FNC90", "X0;", 2, "", 0, false},
        {1, "SET Y0;", true, "", "SET", "", "Y0;", 2, "", 0, false},
        {1, "RST M0;", true, "", "", "RST", "M0;", 2, "", 0, false},
        {1, "JMP P10;", true, "", "JMP", "FNC04", "P10;", 4, "", 0, false},
        {0, "JMP P127;", true, "", "JMP", "FNC04", "P127;", 4, "", 0, false},
        {0, "JMP P128;", false, "P value out of range.", "JMP", "FNC04", "P128;", 2, "", 1, false},
        {0, "JMP P300;", false, "P value out of range.", "JMP", "FNC04", "P300;", 2, "", 1, false},
        {1, "JMP P300;", false, "P value out of range.", "JMP", "FNC04", "P300;", 2, "", 1, false},
        {2, "JMP P300;", false, "P value out of range.", "JMP", "FNC04", "P300;", 2, "", 1, false},
        {1, "CALL P;", false, "Enter a value for P", "CALL", "FNC02", "P;", 2, "", 1, false},
        {1, "CJN(FNC01) P0010;", true, "", "CJN", "FNC01", "P10;", 4, "", 0, false},
        {1, "RPT K10;", true, "", "RPT", "FNC08", "K10;", 5, "", 0, false},
        {1, "RPT D10;", true, "", "RPT", "FNC08", "D10;", 4, "", 0, false},
        {1, "RPT HFF;", true, "", "RPT", "FNC08", "HFF;", 5, "", 0, false},
        {1, "RPT Z0;", false, kWrong, "RPT", "FNC08", "Z0;", 2, "", 0, false},
        {1, "RPE;", true, "", "RPE", "FNC09", ";", 2, "", 0, false},
        {1, "BRET K1;", false, kExcess, "BRET", "FNC05", "K1;", 2, "", 0, false},
    };
    for (const CheckRow& row : rows) ExpectRow(row);
}

TEST_F(DeviceOperandsTest, CompareMoveAndWidths)
{
    const CheckRow rows[] = {
        {1, "CMP K100 D0 M0;", true, "", "CMP", "FNC10", "K100  D0  M0;", 9, "", 0, false},
        {1, "CMP K100 D0;", false, "Number of operands for the instruction is 3", "CMP", "FNC10", "K100  D0;", 2, "",
         0, false},
        {1, "CMP K100 D0 D1;", false, kWrong, "CMP", "FNC10", "K100  D0  D1;", 7, "", 0, false},
        {1, "ZCP K1 K10 D0 Y10;", true, "", "ZCP", "FNC11", "K1  K10  D0  Y10;", 12, "", 0, false},
        {1, "ZCP K1 K10 D0 X10;", false, kWrong, "ZCP", "FNC11", "K1  K10  D0  X10;", 10, "", 0, false},
        {1, "MOV K1X0 D0;", true, "", "MOV", "FNC12", "K1X0  D0;", 6, "", 0, false},
        {1, "MOV D0 K1X0;", false, kWrong, "MOV", "FNC12", "D0  K1X0;", 4, "", 0, false},
        {1, "MOV D0 K1Y0;", true, "", "MOV", "FNC12", "D0  K1Y0;", 6, "", 0, false},
        {1, "MOV D0 K100;", false, kWrong, "MOV", "FNC12", "D0  K100;", 4, "", 0, false},
        {1, "mov k-32768 d0;", true, "", "MOV", "FNC12", "K-32768  D0;", 7, "", 0, false},
        {1, "MOV K32768 D0;", false, "K value out of range.", "MOV", "FNC12", "K32768  D0;", 2, "", 1, false},
        {1, "MOV HFFFF D0V7;", true, "", "MOV", "FNC12", "HFFFF  D0V7;", 7, "", 0, false},
        {1, "MOV H10000 D0;", false, "H value out of range.", "MOV", "FNC12", "H10000  D0;", 2, "", 1, false},
        // D forms take double registers; MMOV and RMOV mix the widths.
        {1, "DMOV D0 D2;", false, kBadRegister, "DMOV", "FNC12", "D0  D2;", 2, "", 1, true},
        {1, "DMOV DD0 DD2;", true, "", "DMOV", "FNC12", "DD0  DD2;", 6, "", 0, true},
        {1, "DMOV DD3998 DD3999;", false, "Data Register value out of range.", "DMOV", "FNC12", "DD3998  DD3999;",
         4, "", 2, true},
        {1, "RMOV D0 D2;", false, kBadRegister, "RMOV", "FNC14", "D0  D2;", 2, "", 1, false},
        {1, "RMOV DD0 D2;", true, "", "RMOV", "FNC14", "DD0  D2;", 6, "", 0, false},
        {1, "RMOV K100000 D0;", true, "", "RMOV", "FNC14", "K100000  D0;", 9, "", 0, false},
        {1, "RMOV HFFFFF D0;", false, "H value out of range.", "RMOV", "FNC14", "HFFFFF  D0;", 2, "", 1, false},
        {1, "MMOV D0 D2;", false, kBadRegister, "MMOV", "FNC13", "D0  D2;", 4, "", 2, false},
        {1, "MMOV D0 DD2;", true, "", "MMOV", "FNC13", "D0  DD2;", 6, "", 0, false},
        {1, "DMOV K-2147483648 DD0;", true, "", "DMOV", "FNC12", "K-2147483648  DD0;", 9, "", 0, true},
        {1, "DMOV K2147483648 DD0;", false, "K value out of range.", "DMOV", "FNC12", "K2147483648  DD0;", 2, "", 1,
         true},
        {1, "DMOV K8M0 DD0;", true, "", "DMOV", "FNC12", "K8M0  DD0;", 6, "", 0, true},
        {1, "MOV K5M0 D0;", false, "K value out of range.", "MOV", "FNC12", "K5M0  D0;", 2, "", 1, false},
        {1, "DMOV HFFFFFFFF DD0;", true, "", "DMOV", "FNC12", "HFFFFFFFF  DD0;", 9, "", 0, true},
        {1, "BCD K4X0 D0;", true, "", "BCD", "FNC18", "K4X0  D0;", 6, "", 0, false},
        {1, "BCD K100 D0;", false, kWrong, "BCD", "FNC18", "K100  D0;", 2, "", 0, false},
        {1, "DBIN DD0 K8Y0;", true, "", "DBIN", "FNC19", "DD0  K8Y0;", 6, "", 0, true},
    };
    for (const CheckRow& row : rows) ExpectRow(row);
}

TEST_F(DeviceOperandsTest, ArithmeticLogicExtAndSegl)
{
    const CheckRow rows[] = {
        {1, "ADD K5 H10 D2;", true, "", "ADD", "FNC20", "K5  H10  D2;", 10, "", 0, false},
        {1, "ADD D0 D1 H10;", false, kWrong, "ADD", "FNC20", "D0  D1  H10;", 6, "", 0, false},
        // A source in digit-group form is refused: these positions take
        // plain constants only.
        {1, "ADD K1X0 D1 D2;", false, kWrong, "ADD", "FNC20", "K1X0  D1  D2;", 2, "", 0, false},
        {1, "SUB D1 K2M0 D2;", false, kWrong, "SUB", "FNC21", "D1  K2M0  D2;", 4, "", 0, false},
        {1, "DMUL K100000 DD0 DD2;", true, "", "DMUL", "FNC22", "K100000  DD0  DD2;", 11, "", 0, true},
        {1, "INC K1Y0;", true, "", "INC", "FNC24", "K1Y0;", 4, "", 0, false},
        {1, "INC K1X0;", false, kWrong, "INC", "FNC24", "K1X0;", 2, "", 0, false},
        {1, "NEG Z7;", true, "", "NEG", "FNC29", "Z7;", 4, "", 0, false},
        {1, "WAND K1X0 H0F00 K2Y0;", true, "", "WAND", "FNC26", "K1X0  HF00  K2Y0;", 9, "", 0, false},
        {1, "WOR D0 D1 K1X0;", false, kWrong, "WOR", "FNC27", "D0  D1  K1X0;", 6, "", 0, false},
        {1, "EXT X0 Y0 D0 K4;", true, "", "EXT", "FNC72", "X0  Y0  D0  K4;", 10, "", 0, false},
        {1, "EXT Y0 X0 D0 K4;", false, kWrong, "EXT", "FNC72", "Y0  X0  D0  K4;", 2, "", 0, false},
        {1, "EXT X0 Y0 D0 K5;", false, "K value out of range.", "EXT", "FNC72", "X0  Y0  D0  K5;", 8, "", 4, false},
        {1, "EXT X0 Y0 D0 K17;", true, "", "EXT", "FNC72", "X0  Y0  D0  K17;", 10, "", 0, false},
        {0, "EXT X0 Y0 D0 K17;", false, "K value out of range.", "EXT", "FNC72", "X0  Y0  D0  K17;", 8, "", 4,
         false},
        {1, "EXT X0 Y0 D0 K-1;", false, "K value should be positive.", "EXT", "FNC72", "X0  Y0  D0  K-1;", 8, "", 4,
         false},
        {1, "DEXT X0 Y0 DD0 K8;", true, "", "DEXT", "FNC72", "X0  Y0  DD0  K8;", 10, "", 0, true},
        {0, "DEXT X0 Y0 DD0 K7;", false, "K value out of range.", "DEXT", "FNC72", "X0  Y0  DD0  K7;", 8, "", 4,
         true},
        {1, "SEGL D0 Y0 K1 K3;", true, "", "SEGL", "FNC74", "D0  Y0  K1  K3;", 10, "", 0, false},
        {1, "SEGL D0 Y0 K5 K0;", false, "K value out of range.", "SEGL", "FNC74", "D0  Y0  K5  K0;", 6, "", 3,
         false},
        {1, "SEGL D0 Y0 K17 K4;", false, "K value out of range.", "SEGL", "FNC74", "D0  Y0  K17  K4;", 8, "", 4,
         false},
        {0, "SEGL D0 Y0 K17 K0;", true, "", "SEGL", "FNC74", "D0  Y0  K17  K0;", 10, "", 0, false},
        {0, "SEGL D0 Y0 K3 K0;", false, "K value out of range.", "SEGL", "FNC74", "D0  Y0  K3  K0;", 6, "", 3,
         false},
        {1, "SEGL D0 Y0 K-1 K0;", false, "K value should be positive.", "SEGL", "FNC74", "D0  Y0  K-1  K0;", 6, "",
         3, false},
        {1, "SEGL D0 Y70 K1 K0;", false, "Y value out of range.", "SEGL", "FNC74", "D0  Y70  K1  K0;", 4, "", 2,
         false},
    };
    for (const CheckRow& row : rows) ExpectRow(row);
}
