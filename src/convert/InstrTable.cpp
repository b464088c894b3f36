// The instruction table: every instruction of the controller by its primary
// and alternate name. The row index is what the checker dispatches on, what
// the D-form search starts from and where the M codes begin, so the order of
// the rows is fixed.
#include "convert/InstrRules.h"

#include "chart/ControllerType.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

namespace instr {

bool Allows(Types types, std::int32_t controllerType)
{
    switch (types) {
    case Types::kAll: return true;
    case Types::kNotOnIndependentAxes: return !ctype::HasIndependentAxes(controllerType);
    case Types::kNotOnOneAxis: return !ctype::IsOneAxis(controllerType);
    case Types::kWithYAxis: return ctype::HasYAxis(controllerType);
    case Types::kInterpolated: return ctype::IsInterpolated(controllerType);
    }
    return false;
}

namespace {

constexpr bool k32 = true;

// Rows 0 to 79, then 177 to 179; rows 80 to 176 ("m03" to "m99") are made
// from their index.
constexpr InstrRow kWrittenRows[] = {
    /*  0 */ {"cod00", "DRV", &kDrvOperands},
    /*  1 */ {"cod01", "LIN", &kLinOperands, nullptr, false, Types::kNotOnIndependentAxes},
    /*  2 */ {"cod02", "CW", &kCircularOperands, nullptr, false, Types::kInterpolated},
    /*  3 */ {"cod03", "CCW", &kCircularOperands, nullptr, false, Types::kInterpolated},
    /*  4 */ {"cod04", "TIM", &kTimOperands},
    /*  5 */ {"cod09", "CHK", &kModeOperands},
    /*  6 */ {"cod28", "DRVZ", &kModeOperands},
    /*  7 */ {"cod29", "SETR", &kModeOperands},
    /*  8 */ {"cod30", "DRVR", &kModeOperands},
    /*  9 */ {"cod31", "INT", &kIntOperands, nullptr, false, Types::kNotOnIndependentAxes},
    /* 10 */ {"cod71", "SINT", &kSintOperands},
    /* 11 */ {"cod72", "DINT", &kDintOperands},
    /* 12 */ {"cod73", "MOVC", &kMovcOperands},
    /* 13 */ {"cod74", "CNTC", &kCntcOperands, nullptr, false, Types::kInterpolated},
    /* 14 */ {"cod75", "RADC", &kRadcOperands, nullptr, false, Types::kInterpolated},
    /* 15 */ {"cod76", "CANC", &kModeOperands},
    /* 16 */ {"cod90", "ABS", &kModeOperands},
    /* 17 */ {"cod91", "INC", &kModeOperands},
    /* 18 */ {"cod92", "SET", &kMovcOperands},
    /* 19 */ {"", "LD", nullptr, &kContactOperands},
    /* 20 */ {"", "LDI", nullptr, &kContactOperands},
    /* 21 */ {"", "AND", nullptr, &kContactOperands},
    /* 22 */ {"", "ANI", nullptr, &kContactOperands},
    /* 23 */ {"", "OR", nullptr, &kContactOperands},
    /* 24 */ {"", "ORI", nullptr, &kContactOperands},
    /* 25 */ {"", "ANB"},
    /* 26 */ {"", "ORB"},
    /* 27 */ {"SET", "", nullptr, &kSetRstOperands},
    /* 28 */ {"", "RST", nullptr, &kSetRstOperands},
    /* 29 */ {"CJ", "FNC00", nullptr, &kJumpOperands},
    /* 30 */ {"CJN", "FNC01", nullptr, &kJumpOperands},
    /* 31 */ {"CALL", "FNC02", nullptr, &kJumpOperands},
    /* 32 */ {"RET", "FNC03"},
    /* 33 */ {"JMP", "FNC04", nullptr, &kJumpOperands},
    /* 34 */ {"BRET", "FNC05"},
    /* 35 */ {"RPT", "FNC08", nullptr, &kRptOperands},
    /* 36 */ {"RPE", "FNC09"},
    /* 37 */ {"CMP", "FNC10", nullptr, &kCmpOperands},
    /* 38 */ {"ZCP", "FNC11", nullptr, &kZcpOperands},
    /* 39 */ {"MOV", "FNC12", nullptr, &kMovOperands},
    /* 40 */ {"MMOV", "FNC13", nullptr, &kMmovOperands},
    /* 41 */ {"RMOV", "FNC14", nullptr, &kRmovOperands},
    /* 42 */ {"BCD", "FNC18", nullptr, &kBcdOperands},
    /* 43 */ {"BIN", "FNC19", nullptr, &kBcdOperands},
    /* 44 */ {"ADD", "FNC20", nullptr, &kArithOperands},
    /* 45 */ {"SUB", "FNC21", nullptr, &kArithOperands},
    /* 46 */ {"MUL", "FNC22", nullptr, &kArithOperands},
    /* 47 */ {"DIV", "FNC23", nullptr, &kArithOperands},
    /* 48 */ {"INC", "FNC24", nullptr, &kIncDecOperands},
    /* 49 */ {"DEC", "FNC25", nullptr, &kIncDecOperands},
    /* 50 */ {"WAND", "FNC26", nullptr, &kLogicOperands},
    /* 51 */ {"WOR", "FNC27", nullptr, &kLogicOperands},
    /* 52 */ {"WXOR", "FNC28", nullptr, &kLogicOperands},
    /* 53 */ {"NEG", "FNC29", nullptr, &kIncDecOperands},
    /* 54 */ {"EXT", "FNC72", nullptr, &kExtOperands},
    /* 55 */ {"OUT", "FNC90", nullptr, &kOutOperands},
    /* 56 */ {"XAB", "FNC92"},
    /* 57 */ {"YAB", "FNC93"},
    /* 58 */ {"SEGL", "FNC74", nullptr, &kSeglOperands},
    /* 59 */ {"DCMP", "FNC10", nullptr, &kCmpOperands, k32},
    /* 60 */ {"DZCP", "FNC11", nullptr, &kZcpOperands, k32},
    /* 61 */ {"DMOV", "FNC12", nullptr, &kMovOperands, k32},
    /* 62 */ {"DBCD", "FNC18", nullptr, &kBcdOperands, k32},
    /* 63 */ {"DBIN", "FNC19", nullptr, &kBcdOperands, k32},
    /* 64 */ {"DADD", "FNC20", nullptr, &kArithOperands, k32},
    /* 65 */ {"DSUB", "FNC21", nullptr, &kArithOperands, k32},
    /* 66 */ {"DMUL", "FNC22", nullptr, &kArithOperands, k32},
    /* 67 */ {"DDIV", "FNC23", nullptr, &kArithOperands, k32},
    /* 68 */ {"DINC", "FNC24", nullptr, &kIncDecOperands, k32},
    /* 69 */ {"DDEC", "FNC25", nullptr, &kIncDecOperands, k32},
    /* 70 */ {"DNEG", "FNC29", nullptr, &kIncDecOperands, k32},
    /* 71 */ {"DEXT", "FNC72", nullptr, &kExtOperands, k32},
    /* 72 */ {"DSEGL", "FNC74", nullptr, &kSeglOperands, k32, Types::kNotOnOneAxis},
    /* 73 */ {"NOP", ""},
    /* 74 */ {"DAND", "FNC26", nullptr, &kLogicOperands, k32},
    /* 75 */ {"DOR", "FNC27", nullptr, &kLogicOperands, k32},
    /* 76 */ {"DXOR", "FNC28", nullptr, &kLogicOperands, k32},
    /* 77 */ {"m00", "WAIT"},
    /* 78 */ {"m01", ""},
    /* 79 */ {"m02", "END"},
    /* 177 */ {"m100", "SWAIT"},
    /* 178 */ {"m101", ""},
    /* 179 */ {"m102", "SEND"},
};
constexpr int kFirstMadeRow = 80;
constexpr int kLastMadeRow = 176;
static_assert(std::size(kWrittenRows) == kTableSize - (kLastMadeRow - kFirstMadeRow + 1));

// Names of at most seven bytes, folded to lower case, packed with their
// length; longer names are in no table.
using NameKey = std::uint64_t;
constexpr std::size_t kMaxKeyLength = 7;

bool MakeKey(std::string_view name, NameKey& key)
{
    if (name.size() > kMaxKeyLength) return false;
    key = name.size();
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        key = (key << 8) | static_cast<unsigned char>(u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u);
    }
    return true;
}

// Key to the first row (from some row on) that holds the name.
class NameIndex {
public:
    void Add(std::string_view name, int row)
    {
        NameKey key = 0;
        if (name.empty() || !MakeKey(name, key)) return;
        for (const auto& entry : m_entries)
            if (entry.first == key) return; // an earlier row wins
        m_entries.emplace_back(key, row);
    }
    void Seal() { std::sort(m_entries.begin(), m_entries.end()); }
    int Find(std::string_view name) const
    {
        NameKey key = 0;
        if (!MakeKey(name, key)) return -1;
        const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), std::make_pair(key, -1));
        return (it != m_entries.end() && it->first == key) ? it->second : -1;
    }

private:
    std::vector<std::pair<NameKey, int>> m_entries;
};

struct Table {
    std::array<InstrRow, kTableSize> rows;
    std::array<std::array<char, 4>, kLastMadeRow - kFirstMadeRow + 1> madeNames{};
    NameIndex primaries;
    NameIndex alternates;     // from row 0
    NameIndex alternates32;   // from row 59

    Table()
    {
        int written = 0;
        for (int i = 0; i < kTableSize; ++i) {
            if (i >= kFirstMadeRow && i <= kLastMadeRow) {
                auto& name = madeNames[static_cast<std::size_t>(i - kFirstMadeRow)];
                std::snprintf(name.data(), name.size(), "m%02d", i - 77);
                rows[static_cast<std::size_t>(i)] = InstrRow{std::string_view(name.data(), 3), ""};
            } else {
                rows[static_cast<std::size_t>(i)] = kWrittenRows[written++];
            }
        }
        for (int i = 0; i < kTableSize; ++i) {
            const InstrRow& row = rows[static_cast<std::size_t>(i)];
            primaries.Add(row.primary, i);
            alternates.Add(row.alternate, i);
            if (i >= kFirst32BitRow) alternates32.Add(row.alternate, i);
        }
        primaries.Seal();
        alternates.Seal();
        alternates32.Seal();
    }
};

const Table& TheTable()
{
    static const Table table;
    return table;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

const InstrRow& Row(int index) { return TheTable().rows.at(static_cast<std::size_t>(index)); }

int FindPrimary(std::string_view key) { return TheTable().primaries.Find(key); }

int FindAlternate(std::string_view key, int fromRow)
{
    const Table& table = TheTable();
    if (fromRow <= 0) return table.alternates.Find(key);
    if (fromRow == kFirst32BitRow) return table.alternates32.Find(key);
    for (int i = fromRow; i < kTableSize; ++i) {
        const std::string_view name = table.rows[static_cast<std::size_t>(i)].alternate;
        if (!name.empty() && EqualsNoCase(name, key)) return i;
    }
    return -1;
}

} // namespace instr
