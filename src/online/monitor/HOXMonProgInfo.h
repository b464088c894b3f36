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

    int GetObjectType() const override { return objtype::kMonProgInfo; }
    void Draw(CDC* pDC) override;

    // Axis 0 the X values, any other the Y values.
    void SetInfo(int axis, std::int32_t programNumber, std::int32_t mcode, std::int32_t errorCode);
    const AxisInfo& GetInfo(int axis) const;

private:
    AxisInfo m_x;
    AxisInfo m_y;
};
