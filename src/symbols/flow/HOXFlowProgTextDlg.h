#pragma once
// "Program in text": edits the text of a PROGRAM in TEXT in the checking
// editor, with picture buttons for cut, copy, paste, clean, undo and redo
// and a status line for what the checks find. OK checks every line again,
// rebuilds the text in normal form, counts its steps and settles which
// pointer labels the symbol holds: exactly the labels of its own text, none
// that another holder has.
#include "symbols/flow/HOXFlowSymbolDlg.h"
#include "symbols/flow/HOXProgTextEdit.h"

#include <array>

class CHOXFlowProgText;

class CHOXFlowProgTextDlg : public CHOXFlowSymbolDlg {
public:
    static constexpr UINT kTemplate = 2017;
    static constexpr int kEditor = CHOXProgTextEdit::kControlId;
    static constexpr int kStatus = 8609;
    static constexpr int kCut = 8037;
    static constexpr int kCopy = 8039;
    static constexpr int kPaste = 8034;
    static constexpr int kClean = 8032;
    static constexpr int kUndo = 8033;
    static constexpr int kRedo = 8035;
    static constexpr int kHelpButton = 8250;
    // The buttons' pictures, in the order Cut, Copy, Paste, Clean, Undo, Redo.
    static constexpr std::array<UINT, 6> kPictures{14050, 14051, 14052, 14053, 14054, 14055};

    explicit CHOXFlowProgTextDlg(CHOXFlowProgText* symbol);

    int GetDialogKind() const override { return 712; }
    // The normalised text (every line ending with "\n") and its steps, after
    // OK.
    QString GetText() const { return m_strText; }
    std::int32_t GetStepCount() const { return m_nStepCount; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnTimer(UINT timerId) override;
    bool OnToolTipNeedText(int id, QString& tip) override;

    // For the editor.
    void SetStatus(const QString& text);
    bool GetUndoState() const { return m_bUndoState; }
    void SetUndoState(bool undone) { m_bUndoState = undone; }
    static bool IsEditButton(int id);
    void EnableEditButtons(bool enable);

private:
    // The editor's text as the user gets it: CR LF line ends, no blank
    // lines, no leading white space.
    static QString EditorText(const QString& text);
    bool CheckText();
    // The pointer set of the symbol and the document's table after a text
    // whose labels are `own`.
    void SettleLabels(const std::array<bool, 256>& own);
    void OnCut();
    void OnPaste();
    void OnUndoButton(bool redo);
    void OnClean();

    QString m_strText;
    std::int32_t m_nStepCount = 0;
    // 1: the number may not be a label of this text (another holder has it).
    std::array<std::int32_t, 256> m_labelTable{};
    QString m_strToolTip;
    QString m_strInitialText;
    QString m_strEditText;
    CHOXProgTextEdit m_edit;
    bool m_bUndoState = false;
    CHOXFlowProgText* m_pProgText;
};
