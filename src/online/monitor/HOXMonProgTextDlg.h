#pragma once
// "Monitoring Program In Text": the modeless window that shows, while
// monitoring, the program text of the running program-in-text symbol of
// one axis on a white ground, with the running line selected. It belongs
// to the running-program tracker, which makes it hidden over the axis's
// monitored frame, shows it without taking the activation, fills and
// empties it and destroys it; neither Enter nor Esc closes it.
#include "platform/Dialog.h"
#include "platform/Edit.h"

#include <QString>

class CHOXFlowProgText;
class CHOXFlowWnd;
class CHOXInstrParser;

class CHOXMonProgTextDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2082;
    static constexpr int kText = 8625;

    // The symbol shown first and the step its code starts at, the axis's
    // monitored window, and the corner kept from an earlier run ((0, 0):
    // none).
    CHOXMonProgTextDlg(CHOXFlowProgText* symbol, int firstStep, CHOXFlowWnd* wnd, int savedX, int savedY);

    bool OnInitDialog() override;
    bool OnCtlColor(int id, COLORREF& background) override;
    void OnOK() override {}
    void OnCancel() override {}

    // Null empties the window and forgets the symbol; another symbol is
    // shown from the start of its text; the one shown already stays as it
    // is.
    void SetSymbol(CHOXFlowProgText* symbol, int firstStep = 0);
    // Selects the line of the shown text that holds the step: the first
    // whose statement, counted with the steps of the lines before it,
    // reaches past the step's offset into the symbol, else the last line.
    // Lines the instruction checker refuses count no steps.
    void SelectStep(int step);
    // At the kept corner, unless told to take the default place: centred
    // over the frame the window belongs to.
    void PlaceWindow(bool forceDefault);
    // The lines of the text as the window shows them: the line feeds become
    // CR LF, and every line after the first loses its leading blanks.
    static QString FormatText(const QString& text);

    CHOXFlowProgText* GetSymbol() const { return m_pSymbol; }
    const QString& GetText() const { return m_strText; }
    int GetFirstStep() const { return m_nFirstStep; }
    CEdit& GetEdit() { return m_edit; }

private:
    // The checker of the monitoring run.
    CHOXInstrParser* Checker() const;
    // The edit shows the text.
    void ShowText();

    QString m_strText;
    int m_nFirstStep;
    CHOXFlowWnd* m_pWnd;
    CHOXFlowProgText* m_pSymbol;
    int m_nSavedX;
    int m_nSavedY;
    CEdit m_edit;
};
