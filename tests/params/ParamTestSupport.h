#pragma once
// Small helpers shared by the parameter-set tests.
#include "params/HOXParam.h"
#include "platform/Archive.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdint>

namespace kt::test {

inline QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

inline QByteArray Store(CHOXParam& param)
{
    CArchive ar;
    param.Serialize(ar);
    return ar.Buffer();
}

inline std::int32_t Get(const CHOXParam& param, UINT number, int axis)
{
    std::int32_t v = -12345;
    EXPECT_TRUE(param.GetParam(&v, number, axis)) << number << " axis " << axis;
    return v;
}

inline void Set(CHOXParam& param, UINT number, int axis, std::int32_t v)
{
    ASSERT_TRUE(param.SetParam(&v, number, axis)) << number << " axis " << axis << " value " << v;
}

} // namespace kt::test
