#pragma once
// "Function  -  ABS  ": reads the absolute position of the X or the Y axis;
// the one-axis controller has X alone. "&Parameter" edits the
// absolute-position parameters.
#include "symbols/func/HOXFuncBaseDlg.h"

class CHOXFuncAbs;

class CHOXFuncAbsDlg : public CHOXFuncBaseDlg {
public:
    static constexpr UINT kTemplate = 2044;
    static constexpr int kXAxis = 8323;
    static constexpr int kYAxis = 8324;
    static constexpr int kParameter = 8045;

    explicit CHOXFuncAbsDlg(CHOXFuncAbs* symbol);

    int GetDialogKind() const override { return 747; }
    // 1 X, 0 Y.
    std::int32_t GetAxis() const { return m_nKind; }
    void OnOK() override;

protected:
    void EnableForKind() override;

private:
    void OnParameter();
};
