// The two-state picture button: its four pictures by the window text, the
// up and down look the program sets, and the picture for each item state.
#include "AppDocsFixture.h"

#include "app/HOXBitmapButton.h"
#include "platform/Resources.h"

using kt::test::AppDocsFixture;

namespace {

class BitmapButtonTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_TRUE(
            m_bar->Create(Main(), 9001, CSize(108, 32),
                          {{CBarCtrl::Kind::Button, 100, QStringLiteral("BitBtnConnect"), CRect(58, 5, 96, 27)},
                           {CBarCtrl::Kind::Button, 101, QStringLiteral("ButtonUp"), CRect(11, 5, 33, 14)},
                           {CBarCtrl::Kind::Button, 102, QStringLiteral("NoSuchPicture"), CRect(0, 0, 9, 9)},
                           {CBarCtrl::Kind::Button, 103, QStringLiteral("bitbtnconnect"), CRect(0, 20, 9, 29)}}));
    }
    void TearDown() override
    {
        // The bar's window goes before the main window.
        m_button.DestroyWindow();
        m_bar.reset();
        AppDocsFixture::TearDown();
    }
    static QImage Picture(const char* name) { return LoadNamedBitmapResource(QString::fromLatin1(name)); }

    std::unique_ptr<CHOXDialogBar> m_bar = std::make_unique<CHOXDialogBar>();
    CHOXBitmapButton m_button;
};

TEST_F(BitmapButtonTest, LoadsItsFourPicturesAndTakesTheUpPicturesSize)
{
    ASSERT_TRUE(m_button.AutoLoad(100, m_bar.get()));
    EXPECT_EQ(m_bar->GetDlgItem(100), &m_button);
    EXPECT_EQ(m_button.GetWindowText(), QStringLiteral("BitBtnConnect"));
    const QImage up = Picture("BITBTNCONNECTU");
    ASSERT_FALSE(up.isNull());
    // The template's place (87, 8), the picture's size.
    EXPECT_EQ(m_button.GetClientRectInBar(), CRect(87, 8, 87 + up.width(), 8 + up.height()));
    EXPECT_TRUE(m_button.IsUp());
    EXPECT_TRUE(m_button.IsOwnerDrawn());
}

TEST_F(BitmapButtonTest, ResourceNamesIgnoreTheLetterCase)
{
    EXPECT_TRUE(m_button.AutoLoad(103, m_bar.get()));
    EXPECT_EQ(*m_button.DrawItem(0), Picture("BITBTNCONNECTU"));
}

TEST_F(BitmapButtonTest, AButtonWithoutItsFocusPicturesCannotBeLoaded)
{
    // "ButtonUp" has an up and a down picture only.
    ASSERT_FALSE(Picture("BUTTONUPU").isNull());
    ASSERT_FALSE(Picture("BUTTONUPD").isNull());
    EXPECT_FALSE(m_button.AutoLoad(101, m_bar.get()));
    CHOXBitmapButton none;
    EXPECT_FALSE(none.AutoLoad(102, m_bar.get()));
    CHOXBitmapButton missing;
    EXPECT_FALSE(missing.AutoLoad(555, m_bar.get()));
}

TEST_F(BitmapButtonTest, SetStateRepaintsOnlyOnAChange)
{
    ASSERT_TRUE(m_button.AutoLoad(100, m_bar.get()));
    const int paints = m_button.GetInvalidateCount();
    m_button.SetState(true);
    m_button.SetState(true);
    EXPECT_EQ(m_button.GetInvalidateCount(), paints + 1);
    EXPECT_FALSE(m_button.IsUp());
    m_button.SetState(false);
    m_button.SetState(false);
    EXPECT_EQ(m_button.GetInvalidateCount(), paints + 2);
    EXPECT_TRUE(m_button.IsUp());
}

TEST_F(BitmapButtonTest, ThePictureFollowsTheStateAndTheFocusOnly)
{
    ASSERT_TRUE(m_button.AutoLoad(100, m_bar.get()));
    const struct {
        bool down;
        UINT itemState;
        const char* picture;
    } cases[] = {
        {false, 0, "BITBTNCONNECTU"},
        {false, ODS_FOCUS, "BITBTNCONNECTB"},
        {true, 0, "BITBTNCONNECTD"},
        {true, ODS_FOCUS, "BITBTNCONNECTX"},
        // A click's pressed state and the disabled state choose nothing.
        {false, ODS_SELECTED, "BITBTNCONNECTU"},
        {true, ODS_SELECTED | ODS_DISABLED, "BITBTNCONNECTD"},
        {false, ODS_DISABLED | ODS_FOCUS, "BITBTNCONNECTB"},
    };
    for (const auto& c : cases) {
        m_button.SetState(c.down);
        const QImage* picture = m_button.DrawItem(c.itemState);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(*picture, Picture(c.picture)) << c.picture << " " << c.itemState;
    }
}

TEST_F(BitmapButtonTest, AnUnloadedButtonDrawsNothing)
{
    EXPECT_EQ(m_button.DrawItem(0), nullptr);
}

} // namespace
