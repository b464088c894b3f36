#pragma once
// Binds menu, accelerator and toolbar resources to Qt: every action carries
// its command id, runs it through the routing chain and takes its enabled,
// checked and text state from the update handlers.
#include "platform/MenuResource.h"

#include <QStringList>

#include <functional>

class QAction;
class QObject;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// The command id an action was made for (0 for other actions).
UINT CommandIdOf(const QAction* action);
// An action that runs the command.
QAction* MakeCommandAction(const QString& text, UINT id, QObject* parent);

constexpr int kMaxRecentFiles = 16;

// The recent files replace the menu's recent-file item, numbered "&1 path";
// without any the item stays as it is (and disabled, having no handler).
// The window-list item becomes a separator and nine entries, shown while
// their update handler gives them a text.
void FillMenuBar(QMenuBar* bar, const MenuResource& menu, const QStringList& recentFiles = {});
void FillMenu(QMenu* menu, const std::vector<MenuItem>& items, const QStringList& recentFiles = {});
// A slot with a width holds a control made by makeControl (none without it);
// such a slot takes no image of the toolbar's bitmap.
using ToolbarControlFactory = std::function<QWidget*(const ToolbarButton& slot, QToolBar* bar)>;
void FillToolBar(QToolBar* bar, const ToolbarResource& toolbar, const ToolbarControlFactory& makeControl = {});
// Shortcuts of the table on the window; the shortcuts an earlier call made
// there are removed first.
void InstallAccelerators(QWidget* window, const std::vector<Accelerator>& table);

// Asks the routing chain for the state of every command action under the
// widget (menus, toolbars) and applies it.
void UpdateCommandActions(QWidget* root);
void UpdateCommandAction(QAction* action);
