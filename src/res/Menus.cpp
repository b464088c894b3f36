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
              Popup("&Help", {Item("&Contents", 57667), Separator(), Item("&About RQT4P-VEDID-E...", 57664)}),
          }}},
    };
    return menus;
}

const std::map<UINT, std::vector<Accelerator>>& Accelerators()
{
    static const std::map<UINT, std::vector<Accelerator>> tables = {
        {2,
         {
             {QStringLiteral("Ctrl+N"), 57600},
             {QStringLiteral("Ctrl+O"), 57601},
             {QStringLiteral("F1"), 57670},
             {QStringLiteral("Shift+F1"), 57669},
         }},
    };
    return tables;
}

const std::map<UINT, ToolbarResource>& Toolbars() 
{
    static const std::map<UINT, ToolbarResource> toolbars = {};
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
