#pragma once
// Binds menu, accelerator and toolbar resources to Qt: every action carries
// its command id, runs it through the routing chain and takes its enabled,
// checked and text state from the update handlers.
#include "platform/MenuResource.h"

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

void FillMenuBar(QMenuBar* bar, const MenuResource& menu);
void FillMenu(QMenu* menu, const std::vector<MenuItem>& items);
void FillToolBar(QToolBar* bar, const ToolbarResource& toolbar);
void InstallAccelerators(QWidget* window, const std::vector<Accelerator>& table);

// Asks the routing chain for the state of every command action under the
// widget (menus, toolbars) and applies it.
void UpdateCommandActions(QWidget* root);
void UpdateCommandAction(QAction* action);
