#pragma once
// The name and description of a flow-chart or subtask window, when one is
// added or updated. The caption chooses the mode; the dialog keeps the rules
// of window names.
#include "platform/Dialog.h"

#include <QString>

class CMainFrame;

class CHOXNewFlowChartDlg : public CDialog {
public:
    // The frame that knows the document's windows; null: the program's main
    // frame.
    explicit CHOXNewFlowChartDlg(CMainFrame* parent = nullptr);

    void SetCaption(const QString& caption) { m_strCaption = caption; }
    void SetTitleAndDescription(const QString& title, const QString& description);

    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    void OnOK() override;
    void OnHelp();

    // The name of a window (at most 25 characters) and its description.
    QString m_strDescription;
    QString m_strTitle;
    QString m_strCaption;

    static constexpr int kTitleEdit = 8087;
    static constexpr int kDescriptionEdit = 8090;
    static constexpr int kHelpButton = 8504;
    static constexpr int kMaxTitle = 25;

private:
    // The title is one of the names the program uses for itself.
    bool IsReservedTitle(const QString& title) const;
    bool IsSubtaskMode() const;
    bool IsAddMode() const;

    CMainFrame* m_pParent;
};
