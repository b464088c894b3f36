#pragma once
// A monitor object with a button that only the tests know: it writes down
// what the monitor view asks of it.
#include "chart/HOXView.h"
#include "online/monitor/HOXMonObj.h"

#include <functional>
#include <string>
#include <vector>

namespace kt::test {

// A monitor object with a button of its own kind: it writes each press,
// release and opening into the log with its name. Held, it stays pressed
// until released; waiting, it takes a double click.
class CTestMonButton : public CHOXMonObj {
public:
    enum Kind { kPlain, kHeld, kWaiting };
    CTestMonButton(std::string name, Kind kind, std::vector<std::string>* log, CHOXWnd* wnd)
        : CHOXMonObj(wnd), m_name(std::move(name)), m_kind(kind), m_log(log)
    {
    }
    // Runs as the release reaches the object, before its base handles it.
    std::function<void()> onRelease;

    bool IsHeldButton() const override { return m_kind == kHeld; }
    bool WaitsForDoubleClick() const override { return m_kind == kWaiting; }
    void OnLButtonDown(CHOXView* view, UINT flags, CPoint point) override
    {
        m_log->push_back("down " + m_name + At(view, point));
        CHOXMonObj::OnLButtonDown(view, flags, point);
    }
    void OnLButtonUp(CHOXView* view, UINT flags, CPoint point) override
    {
        m_log->push_back("up " + m_name);
        if (onRelease) onRelease();
        CHOXMonObj::OnLButtonUp(view, flags, point);
    }
    void OnOpen(UINT, CPoint point) override
    {
        m_log->push_back("open " + m_name + " " + std::to_string(point.x) + "," + std::to_string(point.y));
    }

private:
    // The document point the press names.
    static std::string At(CHOXView* view, CPoint point)
    {
        const CPoint p = view->ClientToDoc(point);
        return " " + std::to_string(p.x) + "," + std::to_string(p.y);
    }

    std::string m_name;
    Kind m_kind;
    std::vector<std::string>* m_log;
};

} // namespace kt::test
