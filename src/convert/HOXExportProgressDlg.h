#pragma once
// The modeless window with a progress bar and a line of text that the
// conversion of an export and the text import keep up to date while they
// work. Its owner creates it, shows it and destroys it on every way out.
#include "platform/Dialog.h"

#include <QString>

#include <cstdint>

class CWnd;

class CHOXExportProgressDlg : public CDialog {
public:
    static constexpr int kProgressBar = 1561;
    static constexpr int kMessage = 1562;

    CHOXExportProgressDlg(int lower, int upper, int step, CWnd* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The window has no buttons: Enter and Esc do not close it.
    void OnOK() override {}
    void OnCancel() override {}

    // Stores the text; the caller shows it with UpdateData(false).
    void SetCaption(const QString& text) { m_strMessage = text; }
    void SetPos(int pos);
    // Advances the bar by its step n times, stopping once the bar has come
    // to its upper bound: it never passes it and never starts over.
    void Step(UINT n);
    void SetStep(int step);
    // Bounds 0 to upper; the last position starts again at 0.
    void SetRange(int upper);

    int GetPos() const { return m_nPos; }
    int GetLower() const { return m_nLower; }
    int GetUpper() const { return m_nUpper; }
    int GetStep() const { return m_nStep; }
    int GetLastPos() const { return m_nLastPos; }
    const QString& GetCaption() const { return m_strMessage; }

private:
    // Shows the bar's state in the window, when there is one.
    void ShowBar();

    std::int32_t m_nLower;
    std::int32_t m_nUpper;
    std::int32_t m_nStep;
    // The bar's position before the latest step.
    std::int32_t m_nLastPos = 0;
    std::int32_t m_nPos = 0;
    QString m_strMessage;
};
