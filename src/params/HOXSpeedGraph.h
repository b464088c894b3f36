#pragma once
// The speed profile of an axis as the "Parameter Speed " dialog shows it: the
// speed rises over the acceleration time to the maximum speed, holds it for
// 5000 ms and falls over the deceleration time, with the bias speed's ramps
// dotted. Time runs to the right of the origin, the speed level upwards in
// pixels. The dialog hands the control the values it last took from its
// fields; painting draws from them.
#include "platform/DrawnControl.h"
#include "platform/Types.h"

#include <QString>

#include <cstdint>

class CHOXSpeedGraph : public CDrawnControl {
public:
    // The values drawn: parameters 4 (maximum speed), 6 (bias speed), 8
    // (acceleration time) and 9 (deceleration time), unchecked.
    struct Profile {
        std::int32_t maxSpeed = 0;
        std::int32_t biasSpeed = 0;
        std::int32_t accTime = 0;
        std::int32_t decTime = 0;
    };

    // The template kind whose host shows the graph.
    static QString TemplateKind() { return QStringLiteral("speedgraph"); }

    // The time the profile spans: acceleration + deceleration + 5000 ms.
    static constexpr std::int64_t kHoldTime = 5000;

    static constexpr COLORREF kAxisColor = RGB(0, 128, 0);
    static constexpr COLORREF kBackColor = RGB(255, 255, 255);
    static constexpr COLORREF kProfileColor = RGB(255, 0, 0);
    static constexpr COLORREF kTextColor = RGB(0, 0, 0);

    CHOXSpeedGraph() = default;

    // Paints again from these values.
    void SetProfile(const Profile& profile);
    const Profile& GetProfile() const { return m_profile; }
    // The unit of the speed axis's title.
    const QString& GetUnitText() const { return m_unitText; }

    // Draws the graph into the box. Values that passed no check are drawn
    // safely: with a span of 0 ms or less, or a box too small for the axes,
    // only the box, the axes and their titles are drawn.
    void OnPaint(CDC& dc, const CRect& client) override;

private:
    Profile m_profile;
    QString m_unitText = QStringLiteral("PPS");
};
