#pragma once
// One page of the foundation-sequence settings: per axis the top M device of
// a block of signals, the list of the block's devices, and the ladder rows
// that move the block between the PLC and the positioning unit on every
// scan. Foundation Sequence 1/2 and 2/2 are such pages; each gives its
// device range, its signals, its transfer and the order of its checks. The
// page keeps what was last entered, so a run may show it again as it was.
#include "platform/Dialog.h"
#include "chart/ControllerType.h"
#include "plc/HOXLadderCtrl.h"
#include "plc/PlcLadderRows.h"

#include <array>
#include <cstdint>

class CHOXDoc;

class CHOXFounSeqPageDlg : public CDialog {
public:
    // What tells one page from another.
    struct PageKind {
        std::int32_t highestDevice; // top devices run from 0 to this
        UINT rangeMessage;          // string id of the message for one outside
        int signalCount;            // lines of the device list
        plcrows::Transfer transfer; // the rows' instruction and buffer memories
        bool checkYFirst;           // the devices are checked Y before X
        UINT helpContext;
    };

    bool OnInitDialog() override;
    void OnOK() override;

    // The top device of an axis (0 X, 1 Y) as last entered.
    std::int32_t GetDevice(int axis) const { return m_devices[axis == axis::kX ? 0 : 1]; }
    // The axis whose controls are shown.
    int GetAxis() const { return m_nAxis; }
    const CHOXLadderCtrl& GetLadder() const { return m_ladder; }
    CHOXDoc* GetDocument() const { return m_pDoc; }

    // The lines of a device list: "M" and the device number, each line ended
    // by a line feed, from the top device upward.
    static QString DeviceList(std::int32_t top, int count);

protected:
    CHOXFounSeqPageDlg(UINT templateId, CHOXDoc* doc, const PageKind& kind, std::array<std::int32_t, 2> devices);

    // Y exists on every controller type but the one-axis type.
    bool IsTwoAxes() const;
    // Ended through Next (page 1) or Back (page 2) rather than OK.
    bool EndedTheOtherWay() const { return m_bOtherWay; }
    // False until the page has been set up: the layer reports the texts the
    // set-up puts into the edits too, and those are not the user's.
    bool IsShown() const { return m_bShown; }

    // The ladder rows' unit operand.
    virtual QString UnitOperand() const = 0;
    // Puts the rows on the clipboard with the page's writer.
    virtual void CopyLadder() const = 0;
    // A top-device spin first takes the page's data, and a failure refuses
    // the step.
    virtual bool TakesDataBeforeStep() const { return false; }

    // The devices in the page's order of checks: a number that is none
    // fails as one out of range does.
    void DoDataExchange(CDataExchange* pDX) override;
    // The rows built again from what the page holds, and repainted.
    void RebuildLadder();
    // The devices pass their checks and the data exchange, then the page
    // ends with the flag of the way it took.
    void ClosePage(bool otherWay);

private:
    std::array<int, 2> CheckOrder() const;
    void ExchangeDevice(CDataExchange* pDX, int axis);
    // The range message, and the edit takes the focus with its text selected.
    bool FailDevice(int axis);
    bool CheckDevice(int axis);
    bool CheckDevices();
    void ShowAxis(int axis);
    void OnDeviceChange(int axis);
    int OnDeviceSpin(int axis, int pos, int delta);

    CHOXDoc* m_pDoc;
    PageKind m_kind;
    std::array<std::int32_t, 2> m_devices;
    int m_nAxis = axis::kX;
    bool m_bShown = false;
    bool m_bOtherWay = false;
    CHOXLadderCtrl m_ladder;
};
