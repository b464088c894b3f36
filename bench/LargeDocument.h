#pragma once
// The documents the benchmarks measure, at the program's limits (500
// flow-chart windows, 4,000 objects) or a part of them: a drawing of plain
// symbols, positioning codes and wires as files hold them, and a program
// that converts, with its subroutines and calls.
#include <QString>

class CHOXDoc;

namespace largedoc {

constexpr int kMaxWindows = 500;
// The parts of the largest document the growth is measured at: 1/8, 1/4,
// 1/2 and all of it.
constexpr int kScales[] = {kMaxWindows / 8, kMaxWindows / 4, kMaxWindows / 2, kMaxWindows};

// Six symbols (half of them positioning codes, all twelve in turn) and two
// wires a window, every window and the monitor window with a frame place.
void FillDrawing(CHOXDoc& doc, int windows);

// Each window a program: a START (the last tenth SUBROUTINEs), six symbols
// of every kind that converts, wired, and an END (RET). False when no kind
// converts.
bool FillProgram(CHOXDoc& doc, int windows);

// FillDrawing saved at the path; false when it could not be.
bool SaveDrawing(const QString& path, int windows);

} // namespace largedoc
