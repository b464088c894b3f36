#pragma once
// The lines that the drive, interpolation and interrupt codes put before
// their own: addressing and compensation, with their steps and their short
// forms in the symbols' labels.
#include <QString>

#include <cstdint>

class CHOXCompSetting;

namespace codetext {

// Which code writes the compensation: each writes (and counts) some kinds
// differently.
enum class CompForm { kLinear, kDrive, kCircular, kInterrupt };

// "cod91(INC);" or "cod90(ABS);".
QString AddressingLine(std::int32_t incremental);
// "INC" or "ABS".
QString AddressingLabel(std::int32_t incremental);
constexpr int kAddressingSteps = 2;

// The compensation line without its line break; empty where the code writes
// none for the kind.
QString CompensationLine(const CHOXCompSetting& comp, CompForm form);
// What the code counts for its compensation, written or not.
int CompensationSteps(const CHOXCompSetting& comp, CompForm form);
// The label's short form ("MOVC X100 Y200", "RADC r5", "CNTC i1 ", "CANC");
// empty where the code shows none for the kind.
QString CompensationLabel(const CHOXCompSetting& comp, CompForm form);

// The M code as the code writes it behind an operand: " m5".
QString McodeWord(int mcode);

} // namespace codetext
