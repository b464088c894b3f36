#pragma once
// "NODE": asks for the pointer number of a node about to be made on a wire,
// or changes the number of an existing node. The document's pointer table
// follows the choice.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXNode;
class CHOXWnd;

class CHOXNodeDlg : public CDialog {
public:
    static constexpr int kNumberEdit = 8392;
    static constexpr int kNumberSpin = 8621;
    static constexpr int kHelpButton = 8372;

    // For a node about to be made, offering the number; numberTaken tells
    // whether the number was taken for this node (and so goes back on
    // Cancel) or belongs to someone else, such as the wire's POINTER.
    CHOXNodeDlg(CHOXWnd* wnd, int number, bool numberTaken);
    // For an existing node: its number.
    explicit CHOXNodeDlg(CHOXNode* node);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    void OnHelp();

    // The number chosen, after OK.
    int GetNumber() const { return m_nNumber; }

    CHOXWnd* m_pWnd;
    // 1 for a node about to be made, 0 for an existing one.
    std::int32_t m_nNewNode;
    std::int32_t m_nInitialNumber;
    std::int32_t m_nNumber;

private:
    bool m_bNumberTaken;
};
