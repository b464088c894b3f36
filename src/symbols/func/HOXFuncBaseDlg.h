#pragma once
// What the property dialogs of the function instructions share: up to four
// operands with their texts, the comment and display flags, the width, the
// controller's ranges (one-axis or not) and its file registers, a "Select"
// button per operand that builds the operand in "Select Word Device" (or, for
// a bit operand, "Select Bit Device"), and the refusal that names the operand
// at fault.
#include "platform/Dialog.h"
#include "res/CommandIds.h"
#include "symbols/operand/HOXSelectVal.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class CHOXDoc;
class CHOXSymbol;

class CHOXFuncBaseDlg : public CDialog {
public:
    static constexpr std::array<int, 4> kOperands{8347, 8349, 8351, 8353};
    static constexpr std::array<int, 4> kSelects{8355, 8356, 8357, 8358};
    static constexpr int kComment = 8341;
    static constexpr int kDisplayComment = 8342;
    static constexpr int kDisplayContents = 8008;
    static constexpr int k32Bit = 8345;
    // The mnemonic of the chosen kind, then the labels of the four operands.
    static constexpr int kMnemonic = 8616;
    static constexpr std::array<int, 4> kLabels{8617, 8618, 8619, 8620};
    static constexpr int kHelp = ID_HELP;
    static constexpr int kCommentLimit = 256;

    // Operand labels.
    static const char* const kSourceLabel;
    static const char* const kDestinationLabel;
    static const char* const kDigitsLabel;
    static const char* const kLogicLabel;
    static const char* const kRepeatLabel;

    virtual int GetDialogKind() const { return 741; }
    virtual void OnSelect1();
    virtual void OnSelect2();
    virtual void OnSelect3();
    virtual void OnSelect4();
    // Clicking "32 bit": the dialogs that use the box take its state at once.
    virtual void On32Bit() {}

    QString GetComment() const { return m_strComment; }
    std::int32_t GetDisplayComment() const { return m_bDisplayComment; }
    std::int32_t GetDisplayContents() const { return m_bDisplayContents; }
    std::int32_t Get32Bit() const { return m_b32Bit; }
    CHOXSelectVal GetOperand(int i) const { return m_operands.at(static_cast<std::size_t>(i)); }
    // 1 on the one-axis controller, else 0: which ranges the checks apply.
    std::int32_t GetControllerMode() const { return m_nControllerMode; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    CHOXFuncBaseDlg(CHOXSymbol* symbol, UINT templateId);

    // A button that chooses the instruction's kind, with the mnemonic shown
    // for it.
    void AddKindButton(int id, std::int32_t kind, const QString& mnemonic);
    // Checks the kind's button, shows its mnemonic and the controls it uses.
    void ShowKind();
    // What the kind uses: the dialog enables and labels its controls.
    virtual void EnableForKind() {}

    bool IsOneAxisMode() const { return m_nControllerMode == 1; }
    CHOXDoc* GetDocument() const { return m_pDoc; }
    void SetOperand(int i, const CHOXSelectVal& operand);
    void Take32Bit() { m_b32Bit = IsDlgButtonChecked(k32Bit); }
    void SetMnemonic(const QString& mnemonic) { SetDlgItemText(kMnemonic, mnemonic); }
    void SetLabel(int i, const char* label);
    // Operand i's edit and "Select" button.
    void EnableOperand(int i, bool enable);

    // A word operand's device type may be taken by the instruction.
    using TypeRule = std::function<bool(BYTE)>;
    static bool AnyType(BYTE) { return true; }
    // Opens "Select Word Device" for operand i: it starts from the operand
    // the text gives when the controller has it and the rule takes it, else
    // from an empty one; OK puts the chosen operand and its text in place.
    void SelectWord(int i, int deviceList, bool is32Bit, const TypeRule& rule = AnyType);
    // Opens "Select Bit Device" for operand i on the list kind, from the
    // device the text gives.
    void SelectBit(int i, int listKind);

    // Operand i as OK reads it: an empty text, a text that is no operand, one
    // the controller lacks or one the rule refuses clears the operand and
    // gives the reason. emptyMessage is said for an empty text.
    bool ReadWordOperand(int i, bool is32Bit, UINT emptyMessage, const TypeRule& rule, UINT ruleMessage,
                         QString& message);
    // Operand i as text read into a bit device: false with the reason.
    bool ReadBitOperand(int i, UINT emptyMessage, QString& message);
    // Shows the heading followed directly by the reason (hand icon) and puts
    // the user on operand i with its text selected.
    void RefuseOperand(int i, const QString& heading, const QString& reason);
    void RefuseOperand(int i, UINT heading, const QString& reason);

    CHOXSymbol* m_pSymbol = nullptr;
    CHOXDoc* m_pDoc = nullptr;
    std::int32_t m_nControllerMode = 0;
    QString m_strComment;
    std::int32_t m_bDisplayComment = 0;
    std::int32_t m_bDisplayContents = 0;
    std::int32_t m_b32Bit = 0;
    std::int32_t m_nFileRegisters = 0;
    std::array<CHOXSelectVal, 4> m_operands;
    std::array<QString, 4> m_texts;
    std::int32_t m_nKind = 0;
    // The mnemonic shown, and the operands' labels as the template leaves
    // them to the dialog.
    QString m_strMnemonic;
    std::array<const char*, 4> m_labels{"", "", "", ""};

private:
    struct KindButton {
        int id;
        std::int32_t kind;
        QString mnemonic;
    };
    void OnKindButton(std::int32_t kind);

    std::vector<KindButton> m_kindButtons;
};
