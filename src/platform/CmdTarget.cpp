#include "platform/CmdTarget.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {
CommandRouter* g_router = nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui)
{
    if (mode == CmdMode::Update) {
        for (const UpdateEntry& e : m_updates) {
            if (id >= e.first && id <= e.last) {
                if (ui != nullptr) e.handler(ui);
                return true;
            }
        }
        return false;
    }
    for (const CommandEntry& e : m_commands) {
        if (id >= e.first && id <= e.last) {
            if (mode == CmdMode::Execute) {
                // A copy: the handler may destroy this target.
                auto handler = e.handler;
                handler(id);
            }
            return true;
        }
    }
    return false;
}

void CCmdTarget::OnCommand(UINT id, std::function<void()> handler)
{
    m_commands.push_back({id, id, [h = std::move(handler)](UINT) { h(); }});
}

void CCmdTarget::OnCommandRange(UINT first, UINT last, std::function<void(UINT)> handler)
{
    m_commands.push_back({first, last, std::move(handler)});
}

void CCmdTarget::OnUpdate(UINT id, std::function<void(CCmdUI*)> handler)
{
    m_updates.push_back({id, id, std::move(handler)});
}

void CCmdTarget::OnUpdateRange(UINT first, UINT last, std::function<void(CCmdUI*)> handler)
{
    m_updates.push_back({first, last, std::move(handler)});
}

CCmdUI CommandRouter::QueryState(UINT id)
{
    CCmdUI ui(id);
    if (RouteCmdMsg(id, CmdMode::Update, &ui) && ui.m_bEnableChanged) return ui;
    ui.m_bEnabled = RouteCmdMsg(id, CmdMode::Probe, nullptr);
    return ui;
}

bool CommandRouter::Execute(UINT id)
{
    if (!QueryState(id).m_bEnabled) return false;
    return RouteCmdMsg(id, CmdMode::Execute, nullptr);
}

void SetCommandRouter(CommandRouter* router) { g_router = router; }
CommandRouter* GetCommandRouter() { return g_router; }

void PostToEventLoop(std::function<void()> call)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        call();
        return;
    }
    // The application object receives the call: it outlives every widget
    // and window a command may destroy.
    QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
}

void PostCommand(UINT id)
{
    PostToEventLoop([id] {
        if (CommandRouter* router = GetCommandRouter()) router->Execute(id);
    });
}
