#pragma once
// What the property dialogs of the flow-control symbols share: the comment
// and the two display flags copied from the symbol, the document's number
// rules, the refusal that puts the user on the field at fault, the set-up of
// a pointer-number spin and Help. They change nothing in the document: the
// symbol takes the results through the accessors after OK.
#include "platform/Dialog.h"
#include "res/CommandIds.h"

#include <cstdint>

class CHOXDoc;
class CHOXSymbol;

class CHOXFlowSymbolDlg : public CDialog {
public:
    static constexpr int kComment = 8121;
    static constexpr int kDisplayComment = 8123;
    static constexpr int kDisplayContents = 8416;
    static constexpr int kCommentGroup = 8314;
    static constexpr int kHelp = ID_HELP;
    // The comment's most characters.
    static constexpr int kCommentLimit = 256;

    // Comment and display-comment flag from the symbol; the derived dialog
    // copies the display-contents flag where it shows one.
    CHOXFlowSymbolDlg(CHOXSymbol* symbol, UINT templateId);

    virtual int GetDialogKind() const { return 701; }

    QString GetComment() const { return m_strComment; }
    std::int32_t GetDisplayComment() const { return m_bDisplayComment; }
    std::int32_t GetDisplayContents() const { return m_bDisplayContents; }
    // The document is made for the one-axis controller.
    bool IsSingleAxis() const;

    // Comment (with its length check) and display-comment flag.
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    CHOXDoc* GetDocument() const { return m_pDoc; }
    CHOXSymbol* GetSymbol() const { return m_pSymbol; }
    // The document's controller type; two axes when there is no document.
    std::int32_t ControllerType() const;
    bool InSubtaskWindow() const;
    // Gives the control the focus with its whole text selected.
    void FocusAndSelect(int id);
    // Shows the message (hand icon) and puts the user on the field; false.
    bool Refuse(int id, UINT messageId);
    // Pointer numbers step from 0 to the type's highest, from the number.
    void SetUpPointerSpin(int spinId, int number);
    // A pointer number out of the type's range: its message for the type.
    UINT InvalidPointerMessage() const;
    // The OK of a dialog that names a pointer number (the field's value,
    // read by the data exchange): a number changed since opening must be one
    // the document can hold.
    void EndWithPointerNumber(int numberId, const std::int32_t& number, std::int32_t atOpening);
    // Its "Open ..." button: the number must be one the document can hold;
    // the document then shows (or makes) the target and the dialog ends
    // with OK.
    void OpenPointerTarget(int numberId, const std::int32_t& number, void (CHOXDoc::*open)(int));

    QString m_strComment;
    std::int32_t m_bDisplayComment = 0;
    std::int32_t m_bDisplayContents = 0;
    CHOXSymbol* m_pSymbol = nullptr;

private:
    CHOXDoc* m_pDoc = nullptr;
};
