#pragma once
// The small modeless window that says a controller operation is under way
// (writing, verifying, reading). Its owner creates it without a parent,
// sets the text and closes it by destroying the window; Enter and Esc do
// not close it.
#include "platform/Dialog.h"

#include <QString>

class CHOXProgressMsgDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 385;
    static constexpr int kMessage = 1564;

    CHOXProgressMsgDlg();

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Shows the text at once when the window stands, else when it opens.
    void SetMessage(const QString& text);
    const QString& GetMessage() const { return m_strMessage; }

    // The texts of the operations.
    static QString ReadingText() { return QStringLiteral("Reading is in progress..."); }
    static QString WritingText() { return QStringLiteral("Writing is in progress..."); }
    static QString VerifyingText() { return QStringLiteral("Verify is in progress ..."); }

private:
    QString m_strMessage;
};
