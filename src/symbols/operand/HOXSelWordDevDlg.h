#pragma once
// "Select Word Device": builds one word operand from its parts (device, digit
// count of a digit group, number, index register) for the instruction dialogs'
// "Select" buttons. The device list offers only what the instruction's operand
// takes; the number spin steps over the numbers the controller lacks, an H
// number counts in hexadecimal, and OK refuses whatever the controller's range
// check refuses.
#include "platform/Dialog.h"
#include "platform/Types.h"
#include "res/CommandIds.h"
#include "symbols/operand/HOXSelectVal.h"

#include <cstdint>
#include <vector>

class CHOXSelWordDevDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2061;
    static constexpr UINT kHelpContext = 0x2080D;
    static constexpr int kDigitsSpin = 8099;
    static constexpr int kNumberSpin = 8109;
    static constexpr int kIndexSpin = 8113;
    static constexpr int kIndexNumber = 8012;
    static constexpr int kIndexV = 8020;
    static constexpr int kIndexZ = 8023;
    static constexpr int kNoIndex = 8180;
    static constexpr int kDevice = 8397;
    static constexpr int kDigits = 8399;
    static constexpr int kNumber = 8401;
    static constexpr int kHelp = ID_HELP;

    // The lists whose K constants name a unit: 11 the numbers 0 to 3, 10 (and
    // 1 on a two-axis controller) the unit numbers of the width, 1 on the
    // one-axis controller K1, K2 and K17.
    enum DeviceList : int {
        kAllDevices = 0,
        kUnitOneAxis = 1,
        kRegisters = 2,
        kUnitNumber = 10,
        kUnitLogic = 11,
    };

    // fileRegisters is parameter 101 as the caller read it.
    CHOXSelWordDevDlg(const CHOXSelectVal& operand, bool is32Bit, bool isOneAxis, int deviceList,
                      std::int32_t fileRegisters);

    // After OK: the operand built.
    CHOXSelectVal GetValue() const { return m_value; }
    int GetDeviceList() const { return m_nDeviceList; }
    bool Is32Bit() const { return m_b32Bit; }

    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The devices a list offers, in order (the first is DD on a 32-bit
    // instruction, else D); an unknown list offers that one alone.
    static std::vector<BYTE> ListEntries(int deviceList, bool is32Bit);
    static QString DeviceName(BYTE type);

private:
    BYTE SelectedType() const;
    bool IsUnitList() const;
    // Whether the controller (and a unit list) has the number for the device.
    bool NumberExists(BYTE type, std::int64_t number) const;
    // The number a device change puts in place of one the device lacks.
    std::int32_t FallbackNumber() const;
    void SetNumberLimits();
    void EnableForDevice();
    void EnableIndex();
    void ShowNumber(std::int32_t number);
    std::int32_t DigitsShown() const;
    void OnDeviceChange();
    void OnDigitsChange();
    void OnNumberChange();
    void OnIndexType(int indexType);
    int NumberSpinDelta(int pos, int delta);
    // Shows the message (hand icon) and puts the user on the control.
    void Refuse(int id, const QString& message);
    bool CheckHexNumber(const QString& text, std::int32_t& number);
    bool CheckUnitNumber();
    bool Build(BYTE type);

    CHOXSelectVal m_value;
    int m_nDeviceList;
    bool m_b32Bit;
    bool m_bOneAxis;
    std::int32_t m_nFileRegisters;
    std::vector<BYTE> m_entries;
    BYTE m_byType = CHOXSelectVal::kD;
    std::int32_t m_nDigits = 0;
    std::int32_t m_nNumber = 0;
    std::int32_t m_nIndexType = 0;
    std::int32_t m_nIndexNumber = 0;
    // The next change of an H number's text puts the text back in its form;
    // set at the start and by each step of the spin.
    int m_nSpinLow = 0;
    int m_nSpinHigh = 0;
    bool m_bRewrite = true;
    bool m_bRewriting = false;
    bool m_bShown = false;
};
