#pragma once
// "Find Symbol By Number": asks for a pointer number and lets the document
// select every symbol and node that carries it.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXDoc;

class CHOXFindNumberDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2072;
    static constexpr int kNumberEdit = 8392;
    static constexpr int kNumberSpin = 8621;
    static constexpr int kFindButton = 8531;
    static constexpr int kCloseButton = 8532;
    static constexpr int kHelpButton = 8376;

    explicit CHOXFindNumberDlg(CHOXDoc* doc);

    bool OnInitDialog() override;
    // The number: at most three characters, from 0 to the highest pointer
    // number of the controller type.
    void DoDataExchange(CDataExchange* pDX) override;
    // Searches with the number; closes when something was found.
    void OnFind();

    std::int32_t m_nNumber = 0;

private:
    int HighestNumber() const;

    CHOXDoc* m_pDoc;
};
