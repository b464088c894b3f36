// Function statements to function-instruction symbols: the nine rows, and
// the relays of a zero return, which the drive to zero writes itself.
#include "convert/HOXProgReader.h"

#include "chart/ControllerType.h"
#include "convert/ProgReaderSupport.h"
#include "symbols/func/HOXFuncAbs.h"
#include "symbols/func/HOXFuncArth.h"
#include "symbols/func/HOXFuncBcdBin.h"
#include "symbols/func/HOXFuncExt.h"
#include "symbols/func/HOXFuncLogical.h"
#include "symbols/func/HOXFuncMove.h"
#include "symbols/func/HOXFuncRepeat.h"
#include "symbols/func/HOXFuncSegl.h"
#include "symbols/func/HOXFuncSetRst.h"

#include <array>

namespace {

using progreader::IsOneOfWords;

// The operand words a row takes; a missing one is empty.
using Words = std::array<QString, 4>;
using FuncMaker = std::unique_ptr<CHOXSymbol> (*)(CPoint at, CHOXWnd* wnd, const QString& word, const Words& w);

template <class T>
std::unique_ptr<T> Make(CPoint at, CHOXWnd* wnd)
{
    return std::make_unique<T>(at, wnd);
}

struct FuncRow {
    // Instruction words and FNC names, blank-separated.
    const char* names;
    int words;
    // Null for SET and RST, which may be relays of a zero return.
    FuncMaker make;
};

const std::array<FuncRow, 9> kFuncRows = {{
    {"ADD FNC20 DADD SUB FNC21 DSUB MUL FNC22 DMUL DIV FNC23 DDIV INC FNC24 DINC DEC FNC25 DDEC NEG FNC29 DNEG", 3,
     [](CPoint at, CHOXWnd* wnd, const QString& word, const Words& w) -> std::unique_ptr<CHOXSymbol> {
         auto s = Make<CHOXFuncArth>(at, wnd);
         s->SetFromInstruction(word, w[0], w[1], w[2]);
         return s;
     }},
    {"WAND FNC26 WOR FNC27 WXOR FNC28 DAND DOR DXOR", 3,
     [](CPoint at, CHOXWnd* wnd, const QString& word, const Words& w) -> std::unique_ptr<CHOXSymbol> {
         auto s = Make<CHOXFuncLogical>(at, wnd);
         s->SetFromInstruction(word, w[0], w[1], w[2]);
         return s;
     }},
    {"MOV FNC12 RMOV FNC13 MMOV DMOV FNC14", 2,
     [](CPoint at, CHOXWnd* wnd, const QString& word, const Words& w) -> std::unique_ptr<CHOXSymbol> {
         auto s = Make<CHOXFuncMove>(at, wnd);
         s->SetFromInstruction(word, w[0], w[1]);
         return s;
     }},
    {"RPT FNC08 RPE FNC09", 1,
     [](CPoint at, CHOXWnd* wnd, const QString& word, const Words& w) -> std::unique_ptr<CHOXSymbol> {
         auto s = Make<CHOXFuncRepeat>(at, wnd);
         // No count makes the repeat end.
         s->SetFromInstruction(word == u"RPT" ? w[0] : QString());
         return s;
     }},
    {"XAB FNC92 YAB FNC93", 0,
     [](CPoint at, CHOXWnd* wnd, const QString& word, const Words&) -> std::unique_ptr<CHOXSymbol> {
         auto s = Make<CHOXFuncAbs>(at, wnd);
         s->SetFromInstruction(word);
         return s;
     }},
    {"EXT FNC72 DEXT", 4,
     [](CPoint at, CHOXWnd* wnd, const QString& word, const Words& w) -> std::unique_ptr<CHOXSymbol> {
         auto s = Make<CHOXFuncExt>(at, wnd);
         s->SetFromInstruction(word, w[0], w[1], w[2], w[3]);
         return s;
     }},
    {"SEGL DSEGL FNC74", 4,
     [](CPoint at, CHOXWnd* wnd, const QString& word, const Words& w) -> std::unique_ptr<CHOXSymbol> {
         auto s = Make<CHOXFuncSegl>(at, wnd);
         s->SetFromInstruction(word, w[0], w[1], w[2], w[3]);
         return s;
     }},
    {"BCD FNC18 BIN FNC19 DBCD DBIN", 2,
     [](CPoint at, CHOXWnd* wnd, const QString& word, const Words& w) -> std::unique_ptr<CHOXSymbol> {
         auto s = Make<CHOXFuncBcdBin>(at, wnd);
         s->SetFromInstruction(word, w[0], w[1]);
         return s;
     }},
    {"SET RST", 1, nullptr},
}};

const FuncRow* FindFuncRow(const QString& word, const QString& fncName)
{
    for (const FuncRow& row : kFuncRows)
        if (IsOneOfWords(word, row.names) || IsOneOfWords(fncName, row.names)) return &row;
    return nullptr;
}

} // namespace

bool CHOXProgReader::IsFunctionRow(const QString& word, const QString& fncName)
{
    return FindFuncRow(word.toUpper(), fncName.toUpper()) != nullptr;
}

CHOXSymbol* CHOXProgReader::BuildFunctionSymbol(CHOXWnd* wnd, QString word, QString fncName, QString operands, QString)
{
    m_lastSymbol = nullptr;
    word = word.toUpper();
    fncName = fncName.toUpper();
    const FuncRow* row = FindFuncRow(word, fncName);
    if (row == nullptr || wnd == nullptr || m_stopped) return nullptr;
    const int current = m_statementIndex;
    std::unique_ptr<CHOXSymbol> symbol;
    if (row->make == nullptr) {
        symbol = BuildSetRstRow(
            wnd, fncName == u"RST" || word == u"RST" ? QStringLiteral("RST") : QStringLiteral("SET"), operands);
    } else {
        Words words;
        QString rest = operands;
        for (int n = 0; n < row->words; ++n) m_checker.ExtractWord(rest, words[static_cast<std::size_t>(n)]);
        symbol = row->make(m_position, wnd, word, words);
    }
    m_statementIndex = current;
    if (!symbol) return nullptr;
    m_lastSymbol = PlaceSymbol(std::move(symbol), wnd);
    return m_lastSymbol;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildSetRstRow(CHOXWnd* wnd, const QString& word, const QString& operands)
{
    const QString device = FirstWord(operands);
    if (word == u"SET") {
        std::int32_t axis = axis::kX;
        if (OpensZeroReturn(device, axis)) {
            m_zeroReturnSeq = 1;
            m_zeroReturnAxis = axis;
            m_zeroReturnEnd = m_statementIndex + 2;
            MarkFoldedForward();
            return nullptr;
        }
    } else if (m_zeroReturnSeq != 0 && m_statementIndex == m_zeroReturnEnd) {
        // The drive to zero before it writes it; its steps stay in that
        // symbol's.
        m_zeroReturnSeq = 0;
        m_zeroReturnEnd = -1;
        return nullptr;
    }
    auto relay = std::make_unique<CHOXFuncSetRst>(m_position, wnd);
    relay->SetFromInstruction(word, device);
    return relay;
}

bool CHOXProgReader::OpensZeroReturn(const QString& device, std::int32_t& axis)
{
    const QString relay = device.toUpper();
    if (relay != u"M9024" && relay != u"M9008") return false;
    const Neighbour drive = LookAhead(1);
    if (!drive.accepted || (drive.name != u"COD28" && drive.mnemonic != u"DRVZ")) return false;
    const Neighbour reset = LookAhead(2);
    if (!reset.accepted || (reset.name != u"RST" && reset.mnemonic != u"RST")) return false;
    if (FirstWord(reset.operands).toUpper() != relay) return false;
    axis = relay == u"M9024" ? 0 : 1;
    return true;
}
