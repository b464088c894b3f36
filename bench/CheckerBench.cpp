// Checking statements one by one, as the conversion, the importer and the
// monitoring worker do: a mix of positioning codes, sequence and function
// instructions, labels, program numbers, M codes and lines that fail.
#include "app/HOXDoc.h"
#include "convert/HOXInstrParser.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const char* const kMix[] = {
    // Program heads, labels, ends.
    "O5;", "Ox12;", "O100;", "P10;", "P200;", "m02(END);", "m102(SEND);", "JMP(FNC04) P12;", "CALL(FNC02) P7;",
    "RET(FNC03);",
    // Positioning codes as the symbols write them.
    "cod00(DRV) x100 f2000 y50 f1000;", "cod90(ABS);", "cod91(INC);", "cod73(MOVC) x100 y200;",
    "cod01(LIN) x100 y200 f1000 m5;", "cod09(CHK);", "cod02(CW) x10  y20 i5 j5 f100 m5;",
    "cod04(TIM) K100;", "cod28(DRVZ) m5;", "cod72(DINT)  x100  f1000  f2000 m5;", "cod75(RADC) r50;",
    "m05;", "m00(WAIT);",
    // Sequence and function instructions.
    "LD  X0;", "AND  M10;", "OUT  Y5;", "SET M9024;", "RST M9024;", "CMP(FNC10)  K100  D0  M0;",
    "DMOV(FNC12)  K100000  DD10;", "MOV(FNC12)  K1X0  D20;", "ADD(FNC20)  D0  K5  D2;",
    "WAND(FNC26)  K1X0  HF00  K2Y0;", "EXT(FNC72)  X0  Y0  D0  K4;", "BRET(FNC05);", "INC(FNC24)  D0;",
    // Typed by hand, and lines that fail.
    "ld x0", "fnc12 d0 d1", "x100 y200;", "cod00 x1000000;", "MOV D0 K1X0;", "cod01 x100 f200;",
    "LD X18;", "m103;", "DMOV K2147483648 DD0;", "UNKNOWN x1;",
};

void BM_CheckInstruction(benchmark::State& state)
{
    CHOXDoc doc;
    doc.SetControllerType(2);
    CHOXInstrParser checker(&doc.GetParam());
    std::vector<QString> lines;
    for (const char* line : kMix) lines.push_back(QString::fromLatin1(line));
    QString error;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(checker.CheckInstruction(lines[i], error));
        if (++i == lines.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("lines");
}
BENCHMARK(BM_CheckInstruction);

} // namespace
