// Every help context the program can raise leads to a page of its own:
// each dialog, the views and bars, each chart object and palette symbol, and
// each command of the menus, toolbars, keys and palette bars. The pages'
// own links and anchors hold together.
#include "app/HOXWorkspaceBar.h"
#include "app/PaletteTools.h"
#include "chart/HOXView.h"
#include "online/monitor/HOXManInputPlcDlg.h"
#include "online/monitor/HOXManOpernDlg.h"
#include "online/monitor/HOXMonDevStatDlg.h"
#include "online/monitor/HOXWordInputDlg.h"
#include "platform/Help.h"
#include "platform/MenuResource.h"
#include "plc/HOXFounSeq1Dlg.h"
#include "plc/HOXFounSeq2Dlg.h"
#include "plc/HOXKzPlcDlg.h"
#include "plc/HOXMcodeKzPlcDlg.h"
#include "res/CommandIds.h"
#include "symbols/operand/HOXSelWordDevDlg.h"
#include "symbols/operand/HOXSelectBitDeviceDlg.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

std::set<UINT> TemplateIds()
{
    std::set<UINT> ids;
    QDirIterator files(QStringLiteral(":/res/dialogs"), {QStringLiteral("*.json")}, QDir::Files);
    while (files.hasNext()) ids.insert(QFileInfo(files.next()).baseName().toUInt());
    return ids;
}

void CollectMenu(const std::vector<MenuItem>& items, std::set<UINT>& ids)
{
    for (const MenuItem& item : items) {
        if (item.IsPopup()) {
            CollectMenu(item.items, ids);
        } else if (item.id == kFirstRecentFileCommand) {
            for (UINT i = 0; i < 16; ++i) ids.insert(kFirstRecentFileCommand + i);
        } else if (item.id == kFirstWindowListCommand) {
            for (int i = 0; i < kMaxWindowListEntries; ++i) ids.insert(kFirstWindowListCommand + static_cast<UINT>(i));
        } else if (!item.IsSeparator()) {
            ids.insert(item.id);
        }
    }
}

// Every command a user can reach: menu items, toolbar buttons and the zoom
// box, keys, and the buttons of the palette bars.
std::set<UINT> CommandIds()
{
    std::set<UINT> ids;
    for (UINT menu : {IDR_MAINFRAME, IDR_FLOWCHART, IDR_MONITOR, IDR_WORKSPACE_MENU}) {
        const MenuResource* resource = FindMenuResource(menu);
        EXPECT_NE(resource, nullptr) << menu;
        if (resource != nullptr) CollectMenu(resource->popups, ids);
    }
    for (UINT bar : {IDR_MAINFRAME, IDR_CONTROLLER_BAR, IDR_DRAWING_BAR}) {
        const ToolbarResource* resource = FindToolbarResource(bar);
        EXPECT_NE(resource, nullptr) << bar;
        if (resource == nullptr) continue;
        for (const ToolbarButton& button : resource->buttons)
            if (button.id != 0) ids.insert(button.id);
    }
    if (const auto* keys = FindAcceleratorTable(IDR_MAINFRAME))
        for (const Accelerator& key : *keys) ids.insert(key.id);
    for (UINT id : {ID_FLOW_GROUP, ID_CODE_GROUP, ID_FUNC_GROUP, ID_CONNECT_BUTTON, ID_PALETTE_UP, ID_PALETTE_DOWN,
                    ID_PALETTE_SLIDER})
        ids.insert(id);
    for (int group = 0; group < kPaletteGroups; ++group)
        for (const PaletteTool& tool : PaletteTools(group)) ids.insert(tool.id);
    return ids;
}

} // namespace

TEST(HelpContextsTest, EveryDialogHasAPage)
{
    // Windows without anything to ask about: the start-up logo, the timed
    // message, the progress windows and the running program's text. F1
    // there shows the contents.
    const std::set<UINT> silent = {2002, 2083, 385, 4081, 2082};
    const std::set<UINT> templates = TemplateIds();
    ASSERT_GT(templates.size(), 60u);
    for (UINT id : templates) {
        if (silent.count(id) != 0) {
            EXPECT_EQ(HelpPageOrFallback(HID_BASE_RESOURCE + id), HelpContentsPage()) << id;
            continue;
        }
        EXPECT_FALSE(HelpPageFor(HID_BASE_RESOURCE + id).isEmpty()) << "dialog " << id;
    }
    // The Help buttons that open a context of their own.
    for (UINT context :
         {CHOXSelectBitDeviceDlg::kHelpContext, CHOXSelWordDevDlg::kHelpContext, CHOXKzPlcDlg::kHelpContext,
          CHOXMcodeKzPlcDlg::kHelpContext, CHOXFounSeq1Dlg::kHelpContext, CHOXFounSeq2Dlg::kHelpContext,
          CHOXMonDevStatDlg::kHelpContext, CHOXManOpernDlg::kHelpContext, CHOXWordInputDlg::kHelpContext})
        EXPECT_FALSE(HelpPageFor(context).isEmpty()) << std::hex << context;
}

TEST(HelpContextsTest, EveryViewBarAndChartObjectHasAPage)
{
    for (UINT context : {HID_BASE_RESOURCE + IDR_FLOWCHART, HID_BASE_RESOURCE + IDR_MONITOR,
                         HID_BASE_RESOURCE + IDR_PREVIEW_BAR, CHOXWorkspaceBar::kHelpContext})
        EXPECT_FALSE(HelpPageFor(context).isEmpty()) << std::hex << context;
    int objects = 0;
    for (int type = 100; type < 1000; ++type) {
        const int context = CHOXView::HelpContextOfType(type);
        if (context == -1) continue;
        ++objects;
        EXPECT_FALSE(HelpPageFor(static_cast<UINT>(context)).isEmpty()) << "object type " << type;
    }
    EXPECT_GT(objects, 40);
    for (int group = 0; group < kPaletteGroups; ++group)
        for (const PaletteTool& tool : PaletteTools(group))
            EXPECT_FALSE(HelpPageFor(tool.helpContext).isEmpty()) << tool.caption;
}

TEST(HelpContextsTest, EveryCommandHasAPage)
{
    const std::set<UINT> commands = CommandIds();
    ASSERT_GT(commands.size(), 100u);
    for (UINT id : commands) EXPECT_FALSE(HelpPageFor(HID_BASE_COMMAND + id).isEmpty()) << "command " << id;
}

// Each anchor stands on one page only, and every link leads to a page.
TEST(HelpContextsTest, ThePagesLinksAndAnchorsHoldTogether)
{
    const QRegularExpression anchor(QStringLiteral("<a\\s+name=\"([^\"]+)\""));
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
    std::map<QString, QString> anchors;
    int pages = 0;
    QDirIterator files(QStringLiteral(":/res/help"), {QStringLiteral("*.html")}, QDir::Files);
    while (files.hasNext()) {
        const QString path = files.next();
        ++pages;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& m : anchor.globalMatch(text)) {
            const auto [it, fresh] = anchors.emplace(m.captured(1), path);
            EXPECT_TRUE(fresh) << m.captured(1).toStdString() << " on " << path.toStdString() << " and "
                               << it->second.toStdString();
        }
        for (const QRegularExpressionMatch& m : link.globalMatch(text))
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/res/help/") + m.captured(1)))
                << path.toStdString() << " links to " << m.captured(1).toStdString();
    }
    EXPECT_GT(pages, 60);
}
