#pragma once
// "Select Bit Device": one bit device picked as a letter from a list and a
// number. The function-instruction dialogs offer the positioning
// controller's X, Y and M devices (list kinds 1 to 4 and the rest); the
// sequence-program dialogs offer the companion PLC's X, Y, M and D (list
// kind 0, "Select Device for KZ-2N"). The number is checked against the
// devices of the controller, or of the PLC.
#include "platform/Dialog.h"

#include "res/StringIds.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class CWnd;

class CHOXSelectBitDeviceDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2062;
    static constexpr UINT kHelpContext = 0x2080E;
    // Controls.
    static constexpr int kDevice = 8408;
    static constexpr int kNumber = 8411;
    static constexpr int kSpin = 8412;
    static constexpr int kHelpButton = 57670;
    // The companion PLC's devices.
    static constexpr int kListPlc = 0;
    // Device types, numbered as the operands number them.
    static constexpr int kTypeNone = 0;
    static constexpr int kTypeD = 1;
    static constexpr int kTypeX = 10;
    static constexpr int kTypeY = 11;
    static constexpr int kTypeM = 12;
    // Messages.
    static constexpr UINT kMsgInvalidType = 13123;
    static constexpr UINT kMsgInvalidNumber = IDS_INVALID_DEVICE_NUMBER;
    static constexpr UINT kMsgPlcTitle = 13774;
    static constexpr UINT kMsgOtherType = 13775;

    // oneAxis: the rules of the one-axis controller (list kinds 1 to 4).
    CHOXSelectBitDeviceDlg(bool oneAxis, int listKind, CWnd* parent = nullptr);

    // The slot the symbol dialogs share.
    int GetDialogKind() const { return 821; }
    // Presets the choice before the dialog runs.
    void SetDevice(int deviceType, std::uint32_t number);
    // After OK.
    int GetDeviceType() const { return m_nDeviceType; }
    std::uint32_t GetDeviceNumber() const { return m_nDeviceNumber; }
    // "X12", "D100"; empty for a type without a letter.
    QString GetDeviceText() const;

    bool OnInitDialog() override;
    void OnOK() override;

    // The letters the list offers, in order.
    static QStringList ListEntries(int listKind);
    // The spin's range for a letter's type.
    struct Range {
        int low;
        int high;
    };
    static Range SpinRange(int deviceType, int listKind, bool oneAxis);
    // Whether the device exists; when not, the message that says so (an
    // empty text when there is none to show).
    static bool CheckDevice(int deviceType, std::uint32_t number, int listKind, bool oneAxis, QString* message);
    // Where a spin step from the number goes: devices the controller lacks
    // are skipped (list kinds 1 to 4; list kind 0 steps by one).
    static std::int64_t StepNumber(int deviceType, std::int64_t number, int delta, int listKind, bool oneAxis);

private:
    static int TypeOfLetter(const QString& letter);
    static QString LetterOfType(int deviceType);
    int SelectedType() const;
    void SetSpinRange(int deviceType);
    void OnDeviceChange();
    int OnNumberSpin(int pos, int delta);
    void FocusNumber();

    int m_nListKind;
    bool m_bOneAxis;
    int m_nDeviceType = kTypeNone;
    std::uint32_t m_nDeviceNumber = 0;
};
