#pragma once
// "Show All Parameters": every parameter number of the controller with its
// name and the values of the axes, in a grid the user can only read.
#include "params/HOXParam.h"
#include "platform/Dialog.h"
#include "res/CommandIds.h"

#include <array>

class CHOXShowAllParamDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 4079;
    static constexpr int kGrid = 8584;
    static constexpr int kHelpButton = ID_HELP;

    explicit CHOXShowAllParamDlg(CHOXParam* param);

    bool OnInitDialog() override;

    // The rows of the listed numbers, by number 0 to 119, as they were when
    // the dialog started.
    const PARAM_ROW& Row(UINT number) const { return m_rows.at(number); }

private:
    // Two-axis types: a wider window and grid for the Y column.
    void Widen();
    void LayOutGrid();
    void FillGrid();

    CHOXParam* m_pParam;
    std::array<PARAM_ROW, 120> m_rows{};
};
