// What the current-position, manual-operation, manual-input, controller
// status and program-information objects hold: their tables of labels, ids
// and names, their setters by axis, and their answers out of range.
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/MonObjIds.h"

#include "support/DocBuilder.h"
#include "support/StoredFragments.h"

#include <gtest/gtest.h>

#include <climits>

using kt::test::DocBuilder;
using kt::test::LoadStored;
using kt::test::StoredBytes;
using namespace kt::test::hex;

namespace {
class MonObjDataTest : public ::testing::Test, protected DocBuilder {};
} // namespace

TEST_F(MonObjDataTest, ManualOperationButtonsByIndex)
{
    const struct {
        std::int32_t index;
        const char* label;
        int id;
        bool jog;
        bool feed;
    } cases[] = {
        {0, "X START", 2, false, false},
        {1, "X STOP", 3, false, false},
        {2, "X JOG+", 4, true, false},
        {3, "X JOG-", 5, true, false},
        {4, "X ZRN", 6, false, false},
        {5, "X FEED", 7, false, true},
        {6, "X E-RST", 8, false, false},
        {7, "Y START", 9, false, false},
        {8, "Y STOP", 10, false, false},
        {9, "Y JOG+", 11, true, false},
        {10, "Y JOG-", 12, true, false},
        {11, "Y ZRN", 13, false, false},
        {12, "Y FEED", 14, false, true},
        {13, "Y E-RST", 15, false, false},
        // Indexes only a file holds: no label, no id, nothing sent.
        {14, "", -1, false, false},
        {-1, "", -1, false, false},
        {INT_MAX, "", -1, false, false},
        {INT_MIN, "", -1, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        QString name = QStringLiteral("stale");
        EXPECT_EQ(CHOXMonManOpern::GetButtonName(c.index, name), c.id);
        EXPECT_EQ(name, QString::fromLatin1(c.label));
        EXPECT_EQ(CHOXMonManOpern::FindButton(c.index) != nullptr, c.id != -1);
        if (c.id != -1) {
            EXPECT_EQ(monid::ManOpernId(c.index), c.id);
        }

        CHOXMonManOpern button(c.index, Monitor());
        EXPECT_EQ(button.GetButtonIndex(), c.index);
        EXPECT_EQ(button.IsJogButton(), c.jog);
        EXPECT_EQ(button.IsFeedButton(), c.feed);
        EXPECT_EQ(button.GetFeedValue(), 0);
        EXPECT_FALSE(button.IsPressed());

        // Stored and loaded, an unknown index stays as it was.
        button.SetId(40);
        const QByteArray bytes = StoredBytes(&button);
        std::unique_ptr<CHOXMonManOpern> back = LoadStored<CHOXMonManOpern>(bytes);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetButtonIndex(), c.index);
        EXPECT_EQ(StoredBytes(back.get()).toHex(), bytes.toHex());
    }
}

TEST_F(MonObjDataTest, ManualOperationKeepsItsFeedAndPressedLook)
{
    CHOXMonManOpern button(12, Monitor());
    button.SetFeedValue(-2147483647);
    button.SetPressed(true);
    EXPECT_EQ(button.GetFeedValue(), -2147483647);
    EXPECT_TRUE(button.IsPressed());
    button.SetButtonIndex(3);
    EXPECT_TRUE(button.IsJogButton());
    EXPECT_FALSE(button.IsFeedButton());
}

TEST_F(MonObjDataTest, ManualInputsByAxisAndIndex)
{
    CHOXMonManInputStat inputs(Monitor());
    inputs.SetInputs(axis::kX, 1, 0, 1, 0, 1, 2);
    inputs.SetInputs(axis::kY, 0, 1, 0, 1, 0, -1);
    const struct {
        int axis;
        int index;
        std::int32_t state;
        const char* name;
    } cases[] = {
        {0, 0, 1, "DOG"},
        {0, 1, 0, "START"},
        {0, 2, 1, "STOP"},
        {0, 3, 0, "ZRN"},
        {0, 4, 1, "FWD"},
        {0, 5, 2, "RVS"},
        {1, 0, 0, "DOG"},
        {1, 1, 1, "START"},
        {1, 5, -1, "RVS"},
        // Any axis but X is Y.
        {2, 1, 1, "START"},
        {-1, 5, -1, "RVS"},
        {0, 6, 0, ""},
        {1, -1, 0, ""},
        {0, INT_MAX, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.axis << "/" << c.index);
        QString name = QStringLiteral("stale");
        EXPECT_EQ(inputs.GetInput(c.axis, c.index, name), c.state);
        EXPECT_EQ(name, QString::fromLatin1(c.name));
    }
    // A third axis writes the Y inputs.
    inputs.SetInputs(7, 5, 5, 5, 5, 5, 5);
    QString name;
    EXPECT_EQ(inputs.GetInput(axis::kY, 0, name), 5);
    EXPECT_EQ(inputs.GetInput(axis::kX, 0, name), 1);

    EXPECT_EQ(inputs.GetTopDevice(axis::kX), 0);
    EXPECT_EQ(inputs.GetTopDevice(axis::kY), 0);
    inputs.SetTopDevice(axis::kX, 100);
    inputs.SetTopDevice(axis::kY, 2000);
    EXPECT_EQ(inputs.GetTopDevice(axis::kX), 100);
    EXPECT_EQ(inputs.GetTopDevice(axis::kY), 2000);
    EXPECT_EQ(inputs.GetTopDevice(3), 2000);
}

TEST_F(MonObjDataTest, ControllerStatusLampsByAxisAndIndex)
{
    CHOXMonKZQWStat status(Monitor());
    QString text;
    for (int axis : {axis::kX, axis::kY})
        for (int index = 0; index < CHOXMonKZQWStat::kLamps; ++index) EXPECT_EQ(status.GetLamp(axis, index, text), 0);
    status.SetStatus(axis::kX, 1, 0, 2, 1);
    status.SetStatus(5, 0, 1, 1, -1);
    const struct {
        int axis;
        int index;
        std::int32_t word;
        const char* text;
    } cases[] = {
        {0, 0, 1, "Ready"},           {0, 1, 0, "Completed"}, {0, 2, 2, "Error"}, {0, 3, 1, "Zero Completed"},
        {1, 0, 0, "Ready"},           {1, 1, 1, "Completed"}, {1, 2, 1, "Error"}, {1, 3, -1, "Zero Completed"},
        {9, 3, -1, "Zero Completed"}, {0, 4, 0, ""},          {1, -1, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.axis << "/" << c.index);
        text = QStringLiteral("stale");
        EXPECT_EQ(status.GetLamp(c.axis, c.index, text), c.word);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
    }
}

TEST_F(MonObjDataTest, ProgramInformationStartsWithoutProgramAndTakesEachAxis)
{
    const CHOXMonProgInfo placed(Monitor());
    const CHOXMonProgInfo loading;
    for (const CHOXMonProgInfo* info : {&placed, &loading}) {
        for (int axis : {axis::kX, axis::kY}) {
            EXPECT_EQ(info->GetInfo(axis).programNumber, -1);
            EXPECT_EQ(info->GetInfo(axis).mcode, 0);
            EXPECT_EQ(info->GetInfo(axis).errorCode, 0);
        }
    }
    CHOXMonProgInfo info(Monitor());
    info.SetInfo(axis::kX, 12, 3, 0);
    info.SetInfo(4, 99, -5, INT_MIN);
    EXPECT_EQ(info.GetInfo(axis::kX), (CHOXMonProgInfo::AxisInfo{12, 3, 0}));
    EXPECT_EQ(info.GetInfo(axis::kY), (CHOXMonProgInfo::AxisInfo{99, -5, INT_MIN}));
    EXPECT_EQ(info.GetInfo(-1), info.GetInfo(axis::kY));
}

TEST_F(MonObjDataTest, CurrentPositionTakesBothAxesAndItsUnit)
{
    CHOXMonCurPos position(Monitor());
    EXPECT_EQ(position.GetUnit(), CHOXMonCurPos::kUnitSystem);
    position.SetPositions(INT_MIN, INT_MAX);
    position.SetUnit(CHOXMonCurPos::kUnitPulse);
    EXPECT_EQ(position.GetXPosition(), INT_MIN);
    EXPECT_EQ(position.GetYPosition(), INT_MAX);
    EXPECT_EQ(position.GetUnit(), CHOXMonCurPos::kUnitPulse);
}
