#pragma once
// "Device Status": the settings of a device status object, for a new one or
// one on the monitor page: the device type and first number, an index
// register for D, 32 bits for D and Z, and 1, 4, 8 or 16 points. The number's
// spin steps only through devices that exist (groups of 16 with 16 points).
// The two RA-ZUZ buttons show the ladder row that reads the devices from the
// positioning unit's buffer memory, or writes them there.
#include "online/monitor/DevStatRules.h"
#include "online/monitor/HOXMonDevStat.h"
#include "platform/Dialog.h"
#include "res/CommandIds.h"

#include <cstdint>

class CHOXDoc;

class CHOXMonDevStatDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2074;
    static constexpr UINT kHelpContext = 133146;
    // Controls.
    static constexpr int kName = 9110;
    static constexpr int kNumber = 9111;
    static constexpr int kNumberSpin = 9112;
    static constexpr int kIndexName = 9113;
    static constexpr int kIndexNumber = 9114;
    static constexpr int kIndexSpin = 9115;
    static constexpr int k32Bit = 9116;
    // The points radio group, 1, 4, 8 and 16 in that order.
    static constexpr int kPoints1 = 9117;
    static constexpr int kPoints4 = 9118;
    static constexpr int kPoints8 = 9119;
    static constexpr int kPoints16 = 9120;
    static constexpr int kHint = 9121;
    static constexpr int kRead = 9122;
    static constexpr int kWrite = 9123;
    static constexpr int kHelp = ID_HELP;
    // The number edit takes four characters.
    static constexpr int kNumberChars = 4;

    // For a new object of the document: X0, no index, 1 point, 16 bits.
    explicit CHOXMonDevStatDlg(CHOXDoc* doc);
    // For an object on the page: its settings, a 32-bit DD shown as D.
    explicit CHOXMonDevStatDlg(const CHOXMonDevStat& object);

    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // After OK. The index belongs to D alone and 32 bits to D and Z; other
    // types give none.
    std::int32_t Get32Bit() const;
    std::int32_t GetDeviceType() const { return devstat::TypeOfName(m_strName); }
    std::int32_t GetTopNumber() const { return m_nNumber; }
    std::int32_t GetIndexKind() const;
    std::int32_t GetIndexNumber() const;
    // 1, 4, 8 or 16.
    std::int32_t GetPoints() const;
    // All six as an object keeps them.
    CHOXMonDevStat::Settings GetSettings() const;

private:
    devstat::Model Model() const;
    // The type of the name chosen in the list.
    std::int32_t ChosenType() const;
    bool SixteenPoints() const { return IsDlgButtonChecked(kPoints16) != 0; }
    // What follows the type: the controls that belong to it, the spin's
    // range, the hint and the RA-ZUZ buttons.
    void ShowType();
    void ShowHint();
    void ShowButtons();
    void OnTypeChange();
    void OnIndexChange();
    void OnPointsChange();
    int OnNumberSpin(int pos, int delta);
    // The checks of OK: false after the message, the number edit taking
    // the focus with its text selected.
    bool Validate();
    void OnKzPlc(bool read);

    CHOXDoc* m_pDoc;
    QString m_strName;
    std::int32_t m_nNumber;
    std::int32_t m_nIndexKind;
    std::int32_t m_nIndexNumber;
    std::int32_t m_b32Bit;
    // 0 to 3 for 1, 4, 8 and 16 points.
    std::int32_t m_nPoints;
    bool m_bShown = false;
};
