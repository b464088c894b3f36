#pragma once
// A column of 1, 4, 8 or 16 consecutive devices of the controller: bit
// devices X, Y and M as lamps, word devices D, DD, V and Z as values. Its six
// settings are stored; which rows exist on the model and the values last
// read are worked out and kept in memory.
//
// Settings come from files too, where points, top number and index may hold
// anything: only rows 0 to min(points, 16) - 1 exist (none below 1 point),
// row numbers are computed in 64 bits, and the settings are written back as
// they were read.
#include "online/monitor/HOXMonObj.h"

#include <QString>

#include <array>
#include <span>
#include <vector>

class CHOXMonDevStat : public CHOXMonObj {
    KT_DECLARE_SERIAL(CHOXMonDevStat)
public:
    // The most rows an object shows.
    static constexpr int kMaxRows = 16;
    // Height of a row; width of a lamp and the place of a value box from
    // the left edge.
    static constexpr int kRowHeight = 20;
    static constexpr int kLampWidth = 40;
    static constexpr int kValueLeft = 65;
    static constexpr int kValueRight = 145;

    // The device type numbers those of the operands (D 1, DD 2, V 8, Z 9,
    // X 10, Y 11, M 12); X and Y numbers are held as written, their octal
    // digits read as decimal (X17 is 17). Index kind 0 none, 1 V, 2 Z.
    struct Settings {
        std::int32_t is32Bit = 0;
        std::int32_t type = 0;
        std::int32_t top = 0;
        std::int32_t indexKind = 0;
        std::int32_t indexNumber = 0;
        std::int32_t points = 0;
        friend bool operator==(const Settings&, const Settings&) = default;
    };

    // For loading: no settings, no rows.
    CHOXMonDevStat();
    // The settings in the window record: rows worked out, bounds of the size
    // the rows need.
    CHOXMonDevStat(const Settings& settings, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kMonDevStat; }
    // The object part, then the 32-bit flag, device type, top number, index
    // kind, index number and points.
    void Serialize(CArchive& ar) override;
    void Draw(CDC* pDC) override;
    // Editing: the settings in "Device Status". Monitoring: the row under
    // the point is switched (Y, M) or written (words) on the controller.
    void OnOpen(UINT flags, CPoint point) override;
    void PrepareAfterLoad() override { InitRows(); }

    // Which rows exist on the owner's model, and a zeroed value per shown
    // row. A 32-bit D becomes DD.
    void InitRows();
    // Bounds at (10, 10) as wide as a lamp or a labelled value and as tall as
    // the rows.
    void ResetSize();
    const Settings& GetSettings() const { return m_settings; }
    // The rows up to the last one that exists: the devices read.
    int GetShownCount() const { return static_cast<int>(m_values.size()); }
    // Takes the values read for the shown rows from a buffer of 16-bit
    // values (widened with their sign) or of 32-bit values, little-endian;
    // a short buffer fills fewer rows. Answers the rows filled.
    int SetValues(std::span<const BYTE> buffer, bool sixteenBit);

    // "D", "DD", "V", "Z", "X", "Y", "M"; empty for any other type.
    static QString GetDeviceName(std::int32_t type);
    // "V", "Z"; empty for any other kind.
    static QString GetIndexName(std::int32_t kind);
    // The row whose box holds the document point, or -1: the lamp box with
    // `bitBox`, else the value box.
    int RowAt(CPoint point, bool bitBox) const;
    // Whether a special data register may not be written (with the 32-bit
    // flag, when either register of the pair may not).
    static bool IsWriteProtected(std::int64_t number, bool is32Bit);

    // An object that reaches within 10 units of the bottom of the page (or
    // past it) makes the page 30 units taller than the object, and the
    // views' scroll range follows.
    void GrowSheet();

    // The rows that exist: the points, kept to 0 to 16.
    int GetRowCount() const;
    // Whether the row's device exists on the model.
    bool IsRowValid(int row) const;
    bool IsBitType() const;
    // The device number the row shows, and that a bit toggle or a word write
    // of the row addresses: X and Y numbers skip past the digits 8 and 9
    // once, DD and a 32-bit Z step by two.
    std::int64_t GetRowNumber(int row) const;
    // The row's label as drawn ("X000", "M9000", "D100 ", "D100 V2 "); empty
    // for a row whose device does not exist.
    QString GetRowLabel(int row) const;
    // The value last read for the row; 0 before the first reading.
    std::int32_t GetValue(int row) const;

private:
    // Replaces the settings by the dialog's, keeping the top-left corner;
    // the document is modified however the dialog ends.
    void EditSettings();
    // The lamp's bit switched to the other state than shown.
    void ToggleBit(CPoint point);
    // A new value for the word row, asked for in "Word Input"; a special
    // register that may not be written is shown only.
    void WriteWord(CPoint point);
    // The row's strip from `left` to `right` units right of the left edge.
    CRect RowBox(int row, int left, int right) const;
    // A lamp, lit by a value of 1, with its label; a cyan box without label
    // for a device that does not exist.
    void DrawBitRow(CDC* pDC, int row);
    // The label, and the value right-aligned in a white box; the box alone
    // for a device that does not exist.
    void DrawWordRow(CDC* pDC, int row);
    // The device number the row's existence is judged by.
    std::int64_t ValidityNumber(int row) const;
    // Parameter 101 of the owner's document: the number of file registers.
    std::int64_t FileRegisters() const;

    Settings m_settings;
    std::array<bool, kMaxRows> m_rowValid{};
    std::vector<std::int32_t> m_values;
};
