#include "platform/ui/QtCommands.h"

#include "platform/CmdTarget.h"
#include "platform/Help.h"
#include "platform/Resources.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {
const char* const kCommandProperty = "kinetraceCommand";
const char* const kTextProperty = "kinetraceText";
const char* const kAcceleratorProperty = "kinetraceAccelerator";
const char* const kWindowListProperty = "kinetraceWindowList";

bool IsWindowListCommand(UINT id)
{
    return id >= kFirstWindowListCommand && id < kFirstWindowListCommand + kMaxWindowListEntries;
}

// The bar's menus and the ones it dropped while some menu was inside an
// event: a dropped menu goes only once no menu is, so a menu bar rebuilt
// while a menu is open (its own item's command, an activation that comes
// in meanwhile) never frees that menu under the code still running in it.
int g_menuEventDepth = 0;

std::vector<QPointer<QMenu>>& RetiredMenus()
{
    static std::vector<QPointer<QMenu>> menus;
    return menus;
}

void ReleaseRetiredMenus()
{
    std::vector<QPointer<QMenu>> menus;
    menus.swap(RetiredMenus());
    for (const QPointer<QMenu>& menu : menus)
        if (menu) menu->deleteLater();
}

void RetireMenu(QMenu* menu)
{
    menu->hide();
    if (g_menuEventDepth == 0) {
        menu->deleteLater();
    } else {
        RetiredMenus().emplace_back(menu);
    }
}

// The help of a command: its page, shown once the widget that asked has
// returned from its event.
void ShowCommandHelp(UINT id)
{
    PostToEventLoop([id] {
        if (id != 0) {
            AfxWinHelp(HID_BASE_COMMAND + id);
        } else {
            AfxHelpContents();
        }
    });
}

// Every open menu closes, as choosing an item would close them.
void CloseMenus()
{
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

class CommandMenu : public QMenu {
public:
    CommandMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

protected:
    bool event(QEvent* event) override
    {
        ++g_menuEventDepth;
        const bool handled = HandleHelp(event) || QMenu::event(event);
        if (--g_menuEventDepth == 0) ReleaseRetiredMenus();
        return handled;
    }

private:
    // F1 on a highlighted item, and a click on an item in the help mode of
    // Shift+F1, show that item's command.
    bool HandleHelp(QEvent* event)
    {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
            const UINT id = CommandIdOf(activeAction());
            CloseMenus();
            ShowCommandHelp(id);
            return true;
        }
        case QEvent::QueryWhatsThis: event->setAccepted(actionAt(static_cast<QHelpEvent*>(event)->pos()) != nullptr); return true;
        case QEvent::WhatsThis: {
            const UINT id = CommandIdOf(actionAt(static_cast<QHelpEvent*>(event)->pos()));
            CloseMenus();
            ShowCommandHelp(id);
            event->accept();
            return true;
        }
        default: return false;
        }
    }
};

// A toolbar button in the help mode of Shift+F1 shows its command's help.
class ToolButtonHelp : public QObject {
public:
    static ToolButtonHelp& Instance()
    {
        static ToolButtonHelp filter;
        return filter;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::QueryWhatsThis && event->type() != QEvent::WhatsThis) return false;
        auto* button = qobject_cast<QToolButton*>(watched);
        const UINT id = button != nullptr ? CommandIdOf(button->defaultAction()) : 0;
        if (id == 0) return false;
        if (event->type() == QEvent::WhatsThis) ShowCommandHelp(id);
        event->accept();
        return true;
    }
};
} // namespace

UINT CommandIdOf(const QAction* action)
{
    return action == nullptr ? 0 : action->property(kCommandProperty).toUInt();
}

QAction* MakeCommandAction(const QString& text, UINT id, QObject* parent)
{
    auto* action = new QAction(text, parent);
    action->setProperty(kCommandProperty, id);
    action->setProperty(kTextProperty, text);
    QObject::connect(action, &QAction::triggered, action, [id] { PostCommand(id); });
    return action;
}

void UpdateCommandAction(QAction* action)
{
    const UINT id = CommandIdOf(action);
    CommandRouter* router = GetCommandRouter();
    if (id == 0 || router == nullptr) return;
    const CCmdUI state = router->QueryState(id);
    action->setEnabled(state.m_bEnabled);
    action->setCheckable(state.m_nCheck != 0 || action->isCheckable());
    action->setChecked(state.m_nCheck != 0);
    if (state.m_bTextChanged) action->setText(state.m_strText);
    if (IsWindowListCommand(id)) action->setVisible(!action->text().isEmpty());
}

void FillMenu(QMenu* menu, const std::vector<MenuItem>& items, const QStringList& recentFiles)
{
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            auto* popup = new CommandMenu(item.text, menu);
            menu->addMenu(popup);
            FillMenu(popup, item.items, recentFiles);
        } else if (item.id == kFirstRecentFileCommand && !recentFiles.isEmpty()) {
            const int count = std::min<int>(static_cast<int>(recentFiles.size()), kMaxRecentFiles);
            for (int i = 0; i < count; ++i) {
                // "&" in a path would become a mnemonic.
                QString path = QDir::toNativeSeparators(recentFiles[i]);
                path.replace(u'&', QStringLiteral("&&"));
                menu->addAction(MakeCommandAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path),
                                                  kFirstRecentFileCommand + static_cast<UINT>(i), menu));
            }
        } else if (item.id == kFirstWindowListCommand) {
            QAction* separator = menu->addSeparator();
            separator->setProperty(kWindowListProperty, true);
            separator->setVisible(false);
            for (int i = 0; i < kMaxWindowListEntries; ++i) {
                QAction* entry = MakeCommandAction(QString(), kFirstWindowListCommand + static_cast<UINT>(i), menu);
                entry->setVisible(false);
                menu->addAction(entry);
            }
        } else {
            // Accelerators are bound separately; the text after the tab only
            // shows the key.
            menu->addAction(MakeCommandAction(item.text, item.id, menu));
        }
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] {
        for (QAction* action : menu->actions()) UpdateCommandAction(action);
        // The window list's separator stands only above entries.
        bool anyWindow = false;
        for (QAction* action : menu->actions())
            anyWindow = anyWindow || (IsWindowListCommand(CommandIdOf(action)) && action->isVisible());
        for (QAction* action : menu->actions())
            if (action->property(kWindowListProperty).toBool()) action->setVisible(anyWindow);
    });
}

void FillMenuBar(QMenuBar* bar, const MenuResource& menu, const QStringList& recentFiles)
{
    // The old popups go with their items, so switching menus leaves nothing
    // behind.
    for (QAction* action : bar->actions())
        if (QMenu* popup = action->menu()) RetireMenu(popup);
    bar->clear();
    for (const MenuItem& popup : menu.popups) {
        if (popup.IsPopup()) {
            auto* menuWidget = new CommandMenu(popup.text, bar);
            bar->addMenu(menuWidget);
            FillMenu(menuWidget, popup.items, recentFiles);
        } else if (!popup.IsSeparator()) {
            bar->addAction(MakeCommandAction(popup.text, popup.id, bar));
        }
    }
}

void FillToolBar(QToolBar* bar, const ToolbarResource& toolbar, const ToolbarControlFactory& makeControl)
{
    const QImage strip = LoadBitmapResource(toolbar.bitmap);
    int image = 0;
    for (const ToolbarButton& button : toolbar.buttons) {
        if (button.width > 0) {
            if (makeControl) {
                if (QWidget* control = makeControl(button, bar)) bar->addWidget(control);
            }
            continue;
        }
        if (button.id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = MakeCommandAction(button.tip, button.id, bar);
        action->setToolTip(button.tip);
        if (!strip.isNull() && (image + 1) * 16 <= strip.width())
            action->setIcon(QIcon(QPixmap::fromImage(strip.copy(image * 16, 0, 16, strip.height()))));
        ++image;
        bar->addAction(action);
        if (QWidget* button = bar->widgetForAction(action)) button->installEventFilter(&ToolButtonHelp::Instance());
    }
}

void InstallAccelerators(QWidget* window, const std::vector<Accelerator>& table)
{
    for (QShortcut* old : window->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
        if (old->property(kAcceleratorProperty).toBool()) delete old;
    for (const Accelerator& a : table) {
        auto* shortcut = new QShortcut(QKeySequence(a.key), window);
        shortcut->setProperty(kAcceleratorProperty, true);
        shortcut->setContext(Qt::WindowShortcut);
        const UINT id = a.id;
        QObject::connect(shortcut, &QShortcut::activated, window, [id] { PostCommand(id); });
    }
}

void UpdateCommandActions(QWidget* root)
{
    for (QAction* action : root->findChildren<QAction*>())
        if (CommandIdOf(action) != 0) UpdateCommandAction(action);
}
