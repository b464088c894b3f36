// The link and the parameter set each know the parameter blocks: the link
// how many values cross the line, the set which parameters they are. Both
// must count alike, or a read would be refused or cut short.
#include "online/comm/ControllerDevices.h"
#include "params/HOXParam.h"

#include <gtest/gtest.h>

TEST(TransferBlocksTest, TheLinkAndTheParameterSetCountEachBlockAlike)
{
    EXPECT_EQ(ctrldev::kBlockCommon, static_cast<int>(CHOXParam::blockCommon));
    EXPECT_EQ(ctrldev::kBlockAxisA, static_cast<int>(CHOXParam::blockAxisA));
    EXPECT_EQ(ctrldev::kBlockAxisB, static_cast<int>(CHOXParam::blockAxisB));
    for (int block : {0, 111, 112, 113, 114, 115, -1})
        EXPECT_EQ(static_cast<std::size_t>(ctrldev::TransferBlockSize(block)),
                  CHOXParam::GetTransferBlockSize(static_cast<UINT>(block)))
            << block;
}
