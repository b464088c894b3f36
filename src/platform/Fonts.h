#pragma once
// The program's stand-ins for the fonts it names. "LinePrinter" does not exist
// here: a monospaced font from the Debian dependencies takes its place, so
// every text drawn in it keeps to one grid.
#include <QFont>

// The "LinePrinter" font at a height in pixels and a weight (400 normal, 700
// bold).
QFont LinePrinterFont(int pixelHeight, int weight);
// The same font sized so that its cell, ascent and descent together, is the
// height in pixels: what a positive font height asks for, so that a line of
// text fits a row of that height.
QFont LinePrinterCellFont(int cellHeight, int weight);

// The 8-point face "GraphFont" of graphs and plots; the program's sans-serif
// font stands in for it.
QFont GraphFont();

// "TimesNewRoman" at a height in pixels and a weight: Liberation Serif, which
// keeps its metrics. The manual-operation buttons' labels and the printouts'
// text are drawn in it.
QFont TimesNewRomanFont(int pixelHeight, int weight);
