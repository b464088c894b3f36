#pragma once
// CONDITIONAL JUMP: branches on a condition written as sequence lines on
// bit devices (bit form), on a comparison of two words (compare form) or on
// a zone comparison of three (zone form). The jump itself leaves through the
// third pin on the right side; its target is read from that pin's wire each
// time the program text is made, never stored.
#include "chart/HOXSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

#include <QString>

#include <cstdint>
#include <initializer_list>

class CHOXFlowCJump : public CHOXSymbol {
    KT_DECLARE_SERIAL(CHOXFlowCJump)
public:
    enum Form : std::int32_t { kBitForm = 0, kCompareForm = 1, kZoneForm = 2 };
    enum Relation : std::int32_t {
        kGreater = 0,
        kGreaterEqual = 1,
        kEqual = 2,
        kNotEqual = 3,
        kLessEqual = 4,
        kLess = 5,
    };
    // The pin the jump leaves through.
    static constexpr int kJumpPin = 2;

    CHOXFlowCJump();
    // Bit form with no condition; compare and zone results in M0.
    CHOXFlowCJump(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, then form, negated, bit condition, compare width,
    // both compare operands, relation, compare output type and number, zone
    // width, the three zone operands, zone output type and number.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFlowCJump; }
    // Input, the output that does not jump, the jump output at the right.
    void CreatePins() override;
    void UpdateText() override;
    QString GetCode() override;
    // 1 incomplete; 2 a data register the controller does not provide.
    int GetErrorState() override;
    void CalcSteps() override;
    // The label, then "Y" and "N" beside the outputs they leave by.
    void PrintText(CDC* pDC) override;
    // The chooser of the form, then the form's dialog. Whichever way the
    // form's dialog ends, the steps are counted again, the document is marked
    // modified and nothing older can be undone; its Cancel puts the old form
    // back.
    void OnOpen(UINT flags, CPoint point) override;
    // Its picture shows its pins.
    void DrawPins(CDC*) override {}

    std::int32_t GetKind() const { return m_nForm; }
    void SetKind(std::int32_t form) { m_nForm = form; }
    // 0 jumps when the condition holds (CJ), else when it does not (CJN).
    std::int32_t GetNegated() const { return m_nNegated; }
    void SetNegated(std::int32_t negated) { m_nNegated = negated; }
    // Lines separated by "\n".
    QString GetBitCondition() const { return m_strBitCondition; }
    void SetBitCondition(const QString& condition) { m_strBitCondition = condition; }

    std::int32_t GetCompare32Bit() const { return m_nCompare32Bit; }
    void SetCompare32Bit(std::int32_t is32Bit) { m_nCompare32Bit = is32Bit; }
    CHOXSelectVal GetCompareOperand1() const { return m_compare1; }
    CHOXSelectVal GetCompareOperand2() const { return m_compare2; }
    // The operand setters take the operand's text form: false with the
    // reason when it is none, the operand then unchanged.
    bool SetCompareOperand1(const QString& text, QString& message) { return m_compare1.Parse(text, message); }
    bool SetCompareOperand2(const QString& text, QString& message) { return m_compare2.Parse(text, message); }
    std::int32_t GetCompareCondition() const { return m_nRelation; }
    void SetCompareCondition(std::int32_t relation) { m_nRelation = relation; }
    // 0 Y, any other M.
    std::int32_t GetCompareOutputType() const { return m_nCompareOutputType; }
    void SetCompareOutputType(std::int32_t type) { m_nCompareOutputType = type; }
    std::int32_t GetCompareOutputNumber() const { return m_nCompareOutputNumber; }
    void SetCompareOutputNumber(std::int32_t number) { m_nCompareOutputNumber = number; }

    std::int32_t GetZone32Bit() const { return m_nZone32Bit; }
    void SetZone32Bit(std::int32_t is32Bit) { m_nZone32Bit = is32Bit; }
    CHOXSelectVal GetZoneOperand1() const { return m_zone1; }
    CHOXSelectVal GetZoneOperand2() const { return m_zone2; }
    CHOXSelectVal GetZoneOperand3() const { return m_zone3; }
    bool SetZoneOperand1(const QString& text, QString& message) { return m_zone1.Parse(text, message); }
    bool SetZoneOperand2(const QString& text, QString& message) { return m_zone2.Parse(text, message); }
    bool SetZoneOperand3(const QString& text, QString& message) { return m_zone3.Parse(text, message); }
    std::int32_t GetZoneOutputType() const { return m_nZoneOutputType; }
    void SetZoneOutputType(std::int32_t type) { m_nZoneOutputType = type; }
    std::int32_t GetZoneOutputNumber() const { return m_nZoneOutputNumber; }
    void SetZoneOutputNumber(std::int32_t number) { m_nZoneOutputNumber = number; }

    // The result bit `offset` places after the first of an output: Y
    // numbers are octal-form (Y7, Y10), M numbers decimal.
    static QString ResultBit(std::int32_t outputType, std::int32_t number, int offset);

protected:
    // The side pin takes the right end of the top and bottom edges.
    std::int64_t GetSidePinInset() const override { return 14; }

private:
    // Runs the dialog of the form now chosen; true when its OK was taken.
    bool EditForm();
    QString BitLabel() const;
    QString CompareLines() const;
    QString ZoneLines() const;
    // The jump's target as the wire of the jump output names it; false (no
    // jump line) while that pin has no wire.
    bool JumpTarget(QString& target) const;
    int BitSteps() const;
    int OperandErrorState(std::initializer_list<const CHOXSelectVal*> operands, std::int32_t is32Bit) const;

    std::int32_t m_nForm = kBitForm;
    std::int32_t m_nNegated = 0;
    QString m_strBitCondition;
    std::int32_t m_nCompare32Bit = 0;
    CHOXSelectVal m_compare1;
    CHOXSelectVal m_compare2;
    std::int32_t m_nRelation = kEqual;
    std::int32_t m_nCompareOutputType = 1;
    std::int32_t m_nCompareOutputNumber = 0;
    std::int32_t m_nZone32Bit = 0;
    CHOXSelectVal m_zone1;
    CHOXSelectVal m_zone2;
    CHOXSelectVal m_zone3;
    std::int32_t m_nZoneOutputType = 1;
    std::int32_t m_nZoneOutputNumber = 0;
};
