#pragma once
// What the function-instruction symbols share: they are category 2, their
// operands are device operands, their program text is a mnemonic from the
// string table followed by the operands, and they weigh and judge their
// operands alike.
#include "chart/HOXSymbol.h"
#include "platform/Types.h"

#include <QString>

#include <cstdint>
#include <initializer_list>

class CHOXFuncBaseDlg;
class CHOXSelectVal;

class CHOXFuncSymbol : public CHOXSymbol {
    KT_DECLARE_DYNAMIC(CHOXFuncSymbol)
public:
    // The category of every function-instruction symbol.
    static constexpr std::int32_t kFuncCategory = 2;

    // The program words an operand takes: none when empty, 2 for a device,
    // 3 or 5 for a constant of a 16-bit or 32-bit instruction.
    static int OperandWeight(const CHOXSelectVal& operand, bool is32Bit);

protected:
    // For loading: caption and category. The window comes later.
    explicit CHOXFuncSymbol(const char* caption);
    // A new symbol in the window; the class still sets its defaults, makes
    // its pins and counts its steps.
    CHOXFuncSymbol(const char* caption, CPoint topLeft, CHOXWnd* wnd);

    void SetCaption(const char* caption) { m_strSymbolName = QString::fromLatin1(caption); }
    // The step count stays as it is in the monitor window.
    bool InMonitorWindow() const;
    // Parameter 101 of the owner's document; none without a document.
    std::int32_t FileRegisters() const;
    // 1 when the first operand is empty; else 2 when one of the checked
    // operands names a file register the document does not provide; else 0.
    int OperandErrorState(const CHOXSelectVal& first, std::initializer_list<const CHOXSelectVal*> checked) const;

    // The statement: the mnemonic as the string table holds it, each operand
    // after a blank, and the terminator.
    static QString Statement(UINT mnemonic, std::initializer_list<QString> operands);
    // A word of the string table without the leading blanks it has there
    // (it is stored in the column of the sequence instructions).
    static QString LoadWord(UINT id);
    // The rebuilder's texts are read as far as they go: a text the operand
    // does not take leaves it as it was.
    static void ParseOperand(CHOXSelectVal& operand, const QString& text);

    // Whether a double click opens the dialog: only in a flow chart.
    bool CanOpen() const;
    // After the dialog's OK: its comment and display flags.
    void TakeComment(const CHOXFuncBaseDlg& dlg);
    // After an edit through the dialog: the view redrawn, the document
    // modified, and nothing older left to undo.
    void FinishEdit();
};
