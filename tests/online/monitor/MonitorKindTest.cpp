// A monitor object that only the tests know joins the program the way the
// monitor page's own objects will: its own class, one kind registration, no
// edit anywhere else. The monitor window stores and loads it, the view's help
// finds its page, its kind places it.
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"

#include "app/HOXDoc.h"
#include "chart/HOXView.h"
#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "support/DocBuilder.h"

#include <gtest/gtest.h>

namespace {
// Beyond the program's own monitor objects. Every object the program can
// place has a help page; the gauge borrows the current position's.
constexpr int kGaugeType = 890;
constexpr UINT kGaugeHelp = 0x18079;
} // namespace

// A gauge 40 by 20 units with a scale of its own, stored after the base.
class CTestMonGauge : public CHOXMonObj {
    KT_DECLARE_SERIAL(CTestMonGauge)
public:
    CTestMonGauge() = default;
    explicit CTestMonGauge(CHOXWnd* wnd) : CHOXMonObj(wnd) {}
    CTestMonGauge(CPoint at, CHOXWnd* wnd) : CHOXMonObj(wnd) { m_position = CRect(at, CSize(40, 20)); }

    int GetObjectType() const override { return kGaugeType; }
    void Serialize(CArchive& ar) override
    {
        CHOXMonObj::Serialize(ar);
        if (ar.IsStoring())
            ar << m_nScale;
        else
            ar >> m_nScale;
    }

    std::int32_t m_nScale = 1;
};

KT_IMPLEMENT_SERIAL(CTestMonGauge, CHOXMonObj, 0)
KT_REGISTER_KIND(CTestMonGauge, .type = kGaugeType, .helpContext = kGaugeHelp, .maker = &MakeObjectOf<CTestMonGauge>)

namespace {

class MonitorKindTest : public ::testing::Test, protected kt::test::DocBuilder {};

} // namespace

TEST_F(MonitorKindTest, ItsKindPlacesItAndHelpFindsItsPage)
{
    const ObjectKind* kind = kinds::ByType(kGaugeType);
    ASSERT_NE(kind, nullptr);
    EXPECT_STREQ(kind->className, "CTestMonGauge");
    EXPECT_EQ(kind->tool, 0u);

    CHOXMonWnd* wnd = Monitor();
    std::unique_ptr<CHOXDrawObj> made = kind->maker(CPoint(100, 60), wnd);
    auto* gauge = dynamic_cast<CTestMonGauge*>(made.get());
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->GetRect(), CRect(100, 60, 140, 80));
    EXPECT_EQ(gauge->GetWnd(), wnd);
    gauge->SetId(20);
    made.release();
    wnd->AddMonObj(std::unique_ptr<CHOXMonObj>(gauge));

    CHOXView view;
    kt::test::MemoryViewHost host;
    view.SetHost(&host);
    view.SetWnd(wnd);
    EXPECT_EQ(CHOXView::HelpContextOfType(kGaugeType), static_cast<int>(kGaugeHelp));
    EXPECT_EQ(view.GetHelpContextAt(CPoint(120, 70)), static_cast<int>(kGaugeHelp));
    EXPECT_EQ(view.GetHelpContextAt(CPoint(300, 200)), -1);
}

TEST_F(MonitorKindTest, TheMonitorWindowStoresAndLoadsItWithItsOwnFields)
{
    CTestMonGauge* gauge = MonObj<CTestMonGauge>(CRect(10, 20, 50, 40));
    gauge->m_nScale = 7;
    CArchive out;
    Monitor()->Serialize(out);

    CArchive in(out.Buffer());
    in.m_pDocument = doc.get();
    CHOXMonWnd loaded;
    loaded.Serialize(in);
    EXPECT_EQ(in.BytesLeft(), 0u);
    const auto* back = dynamic_cast<const CTestMonGauge*>(loaded.LookupMonObj(static_cast<WORD>(gauge->GetId())));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetRect(), CRect(10, 20, 50, 40));
    EXPECT_EQ(back->m_nScale, 7);
    EXPECT_EQ(back->GetWnd(), &loaded);
    EXPECT_EQ(loaded.GetMonObjOrder().size(), 1u);
}
