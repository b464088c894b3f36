#pragma once
// The six manual inputs of each axis (DOG, START, STOP, ZRN, FWD, RVS) as
// last read, and the first M device of the companion PLC that receives each
// axis's inputs in its sequence (stored).
#include "online/monitor/HOXMonObj.h"

#include <QString>

#include <array>

class CHOXMonManInputStat : public CHOXMonObj {
    KT_DECLARE_SERIAL(CHOXMonManInputStat)
public:
    static constexpr int kInputs = 6;
    // A column of lamps under its header, one per axis, the Y column this
    // far right of the X column.
    static constexpr int kColumnWidth = 70;
    static constexpr int kColumnStep = 80;
    static constexpr int kLampHeight = 20;

    // For loading: inputs off, top devices from the archive.
    CHOXMonManInputStat();
    // Inputs off, top devices 0, one column on a one-axis controller and two
    // otherwise.
    explicit CHOXMonManInputStat(CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kMonManInputStat; }
    // The object part, then the X and the Y top device.
    void Serialize(CArchive& ar) override;
    void Draw(CDC* pDC) override;
    // While editing: "Manual Input", and through its "KZ - &PLC" the PLC
    // dialog that sets the top devices. While monitoring: nothing.
    void OnOpen(UINT flags, CPoint point) override;

    // Axis 0 the X inputs, any other the Y inputs.
    void SetInputs(int axis, std::int32_t dog, std::int32_t start, std::int32_t stop, std::int32_t zrn,
                   std::int32_t fwd, std::int32_t rvs);
    // The state of input 0 to 5 of the axis and its name; 0 and an empty
    // name for any other index.
    std::int32_t GetInput(int axis, int index, QString& name) const;
    // The X top device for axis 0, the Y top device for any other.
    std::int32_t GetTopDevice(int axis) const;
    void SetTopDevice(int axis, std::int32_t device);

private:
    // The axis's header and its six lamps, `offset` units right of the left
    // edge.
    void DrawColumn(CDC* pDC, int axis, int offset, const QString& header);

    std::array<std::int32_t, kInputs> m_xInputs{};
    std::array<std::int32_t, kInputs> m_yInputs{};
    std::int32_t m_nXTopDevice = 0;
    std::int32_t m_nYTopDevice = 0;
};
