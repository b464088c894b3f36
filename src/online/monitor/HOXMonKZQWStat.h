#pragma once
// The controller's status signals of each axis as four lamps: "Ready",
// "Completed", "Error" and "Zero Completed", as last read. A lamp is on when
// its word is exactly 1.
#include "online/monitor/HOXMonObj.h"

#include <QString>

#include <array>

class CHOXMonKZQWStat : public CHOXMonObj {
    KT_DECLARE_SERIAL(CHOXMonKZQWStat)
public:
    static constexpr int kLamps = 4;
    // The fixed layout: a column of lamps per axis, each lamp this wide and
    // high, under a title row as high; the Y column starts this far right
    // of the X column.
    static constexpr int kLampWidth = 128;
    static constexpr int kRowHeight = 20;
    static constexpr int kColumnStep = 138;

    // For loading: all lamps off.
    CHOXMonKZQWStat();
    // All lamps off; one column on a one-axis controller, two otherwise.
    explicit CHOXMonKZQWStat(CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kMonKZQWStat; }
    // From the top-left corner only, whatever the bounds: "X-axis" over the
    // X lamps and, on a two-axis controller, "Y-axis" over the Y lamps.
    void Draw(CDC* pDC) override;
    // While editing only: the "Manual Input" dialog captioned "DA-ZU
    // Status", and through its "KZ - &PLC" the foundation sequence's page of
    // the status devices.
    void OnOpen(UINT flags, CPoint point) override;

    // Axis 0 the X words, any other the Y words.
    void SetStatus(int axis, std::int32_t ready, std::int32_t completed, std::int32_t error,
                   std::int32_t zeroCompleted);
    // The word of lamp 0 to 3 of the axis and its text; 0 and an empty text
    // for any other index.
    std::int32_t GetLamp(int axis, int index, QString& text) const;

private:
    void DrawColumn(CDC* pDC, int axis, std::int64_t left, std::int64_t top) const;

    std::array<std::int32_t, kLamps> m_x{};
    std::array<std::int32_t, kLamps> m_y{};
};
