#pragma once
// The running-program tracker: while monitoring runs it turns the step
// numbers each result brings into what the user sees. It arranges the
// monitor frame and the frames of the three monitored windows (X, Y and
// the subtask) in the main window's client area and captions them; shows
// in each axis's monitored window the chart that holds the axis's running
// step, marks the running symbol there and scrolls it to the middle; and
// for a program-in-text symbol shows its text in a "Monitoring Program In
// Text" window with the running line selected. At the stop it keeps the
// frames' places and the windows' corners in the document; when it goes,
// no mark it set is left.
//
// It runs in the user-interface thread, called with each result the run
// applies; the frames are the main frame's children, found through the
// views of the window records.
#include "online/monitor/HOXMonitorSession.h"
#include "platform/Geometry.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class CHOXDoc;
class CHOXFlowProgText;
class CHOXFlowWnd;
class CHOXMonProgTextDlg;
class CHOXSymbol;
class CHOXWnd;
class CMDIChildWnd;
class CMDIFrameWnd;

class CHOXMonTracker : public CHOXMonitorTracking {
public:
    // The axes it follows, and the monitor frame's place among the frames
    // the document keeps rectangles of.
    static constexpr int kX = 0;
    static constexpr int kY = 1;
    static constexpr int kSubtask = 2;
    static constexpr int kAxes = 3;
    static constexpr int kMonitorFrame = 3;

    // The frames are children of the main frame (null: there are none).
    CHOXMonTracker(CHOXDoc* doc, CMDIFrameWnd* mainFrame);
    // The program-text windows go and every mark it set is cleared.
    ~CHOXMonTracker() override;
    CHOXMonTracker(const CHOXMonTracker&) = delete;
    CHOXMonTracker& operator=(const CHOXMonTracker&) = delete;

    // Each step -1 when its program runs no step. 0 once the document is
    // out of monitoring; else 1, also when nothing could be marked, or when
    // the main window is minimized or the monitor frame maximized (the
    // program-text windows then go and nothing else happens).
    int Update(int x, int y, int subtask) override;
    // The normal places of the arranged frames into the document, which is
    // marked modified when one of them moved; nothing before the frames
    // were arranged, nor when a monitored window is missing.
    void SaveWindowLayout() override;
    // The top-left screen corner of each program-text window into the
    // document.
    void SaveProgTextPositions() override;

    // The steps of Update. Those that answer give 0 once the document is
    // out of monitoring.
    //
    // Where the code of a step lies: walking the step map, the symbol
    // whose steps hold it (id -1 and no name when none does); a record whose
    // window or symbol is missing ends the walk.
    struct StepPlace {
        int id = -1;
        QString name;
        int firstStep = 0;
    };
    StepPlace FindStep(int step) const;
    // Marks the symbol that runs the step in the axis's monitored window,
    // following its chart; a step outside every symbol clears the last
    // mark, which stays the last. Nothing while the axis is covered.
    int HighlightStep(int step, QString& lastName, int& lastId, int axis);
    // The axis's mark goes from the old symbol to the new, which is scrolled
    // to; the monitored window is drawn anew when the mark or its chart
    // changed.
    int MoveMark(int newId, int oldId, const QString& oldName, const QString& newName, int step, int firstStep,
                 int axis);
    // The axis's mark of the symbol of the named chart goes; the axis's
    // monitored window is drawn anew when it was set.
    int ClearMark(const QString& name, int id, int axis);
    static void SetMark(CHOXSymbol* symbol, int axis);
    // The axis's monitored window shows the named chart's objects, framed
    // by the axis's marks.
    void FollowWindow(const QString& name, int axis);
    // Brings the top-left corner of the bounds (document units) to the
    // middle of the window's view, when the view cannot show all.
    static void ScrollToSymbol(CHOXFlowWnd* wnd, const CRect& bounds);
    // Captions the frames and places them, each shown normal at its kept
    // rectangle or, without one or after Set Default Position, in its
    // quarter. A missing window is not arranged.
    int ArrangeWindows(CHOXFlowWnd* x, CHOXFlowWnd* y, CHOXFlowWnd* subtask);
    // True when the axis's marks wait: its frame is minimized (its program
    // text window goes) or another monitored frame is maximized. A maximized
    // frame hides the other axes' program-text windows.
    bool IsAxisCovered(int axis);
    CHOXFlowWnd* GetMonitoredWindow(int axis) const;
    // The axis's program-text window shows the symbol with the step's line
    // selected: made over the axis's frame when there is none, shown
    // without taking the activation when hidden. The worker goes below the
    // user interface meanwhile.
    void ShowProgText(CHOXFlowProgText* symbol, int step, int firstStep, int axis);
    // The running step left the symbol: the window stays empty when the
    // axis's program-text flag is set, else it hides.
    void HideProgText(int axis);
    void DestroyProgTextDialogs();

    CHOXMonProgTextDlg* GetProgTextDlg(int axis) const;
    const QString& GetLastName(int axis) const { return m_lastNames.at(static_cast<std::size_t>(axis)); }
    int GetLastId(int axis) const { return m_lastIds.at(static_cast<std::size_t>(axis)); }
    bool IsArranged() const { return m_nArranged != 0; }
    bool TracksY() const { return m_nYFlag != 0; }

    // The frames' captions: "X-axis - Monitor Mode" ("X-axis and Y-axis -
    // Monitor Mode" when both axes run one program), "Y-axis - Monitor
    // Mode", "Sub-Task - Monitor Mode".
    static QString FrameCaption(int axis, std::int32_t controllerType);
    static QString ProgTextCaption(int axis);
    // The quarter of the area a frame takes by default: the monitor frame
    // the top left, X the top right, Y the bottom right, the subtask the
    // bottom left.
    static CRect DefaultRect(int frame, const CRect& area);

private:
    bool IsMonitoring() const;
    CMDIChildWnd* FrameOf(const CHOXWnd* record) const;
    bool IsProgTextKept(int axis) const;
    void DestroyProgTextDialog(int axis);

    CHOXDoc* m_pDocument;
    CMDIFrameWnd* m_pMainFrame;
    std::array<std::unique_ptr<CHOXMonProgTextDlg>, kAxes> m_dialogs;
    std::int32_t m_nYFlag;
    std::array<QString, kAxes> m_lastNames;
    std::array<int, kAxes> m_lastIds{-1, -1, -1};
    std::int32_t m_nArranged = 0;
    std::int32_t m_nControllerType;
};
