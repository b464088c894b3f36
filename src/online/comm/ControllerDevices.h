#pragma once
// The controller's devices as the link addresses them: device codes 0 to 11,
// their value widths, each model's ranges and the write protection of the
// special data registers. The simulated controller keeps these rules, and
// the monitor's device reads and writes are made to fit them.
//
// Codes: 0 M (0-511), 1 M special (M9000 + address), 2 Y, 3 X, 4 D,
// 5 D special (D9000 + address), 6 file register (D4000 + address), 7 DD,
// 8 DD special, 9 DD file register, 10 V, 11 Z.
// X and Y addresses are octal-digit numbers (X17 is 17) for reads and
// writes, and counts (Y17 is 15) for set and reset; consecutive X and Y
// devices are counted in octal (X7, X10, ...).
// Index argument: -1 none, 0-7 V n, 8-15 Z n; the register's 16-bit value is
// added to the device's count.
// Values: 16-bit for codes 0-6 and 10 without an index, else 32-bit. A bit
// reads as a word 0 or 1. A 32-bit code (7, 8, 9, 11) takes a register pair
// per value, low word first: DD n is D n / D n+1, and one Z value is the
// register pair Z n / Z n+1; consecutive values step by two registers. A
// 16-bit code read with an index gives each register sign-extended.
#include <cstdint>

namespace ctrldev {

enum Code : int {
    M = 0,
    MSpecial = 1,
    Y = 2,
    X = 3,
    D = 4,
    DSpecial = 5,
    DFile = 6,
    DD = 7,
    DDSpecial = 8,
    DDFile = 9,
    V = 10,
    Z = 11,
};

constexpr int kNoIndex = -1;
// Index registers: V0 to V7 and Z0 to Z7; the index argument of Z n is
// kZIndexBase + n.
constexpr int kIndexRegisters = 8;
constexpr int kZIndexBase = 8;
constexpr int kSpecialBase = 9000; // M and D special devices
constexpr int kFileBase = 4000;    // file registers

bool IsKnownCode(int code);
bool IsBitCode(int code);
// A valid index argument: -1, or 0 to 15.
bool IsKnownIndex(int index);
// Bytes of one value in a device buffer: 2 or 4.
int ValueWidth(int code, int index);
// Registers one value takes: 2 for the 32-bit codes, else 1.
int RegistersPerValue(int code);

// Whether device `count` (X and Y counted in octal from 0) of the code
// exists on the model; file registers exist up to the P101 count.
bool IsValidDevice(int code, int count, bool oneAxis, int fileRegisters);

// Special data registers (9000 and up) that a program may not write; with
// `wide` the pair number / number + 1 is protected when either is. Numbers
// from files may lie anywhere in the 32-bit range.
bool IsWriteProtected(std::int64_t number, bool wide);

// 17 -> 15; -1 for a negative number or one with a digit 8 or 9.
int OctalDigitsToCount(int number);

// Parameter transfer blocks: 112 carries parameters 100 to 111 (the common
// block, axis 0 only), 113 parameters 0 to 26 and 114 parameters 30 to 56 of
// an axis.
constexpr int kBlockCommon = 112;
constexpr int kBlockAxisA = 113;
constexpr int kBlockAxisB = 114;
// Values a block carries on the link: 12, 27, 27; 0 for another block.
int TransferBlockSize(int block);

} // namespace ctrldev
