#pragma once
// The ladder rows that the foundation-sequence pages, the RA-ZUZ instruction
// dialog and the M-code sequence dialog show and copy. Each shape is fixed: the clipboard
// writer's templates read these rows by kind and order, so the builders are
// the one place that knows them. They read no dialog and no document.
#include "plc/HOXLadderBlock.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace plcrows {

// "K" and the unit number in decimal; a unit not yet set (-1) reads K0.
QString UnitOperand(std::int32_t unitNo);

// "K4M" and the top device of each axis. With both axes the shorter operand
// is padded with blanks at its end to the length of the longer, so the rows
// line up.
struct KnMOperands {
    QString x;
    QString y;
};
KnMOperands BlockOperands(std::int32_t deviceX, std::int32_t deviceY, bool twoAxes);

// What a foundation-sequence page moves on every scan: the instruction ("TO"
// sends a control block, "FROM" reads a status block) and the unit's buffer
// memory for each axis.
struct Transfer {
    QString instruction;
    std::int32_t bufferX;
    std::int32_t bufferY;
};

// The X row under contact M8000 and, with both axes, the Y row on a branch
// at (59, 32).
LadderBlockList FounSeqRows(const Transfer& transfer, const QString& unitOperand, std::int32_t deviceX,
                            std::int32_t deviceY, bool twoAxes);

// "FROM" or "TO", with a leading "D" for a 32-bit value.
QString KzPlcInstruction(bool from, bool is32Bit);

// One instruction row for a buffer memory.
LadderBlockList KzPlcOneRow(const QString& instruction, std::int32_t unitNo, std::int32_t bufferMemory);

// The current positions: buffer memory 4 for X and, with both axes, 14 for Y
// on a branch at (59, 32).
LadderBlockList KzPlcBothAxes(const QString& instruction, std::int32_t unitNo, bool twoAxes);

// The M-code sequence of one axis: the data register the M code is read
// into, and the axis's M code ON (status block) and M code OFF (control
// block) devices.
struct McodeDevices {
    std::int32_t saveDevice;
    std::int32_t onDevice;
    std::int32_t offDevice;
};

// "= D<save device> K<M code>": the saved M code compared with one M code.
QString McodeComparison(std::int32_t saveDevice, std::int32_t mcode);

// On every scan (contact M8000) the M code from the unit's buffer memory 3,
// or 13 for the Y axis of independent axes, into the save device.
LadderBlockList McodeSaveRows(std::int32_t unitNo, bool independentY, std::int32_t saveDevice);

// While the unit reports an M code and it is this one, the auxiliary relay
// is driven until the completion device (a closed contact) opens.
LadderBlockList AuxDriveRows(const McodeDevices& devices, std::int32_t mcode, const QString& completion,
                             std::uint32_t auxDevice);

// This M code and its completion switch the M code off; among several M
// codes the row ends in a gap, the total ladder holding the common end.
LadderBlockList McodeOffRows(const McodeDevices& devices, std::int32_t mcode, const QString& completion,
                             bool severalMcodes);

// One M code of the total ladder with its completion device.
struct McodeOffEntry {
    std::int32_t mcode;
    QString completion;
};

// Every M code's comparison and completion in one OFF ladder: the first row
// ends in the M code ON contact and the M code OFF coil, each further row is
// a branch that joins it.
LadderBlockList McodeOffTotalRows(const McodeDevices& devices, const std::vector<McodeOffEntry>& entries);

// The scroll units the total ladder takes: the edit behind it held six
// lines a row and three more, and each line scrolls the rows by one unit.
int McodeOffTotalUnits(int rows);

} // namespace plcrows
