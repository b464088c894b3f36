#pragma once
// A document and a checker on its parameter set, and the row check shared by
// the checker's tables: every column of one statement's answer, and for an
// accepted statement that its canonical text checks again to itself.
#include "app/HOXDoc.h"
#include "convert/HOXInstrParser.h"
#include "params/HOXParam.h"
#include "support/Scripted.h"

#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

namespace kt::test {

// What the caller's error text holds before the check; rows that leave it
// alone expect it back.
inline constexpr const char* kUntouched = "(untouched)";
inline const char* const kNotForType = "This instruction is not valid for current \r\ncontroller type.";

struct CheckRow {
    int type;
    const char* line;
    bool ok;
    const char* error;
    const char* primary;
    const char* alternate;
    const char* operands;
    int steps;
    const char* rest;
    int failing;
    bool is32Bit;
};

inline std::ostream& operator<<(std::ostream& os, const CheckRow& row)
{
    return os << "type " << row.type << " line \"" << row.line << "\"";
}

class InstrParserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = std::make_unique<CHOXDoc>();
        doc->SetControllerType(1);
        checker = std::make_unique<CHOXInstrParser>(&doc->GetParam());
    }

    void SetType(int type) { doc->SetControllerType(type); }

    void SetParam(UINT number, int axis, std::int32_t value)
    {
        ASSERT_TRUE(doc->GetParam().SetParam(&value, number, axis)) << number;
    }

    // Checks the line and compares every column of the row.
    void ExpectRow(const CheckRow& row)
    {
        SCOPED_TRACE(::testing::Message() << row);
        SetType(row.type);
        QString error = QString::fromLatin1(kUntouched);
        const bool ok = checker->CheckInstruction(QString::fromLatin1(row.line), error);
        EXPECT_EQ(ok, row.ok);
        EXPECT_EQ(error, QString::fromLatin1(row.error));
        EXPECT_EQ(checker->GetPrimaryName(), QString::fromLatin1(row.primary));
        EXPECT_EQ(checker->GetAlternateName(), QString::fromLatin1(row.alternate));
        EXPECT_EQ(checker->GetOperandText(), QString::fromLatin1(row.operands));
        EXPECT_EQ(checker->GetSteps(), row.steps);
        EXPECT_EQ(checker->GetRestOfLine(), QString::fromLatin1(row.rest));
        EXPECT_EQ(checker->GetFailingOperand(), row.failing);
        EXPECT_EQ(checker->Is32Bit(), row.is32Bit);
        if (ok) ExpectCanonicalRoundTrip();
    }

    // An accepted statement's canonical text is accepted again, with the
    // same steps, and is its own canonical text.
    void ExpectCanonicalRoundTrip()
    {
        const QString canonical = checker->GetCanonicalStatement();
        const int steps = checker->GetSteps();
        QString error;
        SCOPED_TRACE(canonical.toStdString());
        EXPECT_TRUE(checker->CheckInstruction(canonical, error)) << error.toStdString();
        EXPECT_EQ(checker->GetSteps(), steps);
        EXPECT_EQ(checker->GetCanonicalStatement(), canonical);
    }

    TempSettings settings;
    std::unique_ptr<CHOXDoc> doc;
    std::unique_ptr<CHOXInstrParser> checker;
};

} // namespace kt::test
