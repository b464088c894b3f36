#pragma once
#include "chart/HOXShape.h"

class CHOXRect : public CHOXShape {
    KT_DECLARE_SERIAL(CHOXRect)
public:
    CHOXRect();
    CHOXRect(const CRect& position, CHOXWnd* wnd);
    int GetObjectType() const override { return objtype::kRect; }
    void Draw(CDC* pDC) override;
};
