#pragma once
// "SET Address - Change Position": the new current position of X, Y or both.
#include "symbols/code/HOXCodeDlg.h"

#include "res/StringIds.h"

class CHOXCodeSetAddr;

class CHOXCodeSetAddrDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2032;
    static constexpr int kXBox = 8131;
    static constexpr int kYBox = 8137;
    static constexpr int kX = 8134;
    static constexpr int kY = 8141;
    static constexpr int kXButton = 8210;
    static constexpr int kYButton = 8215;
    static constexpr UINT kMsgX = IDS_INVALID_X_VALUE;
    static constexpr UINT kMsgY = IDS_INVALID_Y_VALUE;

    explicit CHOXCodeSetAddrDlg(CHOXCodeSetAddr* symbol);
    // The base's kind: this dialog has none of its own.

    std::int32_t GetXUsed() const { return m_bXUsed; }
    std::int32_t GetYUsed() const { return m_bYUsed; }
    CHOXDataReg GetX() const { return m_x; }
    CHOXDataReg GetY() const { return m_y; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    bool CheckBeforeMcode() override;
    bool CheckAfterMcode() override;

private:
    void OnAxisBox(bool xAxis);

    CHOXDataReg m_x;
    CHOXDataReg m_y;
    std::int32_t m_bXUsed = 0;
    std::int32_t m_bYUsed = 0;
    QString m_strX;
    QString m_strY;
};
