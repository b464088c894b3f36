#pragma once
// The "Ladder" clipboard writer. Every PLC dialog's ladder has a fixed shape,
// and for each shape a template walks the control's rows and items in a
// fixed order and writes a fixed grid of 8-byte cells, taking the device
// letters and numbers from the item texts. A copy puts the stream on the
// clipboard only when the template took the whole ladder; on any refusal the
// clipboard keeps what it held and nothing is shown.
#include "plc/HOXLadderBlock.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

class CHOXLadderCtrl;

class CHOXLadderClip {
public:
    enum class Template {
        FromTo,           // one 16-bit FROM/TO row
        DFromDTo,         // one 32-bit DFROM/DTO row
        DFromDToBothAxes, // two DFROM/DTO rows, X then Y
        FounSeq,          // one or two FROM/TO rows with a KnM operand
        AuxDrive,         // comparison, completion contact, coil
        McodeOff,         // comparison, contacts, coil
        McodeOffCompare,  // the comparison and its contact alone
        McodeOffTotal,    // one comparison row per M code
    };

    // The clipboard format's MIME type, after the name "Ladder".
    static QString FormatName();

    // The stream of a template for the rows, or nothing when the template
    // refuses them.
    static std::optional<QByteArray> Write(Template shape, const LadderBlockList& blocks);

    // Decimal digits read as octal digits, as X and Y devices are numbered:
    // 17 gives 15; 8 and 9 count at their value, so 18 gives 16.
    static std::int32_t ReadDigitsAsOctal(std::int32_t number);

    // Each copies the control's ladder with its template.
    void CopyFromTo(const CHOXLadderCtrl* pCtrl) const;
    void CopyDFromDTo(const CHOXLadderCtrl* pCtrl) const;
    void CopyDFromDToBothAxes(const CHOXLadderCtrl* pCtrl) const;
    void CopyFounSeq1(const CHOXLadderCtrl* pCtrl) const;
    void CopyFounSeq2(const CHOXLadderCtrl* pCtrl) const;
    void CopyAuxDrive(const CHOXLadderCtrl* pCtrl) const;
    void CopyMcodeOff(const CHOXLadderCtrl* pCtrl) const;
    void CopyMcodeOffCompare(const CHOXLadderCtrl* pCtrl) const;
    void CopyMcodeOffTotal(const CHOXLadderCtrl* pCtrl) const;

private:
    static void Copy(Template shape, const CHOXLadderCtrl* pCtrl);
};
