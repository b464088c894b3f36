#pragma once
// "Conditional Jump - By Compare": two word operands, the relation between
// them chosen with six picture buttons (the chosen one also shown large),
// and the output whose bits the comparison sets.
#include "symbols/flow/HOXFlowCJumpWordDlg.h"

#include <QImage>

#include <array>

class CHOXFlowCJumpCmpDlg : public CHOXFlowCJumpWordDlg {
public:
    static constexpr UINT kTemplate = 2018;
    static constexpr int kSource1 = 8307;
    static constexpr int kSource2 = 8308;
    static constexpr int kSelect1 = 8393;
    static constexpr int kSelect2 = 8395;
    static constexpr int kOutputType = 8413;
    static constexpr int kOutputNumber = 8535;
    static constexpr int kOutputSpin = 8100;
    static constexpr int kRelationPicture = 8440;
    // The buttons and pictures of the relations 0 ">" to 5 "<".
    static constexpr std::array<int, 6> kRelationButtons{8291, 8292, 8289, 8294, 8297, 8048};
    static constexpr std::array<UINT, 6> kRelationBitmaps{4065, 4069, 4064, 4068, 4066, 4067};

    explicit CHOXFlowCJumpCmpDlg(CHOXFlowCJump* symbol);

    int GetDialogKind() const override { return 710; }
    CHOXSelectVal GetSource1() const { return m_source1; }
    CHOXSelectVal GetSource2() const { return m_source2; }
    // 0 ">", 1 ">=", 2 "=", 3 "!=", 4 "<=", 5 "<".
    std::int32_t GetRelation() const { return m_nRelation; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    void OnRelation(std::int32_t relation);
    void ShowRelation();

    CHOXSelectVal m_source1;
    CHOXSelectVal m_source2;
    QString m_strSource1;
    QString m_strSource2;
    std::int32_t m_nRelation = 2;
    std::array<QImage, 6> m_pictures;
};
