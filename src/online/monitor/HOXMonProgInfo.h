#pragma once
// What each axis of the controller executes, as last read: the program
// number (-1 until the first reading), the current M code and the error
// code.
#include "online/monitor/HOXMonObj.h"

class CHOXMonProgInfo : public CHOXMonObj {
    KT_DECLARE_SERIAL(CHOXMonProgInfo)
public:
    struct AxisInfo {
        std::int32_t programNumber = -1;
        std::int32_t mcode = 0;
        std::int32_t errorCode = 0;
        friend bool operator==(const AxisInfo&, const AxisInfo&) = default;
    };

    // For loading: nothing read yet.
    CHOXMonProgInfo();
    // Nothing read yet; X boxes only on a one-axis controller, X and Y boxes
    // otherwise.
    explicit CHOXMonProgInfo(CHOXWnd* wnd);

    // The value boxes' widths and where their values end, from a box's left
    // edge.
    static constexpr int kXBoxWidth = 55;
    static constexpr int kYBoxWidth = 57;
    static constexpr int kValueEnd = 50;

    int GetObjectType() const override { return objtype::kMonProgInfo; }
    // Three rows, program number, M code and error code, each a label and a
    // value box per axis; the boxes stand right of the widest label, so the
    // object's right edge becomes the right edge of its last box.
    void Draw(CDC* pDC) override;
    // In either mode: the "Program Information" dialog of the document.
    void OnOpen(UINT flags, CPoint point) override;

    // Axis 0 the X values, any other the Y values.
    void SetInfo(int axis, std::int32_t programNumber, std::int32_t mcode, std::int32_t errorCode);
    const AxisInfo& GetInfo(int axis) const;

private:
    AxisInfo m_x;
    AxisInfo m_y;
};
