// Menus, accelerators and toolbars of the main window.
#include "platform/MenuResource.h"

#include <map>

namespace {
MenuItem Item(const char* text, UINT id) { return MenuItem{QString::fromLatin1(text), id, {}}; }
MenuItem Separator() { return MenuItem{}; }
MenuItem Popup(const char* text, std::vector<MenuItem> items)
{
    return MenuItem{QString::fromLatin1(text), 0, std::move(items)};
}

// The File menu of a document: the no-document items and the document's own.
MenuItem DocumentFileMenu()
{
    return Popup("&File", {Item("&New\tCtrl+N", 57600), Item("&Open...\tCtrl+O", 57601), Item("&Close", 32043),
                           Item("&Save\tCtrl+S", 57603), Item("Save &As...", 57604), Separator(),
                           Item("Import &Text", 32059), Item("&Export Text", 32058), Separator(),
                           Item("&Print...\tCtrl+P", 57607), Item("Print Pre&view", 57609),
                           Item("P&rint Setup...", 57606), Separator(), Item("Recent File", 57616), Separator(),
                           Item("E&xit", 57665)});
}

MenuItem EditMenu()
{
    return Popup("&Edit", {Item("&Undo\tCtrl+Z", 57643), Item("&Redo\tCtrl+Y", 57644), Separator(),
                           Item("Cu&t\tCtrl+X", 57635), Item("&Copy\tCtrl+C", 57634), Item("&Paste\tCtrl+V", 57637),
                           Item("&Delete\tDel", 32004), Separator(), Item("Select &All\tCtrl+A", 57642)});
}

MenuItem DocumentViewMenu()
{
    return Popup("&View", {Item("Standard &Toolbar", 59392), Item("KZ-&QW Toolbar", 32074),
                           Item("&Drawing Toolbar", 32005), Item("&Accessories Toolbar", 32006),
                           Item("&Status Bar", 59393), Separator(),
                           Popup("&Zoom ", {Item("Zoom Large size [Ctrl + PgUp]", 32066), Item("150%  Zoom", 32067),
                                            Item("Zoom Normal size [Ctrl + Home]", 32068), Item("75%  Zoom", 32069),
                                            Item("50%  Zoom [Ctrl + PgDown]", 32070), Item("25%  Zoom", 32071),
                                            Item("Zoom Small size", 32072)})});
}

MenuItem ToolsMenu()
{
    return Popup("&Tools", {Item("Search by &Comment...", 32026), Item("Search by &Number...", 32077), Separator(),
                            Item("Used &Memory", 32021), Separator(), Item("Change &Base Color", 32054)});
}

// The controller menu of a document; it stays usable while monitoring.
MenuItem ControllerMenu()
{
    return Popup("KZ-&QW",
                 {Item("&Write to DA-ZU", 32033), Item("&Read from DA-ZU", 32034),
                  Item("&Verify DA-ZU data with Program", 32035), Item("&Diagnosis of DA-ZU", 32039),
                  Item("&Initialize  DA-ZU contents", 32036), Separator(),
                  Popup("&Monitor", {Item("&Start", 32037), Item("S&top", 32038), Separator(),
                                     Item("Program in Text &X-Axis", 32894), Item("Program in Text &Y-Axis", 32897),
                                     Item("Program in Text S&ubtask", 32896), Separator(),
                                     Item("Set &Default Position", 32898), Item("Tune System &Response", 32900)}),
                  Separator(), Item("&Com Port", 32015)});
}

MenuItem ParametersMenu()
{
    return Popup("&Parameters",
                 {Popup("&System", {Item("&System", 32008), Item("Sub &task", 32009)}),
                  Popup("&Positioning",
                        {Item("&Units", 32010), Item("S&peed", 32012), Item("&Machine Zero", 32013),
                         Item("&Settings", 32014)}),
                  Popup("I/O &Control", {Item("&Program Number", 32028), Item("M &Code", 32029),
                                         Item("&Manual Pulse Generator", 32030), Item("&Absolute Position", 32031),
                                         Item("&Others", 32065)}),
                  Separator(), Item("&Initialize", 32016), Item("Show &All", 32017)});
}

// The list of open windows follows the first three items.
MenuItem WindowMenu()
{
    return Popup("&Window", {Item("&Cascade", 57650), Item("&Tile", 57651), Item("Close &All", 32019),
                             Item("", kFirstWindowListCommand)});
}

MenuItem HelpMenu()
{
    return Popup("&Help", {Item("&Contents", 57667), Separator(), Item("&About RQT4P-VEDID-E...", 57664)});
}

MenuItem InsertMenu()
{
    return Popup("&Insert", {Item("C&urrent Position", 32889), Item("&Plotting", 32883), Item("&Device Status", 32884),
                             Item("&Manual Operation", 32885), Item("Manual Input &Status", 32886),
                             Item("KZ-&QW Status", 32887), Item("P&rogram Information", 32888), Separator(),
                             Item("Insert &New Object...", 57856)});
}

const std::map<UINT, MenuResource>& Menus()
{
    static const std::map<UINT, MenuResource> menus = {
        // The main window without a document.
        {2,
         {2,
          {
              Popup("&File", {Item("&New\tCtrl+N", 57600), Item("&Open...\tCtrl+O", 57601), Separator(),
                              Item("Import &Text", 32892), Separator(), Item("P&rint Setup...", 57606), Separator(),
                              Item("Recent File", 57616), Separator(), Item("E&xit", 57665)}),
              Popup("KZ-&QW", {Item("&Read from DA-ZU", 32034), Item("&Com Port", 32015)}),
              Popup("&View", {Item("Standard &Toolbar", 59392), Item("&Status Bar", 59393)}),
              HelpMenu(),
          }}},
        // A flow chart is active.
        {1002,
         {1002,
          {DocumentFileMenu(), EditMenu(), DocumentViewMenu(), ToolsMenu(), ControllerMenu(), ParametersMenu(),
           WindowMenu(), HelpMenu()}}},
        // The monitor window is active.
        {1003,
         {1003,
          {DocumentFileMenu(), EditMenu(), DocumentViewMenu(), InsertMenu(), ToolsMenu(), ControllerMenu(),
           ParametersMenu(), WindowMenu(), HelpMenu()}}},
        // The workspace tree's item menu.
        {1004,
         {1004,
          {Popup("WorkSpace", {Item("&New Flow Chart", 32063), Item("&New Subtask", 32064), Item("&Update", 32041),
                               Item("&Delete", 32042)})}}},
    };
    return menus;
}

// One table serves the main window with and without a document.
const std::map<UINT, std::vector<Accelerator>>& Accelerators()
{
    static const std::map<UINT, std::vector<Accelerator>> tables = {
        {2,
         {
             {QStringLiteral("Ctrl+N"), 57600},
             {QStringLiteral("Ctrl+O"), 57601},
             {QStringLiteral("Ctrl+S"), 57603},
             {QStringLiteral("Ctrl+P"), 57607},
             {QStringLiteral("Ctrl+Z"), 57643},
             {QStringLiteral("Ctrl+Y"), 57644},
             {QStringLiteral("Ctrl+X"), 57635},
             {QStringLiteral("Ctrl+C"), 57634},
             {QStringLiteral("Ctrl+Ins"), 57634},
             {QStringLiteral("Ctrl+V"), 57637},
             {QStringLiteral("Shift+Ins"), 57637},
             {QStringLiteral("Del"), 32004},
             {QStringLiteral("Ctrl+A"), 57642},
             {QStringLiteral("Ctrl+PgUp"), 32066},
             {QStringLiteral("Ctrl+Home"), 32068},
             {QStringLiteral("Ctrl+PgDown"), 32070},
             {QStringLiteral("Return"), 32891},
             {QStringLiteral("Enter"), 32891}, // the keypad's
             {QStringLiteral("Esc"), 32003},
             {QStringLiteral("F1"), 57670},
             {QStringLiteral("Shift+F1"), 57669},
         }},
    };
    return tables;
}

const std::map<UINT, ToolbarResource>& Toolbars()
{
    static const std::map<UINT, ToolbarResource> toolbars = {
        // The standard toolbar; slot 9 holds the zoom box.
        {2,
         {2,
          2,
          {{57600, QStringLiteral("New")},
           {57601, QStringLiteral("Open")},
           {57603, QStringLiteral("Save")},
           {57635, QStringLiteral("Cut")},
           {57634, QStringLiteral("Copy")},
           {57637, QStringLiteral("Paste")},
           {57607, QStringLiteral("Print")},
           {57664, QStringLiteral("About")},
           {57669, QStringLiteral("Help")},
           {32079, QString(), 70},
           {32073, QStringLiteral("Align Objects")},
           {32034, QStringLiteral("Read from DA-ZU")}}}},
        // The controller toolbar.
        {1007,
         {1007,
          1007,
          {{32033, QStringLiteral("Write to DA-ZU")},
           {32035, QStringLiteral("Verify DA-ZU data")},
           {32039, QStringLiteral("Diagnosis of DA-ZU")},
           {0, QString()},
           {32890, QStringLiteral("Start / Stop Monitoring")},
           {32898, QStringLiteral("Set Default Position")}}}},
        // The drawing toolbar of the monitor window.
        {1005,
         {1005,
          1005,
          {{32020, QStringLiteral("Line")},
           {32022, QStringLiteral("Rectangle")},
           {32023, QStringLiteral("Oval")},
           {0, QString()},
           {32024, QStringLiteral("Thin Line")},
           {32025, QStringLiteral("Medium Line")},
           {32076, QStringLiteral("Thick Line")},
           {0, QString()},
           {32027, QStringLiteral("Line Color")},
           {32075, QStringLiteral("Brush Color")}}}},
    };
    return toolbars;
}
} // namespace

const MenuResource* FindMenuResource(UINT id)
{
    auto it = Menus().find(id);
    return it == Menus().end() ? nullptr : &it->second;
}

const std::vector<Accelerator>* FindAcceleratorTable(UINT id)
{
    auto it = Accelerators().find(id);
    return it == Accelerators().end() ? nullptr : &it->second;
}

const ToolbarResource* FindToolbarResource(UINT id)
{
    auto it = Toolbars().find(id);
    return it == Toolbars().end() ? nullptr : &it->second;
}
