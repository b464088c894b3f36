#pragma once
// "Function  -  MOV ": a word moved to a destination, plainly (MOV, 16 or 32
// bits as the box says), from 16 to 32 bits (MMOV) or from 32 to 16 bits
// (RMOV).
#include "symbols/func/HOXFuncBaseDlg.h"

class CHOXFuncMove;

class CHOXFuncMoveDlg : public CHOXFuncBaseDlg {
public:
    static constexpr UINT kTemplate = 2042;
    static constexpr int kMov = 8337;
    static constexpr int kMmov = 8338;
    static constexpr int kRmov = 8339;
    static constexpr int kSourceList = 0;
    static constexpr int kDestinationList = 6;

    explicit CHOXFuncMoveDlg(CHOXFuncMove* symbol);

    int GetDialogKind() const override { return 743; }
    // 0 MOV, 1 MMOV, 2 RMOV.
    std::int32_t GetKind() const { return m_nKind; }
    void OnSelect1() override;
    void OnSelect2() override;
    void On32Bit() override { Take32Bit(); }
    void OnOK() override;

    // K, H and KnX cannot be written.
    static bool IsWritable(BYTE type);

protected:
    void EnableForKind() override;

private:
    bool SourceIs32Bit() const;
    bool DestinationIs32Bit() const;
};
