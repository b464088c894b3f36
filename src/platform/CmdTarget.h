#pragma once
// Commands by command id: targets keep their handlers in a message map, a
// command travels along the routing chain (active view, its document, the
// frames, the application) until a target takes it, and update handlers
// decide whether menu items and buttons are enabled, checked or relabelled.
#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>

#include <functional>
#include <vector>

// The state an update handler gives a command's menu items and buttons.
class CCmdUI {
public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    void Enable(bool on = true) { m_bEnabled = on; m_bEnableChanged = true; }
    void SetCheck(int check = 1) { m_nCheck = check; }
    void SetRadio(bool on = true) { m_nCheck = on ? 1 : 0; }
    void SetText(const QString& text) { m_strText = text; m_bTextChanged = true; }

    UINT m_nID;
    bool m_bEnabled = true;
    bool m_bEnableChanged = false;
    int m_nCheck = 0;
    QString m_strText;
    bool m_bTextChanged = false;
};

enum class CmdMode {
    Execute, // run the command
    Update,  // run its update handler
    Probe,   // only tell whether a command handler exists
};

class CCmdTarget : public CObject {
public:
    // True when this target (or one it routes to) has a handler for the id in
    // the given mode; in Execute and Update mode the handler has run.
    virtual bool OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui);

protected:
    void OnCommand(UINT id, std::function<void()> handler);
    void OnCommandRange(UINT first, UINT last, std::function<void(UINT)> handler);
    void OnUpdate(UINT id, std::function<void(CCmdUI*)> handler);
    void OnUpdateRange(UINT first, UINT last, std::function<void(CCmdUI*)> handler);

private:
    struct CommandEntry {
        UINT first;
        UINT last;
        std::function<void(UINT)> handler;
    };
    struct UpdateEntry {
        UINT first;
        UINT last;
        std::function<void(CCmdUI*)> handler;
    };
    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
};

// The start of the routing chain and the entry for every menu item, button
// and accelerator.
class CommandRouter {
public:
    virtual ~CommandRouter() = default;
    // Offers the id to the chain in order; true when someone handled it.
    virtual bool RouteCmdMsg(UINT id, CmdMode mode, CCmdUI* ui) = 0;

    // The state of a command: its update handler's answer; without one, the
    // command is enabled exactly when some target handles it.
    CCmdUI QueryState(UINT id);
    // Runs the command when it is enabled; true when it ran.
    bool Execute(UINT id);
};

void SetCommandRouter(CommandRouter* router);
CommandRouter* GetCommandRouter();

// A command the user chose with a widget (a menu item, a toolbar or bar
// button, a key) runs once that widget has returned from the event that
// chose it: commands rebuild menus, bars and frames, and a widget freed
// while its own event handler still runs takes the program down. Whether
// the command is enabled is asked when it runs, so one disabled meanwhile
// does nothing.
void PostCommand(UINT id);
// Runs the call from the event loop, after the event being handled now has
// returned (at once when there is no event loop).
void PostToEventLoop(std::function<void()> call);
