#pragma once
// The ladder rows that the foundation-sequence pages and the RA-ZUZ
// instruction dialog show and copy. Each shape is fixed: the clipboard
// writer's templates read these rows by kind and order, so the builders are
// the one place that knows them. They read no dialog and no document.
#include "plc/HOXLadderBlock.h"

#include <QString>

#include <cstdint>

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

} // namespace plcrows
