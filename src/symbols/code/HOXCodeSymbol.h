#pragma once
// What the positioning-code symbols share: they are category 1, most of them
// carry an attached M code (mode and number, stored right after the symbol
// part), and they judge their operands by the document's controller type and
// file registers.
#include "chart/HOXSymbol.h"
#include "platform/Types.h"

#include <cstdint>
#include <initializer_list>

class CHOXCodeDlg;
class CHOXCompSetting;
class CHOXDataReg;

class CHOXCodeSymbol : public CHOXSymbol {
    KT_DECLARE_DYNAMIC(CHOXCodeSymbol)
public:
    // The category of every positioning-code symbol.
    static constexpr std::int32_t kCodeCategory = 1;

    // The symbol part, then M-code mode (32 bits) and M code (a byte).
    void Serialize(CArchive& ar) override;
    int GetMcodeMode() override { return m_nMcodeMode; }
    int GetMcode() override { return m_byMcode; }
    void SetMcodeMode(std::int32_t mode) { m_nMcodeMode = mode; }
    void SetMcode(BYTE mcode) { m_byMcode = mcode; }

    // Why an operand of the symbol may be refused: the one-axis rules, and
    // the file registers the document provides (parameter 101).
    struct OperandRules {
        bool oneAxis = false;
        std::int32_t fileRegisters = 0;
    };
    // Those of the owner's document; two-axis rules without file registers
    // when there is none.
    OperandRules GetOperandRules() const;

    // A speed or time that would be 0 starts as the constant 1.
    static void StartAtOne(CHOXDataReg& operand);

protected:
    // For loading: caption, category, no M code. The window comes later.
    explicit CHOXCodeSymbol(const char* caption);
    // A new symbol in the window; the class still makes its pins and counts
    // its steps.
    CHOXCodeSymbol(const char* caption, CPoint topLeft, CHOXWnd* wnd);

    // The controller type of the owner's document, -1 when there is none.
    std::int32_t ControllerType() const;
    bool InMonitorWindow() const;
    bool HasMcode() const { return m_nMcodeMode == 1; }
    // 2 when an operand in use, or the compensation, names a register the
    // controller does not have; else 0.
    int OperandErrorState(std::initializer_list<const CHOXDataReg*> operands,
                          const CHOXCompSetting* compensation = nullptr) const;
    void SetCaption(const char* caption) { m_strSymbolName = QString::fromLatin1(caption); }
    // Comment, display flags and the attached M code from the dialog's OK.
    void TakeDialogResults(const CHOXCodeDlg& dlg);

    std::int32_t m_nMcodeMode = 0;
    BYTE m_byMcode = 1;
};
