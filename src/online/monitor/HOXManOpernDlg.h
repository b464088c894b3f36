#pragma once
// "Manual Operation ": which of the fourteen buttons a manual operation
// object is, by axis (tabs X and, on a two-axis controller, Y) and by what it
// does; "K&Z-PLC" edits the foundation sequence the PLC drives the unit with.
#include "platform/Dialog.h"
#include "res/CommandIds.h"

#include <cstdint>

class CHOXFounSeq;
class CWnd;

class CHOXManOpernDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2075;
    static constexpr UINT kHelpContext = 133147;
    static constexpr int kTab = 9130;
    // The seven radio buttons, value 0 to 6: start, stop, jog forward, jog
    // backward, zero return, feed, error reset.
    static constexpr int kStart = 9131;
    static constexpr int kErrorReset = 9137;
    static constexpr int kKzPlc = 9138;
    static constexpr int kHelp = ID_HELP;
    // The Y axis's buttons follow the X axis's.
    static constexpr std::int32_t kAxisButtons = 7;

    // The document's foundation sequence, through which the dialog reaches
    // the document; the button index to show.
    CHOXManOpernDlg(CHOXFounSeq* founSeq, std::int32_t buttonIndex, CWnd* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // After OK: the radio value, plus 7 on the Y tab; -1 when no button is
    // chosen.
    std::int32_t GetButtonIndex() const { return m_nButtonIndex; }

private:
    bool IsTwoAxes() const;
    void OnKzPlc();

    CHOXFounSeq* m_pFounSeq;
    std::int32_t m_nButtonIndex;
    std::int32_t m_nRadio = 0;
};
