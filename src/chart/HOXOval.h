#pragma once
#include "chart/HOXShape.h"

class CHOXOval : public CHOXShape {
    KT_DECLARE_SERIAL(CHOXOval)
public:
    CHOXOval();
    CHOXOval(const CRect& position, CHOXWnd* wnd);
    int GetObjectType() const override { return objtype::kOval; }
    void Draw(CDC* pDC) override;
};
