#pragma once
// "Word Input" / "Feed Input": the one value the monitor window asks for, a
// word to write into a device or the amount a feed button sends. The caller
// gives the prompt and says whether the value may be changed at all.
#include "platform/Dialog.h"
#include "res/CommandIds.h"

#include <cstdint>

class CWnd;

class CHOXWordInputDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2080;
    static constexpr UINT kHelpContext = 133152;
    static constexpr int kPrompt = 9101;
    static constexpr int kValue = 9102;
    static constexpr int kHelp = ID_HELP;
    // The values a user may enter: a signed 32-bit number but its lowest.
    static constexpr std::int32_t kLowest = -2147483647;
    static constexpr std::int32_t kHighest = 2147483647;

    // editable 1: the value can be changed; feed 1: it is a feed amount.
    CHOXWordInputDlg(std::int32_t value, const QString& prompt, std::int32_t editable, std::int32_t feed,
                     CWnd* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // After OK: the value entered.
    std::int32_t GetValue() const { return m_nValue; }
    bool IsEditable() const { return m_bEditable != 0; }

private:
    std::int32_t m_nValue;
    QString m_strPrompt;
    std::int32_t m_bEditable;
    std::int32_t m_bFeed;
};
