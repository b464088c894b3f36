#pragma once
// What the property dialogs of the positioning codes share: comment, display
// flags and the attached M code with its entry rules (an up-down that never
// shows 2, an edit of two digits), the frame of their OK, the operand fields
// with their "D" buttons and checks, the parameter button and Help. The
// combination settings read the addressing and compensation of the dialog that
// opens them through the virtual getters.
#include "platform/Dialog.h"
#include "res/CommandIds.h"
#include "symbols/operand/HOXCompSetting.h"
#include "symbols/operand/HOXDataReg.h"

#include <cstdint>
#include <initializer_list>

class CHOXDoc;
class CHOXParam;
class CHOXSymbol;

// Where a code dialog's template puts the M-code controls; a dialog without
// an M-code box (0) has an entry of its own.
struct CodeDlgMcodeControls {
    int modeBox = 8125;
    int spin = 8202;
    int displayContents = 8394;
};

class CHOXCodeDlg : public CDialog {
public:
    static constexpr int kComment = 8121;
    static constexpr int kDisplayComment = 8123;
    static constexpr int kDisplayContents = 8394;
    static constexpr int kMcodeMode = 8125;
    static constexpr int kMcode = 8127;
    static constexpr int kMcodeSpin = 8202;
    static constexpr int kParameters = 8207;
    static constexpr int kHelp = ID_HELP;
    static constexpr UINT kMsgMcode = 13134;
    static constexpr UINT kMsgSelectOperand = 3212;
    // The comment's most characters.
    static constexpr int kCommentLimit = 256;

    using McodeControls = CodeDlgMcodeControls;

    // Reads comment, display flags and M code of the symbol, and the rules of
    // its document.
    CHOXCodeDlg(CHOXSymbol* symbol, UINT templateId, McodeControls controls = {});

    virtual int GetDialogKind() const { return 721; }
    virtual bool GetAddressing() const { return false; }
    virtual bool GetIncremental() const { return false; }
    virtual bool GetCompensation() const { return false; }
    virtual CHOXCompSetting GetCompSetting() const { return m_compSetting; }

    // The results the symbol takes after OK.
    QString GetComment() const { return m_strComment; }
    std::int32_t GetDisplayComment() const { return m_bDisplayComment; }
    std::int32_t GetDisplayContents() const { return m_bDisplayContents; }
    std::int32_t GetMcodeMode() const { return m_bMcodeMode; }
    BYTE GetMcode() const { return m_byMcode; }
    CHOXDoc* GetDocument() const { return m_pDoc; }

    // 1 or 3 to 99; anything else is refused with its message.
    bool CheckMcode();
    // The step of an M-code up-down: it never lands on 2.
    static int SkipTwo(int pos, int delta);

    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    // A dialog of no symbol, on the document's rules (the compensation of a
    // combination).
    CHOXCodeDlg(UINT templateId, CHOXDoc* doc, McodeControls controls = {});

    // The dialog's own checks, before and after the M code's; each stops at
    // its first failure, which it has shown.
    virtual bool CheckBeforeMcode() { return true; }
    virtual bool CheckAfterMcode() { return true; }
    // The parameter dialog that the parameter button opens.
    void SetParameterDialog(void (CHOXParam::*edit)());

    // Gives the control the focus with its whole text selected.
    void FocusAndSelect(int id);
    // Shows the message (hand icon) and puts the user on the control; false.
    bool Refuse(int id, const QString& message);
    bool Refuse(int id, UINT messageId);
    // Reads the text into the operand and checks the register against the
    // controller: the parse message, or the range check's, on failure.
    bool CheckOperand(int id, const QString& text, CHOXDataReg& operand, UINT parseMessage, bool allowNegative);
    bool CheckOperandRange(int id, const CHOXDataReg& operand);
    // Parameter 101: the file registers the controller provides.
    std::int32_t FileRegisters() const;
    std::int32_t ControllerType() const;
    void EnableAll(std::initializer_list<int> ids, bool enable);

    // What a "D" button does before it opens the register chooser.
    enum class RegisterButton {
        kGoOn,        // the exchange may fail; the chooser opens anyway
        kStopOnFail,  // a failed exchange ends it
        kNotNegative, // an empty field shows its operand first; a negative value starts at D0
    };
    // Lets the user make the field's operand a data register: the chooser
    // starts at the operand the text gives (D0 when it gives none), and its
    // OK puts the register into operand and text.
    void ChooseRegister(QString& text, CHOXDataReg& operand, RegisterButton form = RegisterButton::kGoOn);
    // An operand field's text: the length check where the dialog has one.
    static void ExchangeOperand(CDataExchange* pDX, int id, QString& text, int limit = 0);

    CHOXDoc* m_pDoc = nullptr;
    QString m_strComment;
    std::int32_t m_bDisplayComment = 0;
    std::int32_t m_bDisplayContents = 0;
    std::int32_t m_bMcodeMode = 0;
    BYTE m_byMcode = 1;
    std::int32_t m_bOneAxis = 0;
    CHOXSymbol* m_pSymbol = nullptr;
    CHOXParam* m_pParam = nullptr;
    CHOXCompSetting m_compSetting;
    const McodeControls m_mcodeControls;

private:
    void Connect();
    void OnMcodeMode();
    void OnMcodeChange();
    void OnParameters();

    void (CHOXParam::*m_parameterDialog)() = nullptr;
    // Set once the controls show the fields: changes before are the
    // program's own.
    bool m_bShown = false;
};
