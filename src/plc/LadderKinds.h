#pragma once
// The kinds of the elements of a ladder row. The PLC dialogs build rows from
// them, the ladder control draws them and the "Ladder" clipboard writer reads
// them, so these numbers and each dialog's order of items are one contract.
namespace ladderkind {

constexpr int kLeftBus = 1;        // start of the first row
constexpr int kRightBus = 2;       // end of a row
constexpr int kBranchDown = 3;     // start of a lower row
constexpr int kBranchUp = 4;       // end of a lower row, joining the row above
constexpr int kContact = 5;        // text: the device shown above it
constexpr int kOperandBox = 6;     // text inside
constexpr int kInstructionBox = 7; // instruction or comparison, text inside
constexpr int kCoil = 8;           // text inside
constexpr int kClosedContact = 9;  // contact with a slash, text above it
constexpr int kShortLine = 10;     // 16 pixels of line
constexpr int kBlankGap = 11;      // 32 pixels of nothing

} // namespace ladderkind
