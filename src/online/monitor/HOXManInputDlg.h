#pragma once
// "Manual Input": the small dialog between a monitor object and the PLC
// settings behind it. It only says that the PLC instruction can be
// generated; "KZ - &PLC" closes it and tells the caller to go on to the
// settings, "&Close" just closes it. Callers give it their own caption.
#include "platform/Dialog.h"

#include <cstdint>

class CWnd;

class CHOXManInputDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2078;
    static constexpr UINT kHelpContext = 0x2081E;
    static constexpr int kPlcButton = 8164;
    static constexpr int kHelpButton = 57670;

    explicit CHOXManInputDlg(CWnd* parent = nullptr);

    // The caption shown in place of the template's; set before DoModal.
    void SetCaption(const QString& caption) { m_strCaption = caption; }

    bool OnInitDialog() override;

    // 1 once the dialog was closed through "KZ - &PLC", else 0.
    std::int32_t m_bKzPlc = 0;

private:
    void OnKzPlc();

    QString m_strCaption;
};
