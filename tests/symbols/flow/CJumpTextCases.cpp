// The conditional jumps, form by form: every relation of the compare form,
// 16 and 32 bits, Y results that cross an octal ten, M results that stay
// decimal, the zone form, the bit form, CJ and CJN.
#include "symbols/SymbolTextCases.h"

#include "app/HOXDoc.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "symbols/flow/HOXFlowCJump.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

using Made = std::unique_ptr<CHOXSymbol>;

QString T(const char* text) { return QString::fromLatin1(text); }

Made Bit(CHOXWnd* w, const char* condition, int negated = 0)
{
    auto s = std::make_unique<CHOXFlowCJump>(CPoint(100, 50), w);
    s->SetKind(CHOXFlowCJump::kBitForm);
    s->SetNegated(negated);
    s->SetBitCondition(T(condition));
    return s;
}

Made Compare(CHOXWnd* w, int relation, int is32Bit, const char* source1, const char* source2, int outputType,
             int output, int negated = 0)
{
    auto s = std::make_unique<CHOXFlowCJump>(CPoint(100, 50), w);
    QString message;
    s->SetKind(CHOXFlowCJump::kCompareForm);
    s->SetNegated(negated);
    s->SetCompare32Bit(is32Bit);
    EXPECT_TRUE(s->SetCompareOperand1(T(source1), message)) << source1;
    EXPECT_TRUE(s->SetCompareOperand2(T(source2), message)) << source2;
    s->SetCompareCondition(relation);
    s->SetCompareOutputType(outputType);
    s->SetCompareOutputNumber(output);
    return s;
}

Made Zone(CHOXWnd* w, int is32Bit, const char* op1, const char* op2, const char* op3, int outputType, int output,
          int negated = 0)
{
    auto s = std::make_unique<CHOXFlowCJump>(CPoint(100, 50), w);
    QString message;
    s->SetKind(CHOXFlowCJump::kZoneForm);
    s->SetNegated(negated);
    s->SetZone32Bit(is32Bit);
    EXPECT_TRUE(s->SetZoneOperand1(T(op1), message)) << op1;
    EXPECT_TRUE(s->SetZoneOperand2(T(op2), message)) << op2;
    EXPECT_TRUE(s->SetZoneOperand3(T(op3), message)) << op3;
    s->SetZoneOutputType(outputType);
    s->SetZoneOutputNumber(output);
    return s;
}

constexpr int kY = 0;
constexpr int kM = 1;

// clang-format off
const SymbolTextCase kCases[] = {
    // Bit form: 8 and 2 a line.
    {"bit: two lines", 1, [](CHOXWnd* w) { return Bit(w, "LD X0;\nAND X1;"); },
     "BRET(FNC05);\nLD X0;\nAND X1;\nCJ(FNC00) P5;\nBRET(FNC05);", 12, "LD X0;\nAND X1;\n"},
    {"bit: negated, the condition ends its last line", 1, [](CHOXWnd* w) { return Bit(w, "LDI M3;\n", 1); },
     "BRET(FNC05);\nLDI M3;\nCJN(FNC01) P5;\nBRET(FNC05);", 10, "LDI M3;\n"},
    {"bit: a comment after a statement stays out of the label", 0,
     [](CHOXWnd* w) { return Bit(w, "LD X0; start\nOR X1;"); },
     "BRET(FNC05);\nLD X0; start\nOR X1;\nCJ(FNC00) P5;\nBRET(FNC05);", 12, "LD X0;\nOR X1;\n"},

    // Compare form: the result bits n, n+1 and n+2 by relation.
    {"compare >", 1, [](CHOXWnd* w) { return Compare(w, 0, 0, "D0", "K100", kM, 10); },
     "BRET(FNC05);\nCMP(FNC10) D0 K100 M10;\nLD M10;\nCJ(FNC00) P5;\nBRET(FNC05);", 19, "D0 > K100"},
    {"compare >=", 1, [](CHOXWnd* w) { return Compare(w, 1, 0, "D0", "K100", kM, 10); },
     "BRET(FNC05);\nCMP(FNC10) D0 K100 M10;\nLD M10;\nOR M11;\nCJ(FNC00) P5;\nBRET(FNC05);", 21, "D0 >= K100"},
    {"compare =", 1, [](CHOXWnd* w) { return Compare(w, 2, 0, "D0", "K100", kM, 10); },
     "BRET(FNC05);\nCMP(FNC10) D0 K100 M10;\nLD M11;\nCJ(FNC00) P5;\nBRET(FNC05);", 19, "D0 = K100"},
    {"compare !=", 1, [](CHOXWnd* w) { return Compare(w, 3, 0, "D0", "K100", kM, 10); },
     "BRET(FNC05);\nCMP(FNC10) D0 K100 M10;\nLDI M11;\nCJ(FNC00) P5;\nBRET(FNC05);", 19, "D0 != K100"},
    {"compare <=", 1, [](CHOXWnd* w) { return Compare(w, 4, 0, "D0", "K100", kM, 10); },
     "BRET(FNC05);\nCMP(FNC10) D0 K100 M10;\nLD M11;\nOR M12;\nCJ(FNC00) P5;\nBRET(FNC05);", 21, "D0 <= K100"},
    {"compare <", 1, [](CHOXWnd* w) { return Compare(w, 5, 0, "D0", "K100", kM, 10); },
     "BRET(FNC05);\nCMP(FNC10) D0 K100 M10;\nLD M12;\nCJ(FNC00) P5;\nBRET(FNC05);", 19, "D0 < K100"},
    {"compare negated, M results stay decimal", 1, [](CHOXWnd* w) { return Compare(w, 4, 0, "D1", "D2", kM, 8, 1); },
     "BRET(FNC05);\nCMP(FNC10) D1 D2 M8;\nLD M9;\nOR M10;\nCJN(FNC01) P5;\nBRET(FNC05);", 20, "D1 <= D2"},
    {"DCMP of two constants", 2, [](CHOXWnd* w) { return Compare(w, 2, 1, "K1", "K-2", kM, 0); },
     "BRET(FNC05);\nDCMP(FNC10) K1 K-2 M0;\nLD M1;\nCJ(FNC00) P5;\nBRET(FNC05);", 24, "K1 = K-2"},
    {"CMP of two constants", 2, [](CHOXWnd* w) { return Compare(w, 2, 0, "K1", "K-2", kM, 0); },
     "BRET(FNC05);\nCMP(FNC10) K1 K-2 M0;\nLD M1;\nCJ(FNC00) P5;\nBRET(FNC05);", 20, "K1 = K-2"},
    {"DCMP of registers", 1, [](CHOXWnd* w) { return Compare(w, 0, 1, "DD0", "DD2", kM, 100); },
     "BRET(FNC05);\nDCMP(FNC10) DD0 DD2 M100;\nLD M100;\nCJ(FNC00) P5;\nBRET(FNC05);", 18, "DD0 > DD2"},
    {"compare into Y6: Y7, then Y10 (octal)", 1, [](CHOXWnd* w) { return Compare(w, 4, 0, "D0", "H10", kY, 6); },
     "BRET(FNC05);\nCMP(FNC10) D0 H10 Y6;\nLD Y7;\nOR Y10;\nCJ(FNC00) P5;\nBRET(FNC05);", 21, "D0 <= H10"},
    {"compare into Y7: Y10 and Y11 (octal)", 1, [](CHOXWnd* w) { return Compare(w, 4, 1, "K1", "DD4", kY, 7); },
     "BRET(FNC05);\nDCMP(FNC10) K1 DD4 Y7;\nLD Y10;\nOR Y11;\nCJ(FNC00) P5;\nBRET(FNC05);", 23, "K1 <= DD4"},
    {"compare into Y16: Y20 (octal)", 1, [](CHOXWnd* w) { return Compare(w, 5, 0, "D0", "D1", kY, 16); },
     "BRET(FNC05);\nCMP(FNC10) D0 D1 Y16;\nLD Y20;\nCJ(FNC00) P5;\nBRET(FNC05);", 18, "D0 < D1"},
    {"compare on one axis into Y0", 0, [](CHOXWnd* w) { return Compare(w, 3, 0, "D0", "K4M0", kY, 0); },
     "BRET(FNC05);\nCMP(FNC10) D0 K4M0 Y0;\nLDI Y1;\nCJ(FNC00) P5;\nBRET(FNC05);", 18, "D0 != K4M0"},

    // Zone form: the bit n+1 says "inside".
    {"zone into Y20", 1, [](CHOXWnd* w) { return Zone(w, 0, "D0", "D1", "D2", kY, 20); },
     "BRET(FNC05);\nZCP(FNC11) D0 D1 D2 Y20;\nLD Y21;\nCJ(FNC00) P5;\nBRET(FNC05);", 20, "D0 <= D1 <= D2"},
    {"zone into Y17: Y20 (octal)", 1, [](CHOXWnd* w) { return Zone(w, 0, "K0", "D1", "K100", kY, 17); },
     "BRET(FNC05);\nZCP(FNC11) K0 D1 K100 Y17;\nLD Y20;\nCJ(FNC00) P5;\nBRET(FNC05);", 22, "K0 <= D1 <= K100"},
    {"DZCP of constants, negated", 2, [](CHOXWnd* w) { return Zone(w, 1, "K1", "K2", "K3", kM, 0, 1); },
     "BRET(FNC05);\nDZCP(FNC11) K1 K2 K3 M0;\nLD M1;\nCJN(FNC01) P5;\nBRET(FNC05);", 29, "K1 <= K2 <= K3"},
};
// clang-format on

} // namespace

std::span<const SymbolTextCase> CJumpTextCases() { return kCases; }

CHOXConnect* JumpToNode5(CHOXFlowWnd* chart, CHOXSymbol* cjump)
{
    const CPoint from = cjump->GetPinPosition(CHOXFlowCJump::kJumpPin);
    auto wire = std::make_unique<CHOXConnect>(CRect(from, from), chart);
    wire->SetId(static_cast<DWORD>(chart->GetDocument()->NewWireId()));
    wire->SetSource(cjump->GetId(), CHOXFlowCJump::kJumpPin);
    wire->SetTarget(5, CHOXConnect::kTargetNode);
    CHOXConnect* raw = wire.get();
    chart->AddConnect(std::move(wire));
    if (auto* node = dynamic_cast<CHOXNode*>(chart->LookupNode(5))) node->AddInWire(raw->GetId());
    raw->Reroute();
    return raw;
}

} // namespace kt::test
