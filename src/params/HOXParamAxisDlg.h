#pragma once
// What the four dialogs of an axis's motion parameters (units, speed,
// machine zero, settings) add to the parameter dialog frame: a back and a
// forward button that link them in a ring, and unit labels that follow the
// stored system of units, length unit and minimum command unit of the shown
// axis as the parameter listing writes them.
#include "params/HOXParamDlg.h"

#include <QImage>

// The dialogs of the ring, in its order: Units, Speed, Machine Zero,
// Settings and back to Units.
enum class AxisPage { None, Units, Speed, MachineZero, Settings };

class CHOXParamAxisDlg : public CHOXParamDlg {
public:
    static constexpr int kBackButton = 8436;
    static constexpr int kForwardButton = 8437;
    static constexpr UINT kBackPicture = 4076;
    static constexpr UINT kForwardPicture = 4075;

    // The neighbours of a dialog in the ring (None for None).
    static AxisPage Before(AxisPage page);
    static AxisPage After(AxisPage page);

    bool OnInitDialog() override;

    AxisPage GetPage() const { return m_page; }
    // The dialog to open once this one has returned: the neighbour whose
    // button ended it, None after OK or Cancel.
    AxisPage GetNextPage() const { return m_next; }

protected:
    CHOXParamAxisDlg(UINT templateId, AxisPage page, CHOXParam* param);

    // The stored system of units (parameter 0) of an axis.
    std::int32_t StoredSystem(int axis) const;
    // Labels of the shown axis's stored units: speeds ("Hz" or by the length
    // unit), backlash, and positions (by the minimum command unit too).
    QString SpeedLabel(int axis) const;
    QString BacklashLabel(int axis) const;
    QString PositionLabel(int axis) const;

private:
    // A ring button: what OK does, then the neighbour opens after this
    // dialog has returned. Nothing happens when a check fails.
    void GoTo(AxisPage page);

    AxisPage m_page;
    AxisPage m_next = AxisPage::None;
    // The pictures of the ring buttons, held while the dialog runs.
    QImage m_backPicture;
    QImage m_forwardPicture;
};
