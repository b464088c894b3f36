#pragma once
// The main window's wait cursor while a controller operation runs. The arrow
// comes back when the object goes, whatever way the operation ends, and
// for as long as the user is asked something in between.
class CHOXWaitCursor {
public:
    CHOXWaitCursor();
    ~CHOXWaitCursor();
    CHOXWaitCursor(const CHOXWaitCursor&) = delete;
    CHOXWaitCursor& operator=(const CHOXWaitCursor&) = delete;

    void Show() { Set(true); }
    void Restore() { Set(false); }
    bool IsShown() const { return m_bWait; }

private:
    void Set(bool wait);
    bool m_bWait = false;
};
