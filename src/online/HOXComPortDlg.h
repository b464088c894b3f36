#pragma once
// "Select COM Port": which of COM1 to COM4 leads to the controller. "Test"
// tries the chosen port with a link of its own and says whether a controller
// answers; only OK hands the choice on.
#include "platform/Dialog.h"

#include <QString>

#include <cstdint>

class CWnd;

class CHOXComPortDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2059;
    static constexpr int kCom1Radio = 8016;
    static constexpr int kCom2Radio = 8019;
    static constexpr int kCom3Radio = 8022;
    static constexpr int kCom4Radio = 8024;
    static constexpr int kTestButton = 8615;
    static constexpr int kHelpButton = 8368;
    static constexpr UINT kHelpContext = 0x2080B;

    explicit CHOXComPortDlg(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnTest();
    void OnHelp();

    // "COM1" to "COM4" choose their button; any other name leaves the
    // choice as it was.
    void SetPortName(const QString& name);
    // The chosen name; false, and `name` left as it was, when no button is
    // chosen.
    bool GetPortName(QString& name) const;
    // "COM1" for index 0 to "COM4" for 3; empty for any other index.
    static QString PortNameOf(std::int32_t index);

    // 0 to 3, -1 when none is chosen.
    std::int32_t m_nPort = -1;
};
