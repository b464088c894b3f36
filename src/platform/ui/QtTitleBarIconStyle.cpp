#include "platform/ui/QtTitleBarIconStyle.h"

#include <QApplication>
#include <QStyleFactory>

namespace {
bool IsTitleBarIcon(QStyle::StandardPixmap icon)
{
    switch (icon) {
    case QStyle::SP_TitleBarMenuButton:
    case QStyle::SP_TitleBarMinButton:
    case QStyle::SP_TitleBarMaxButton:
    case QStyle::SP_TitleBarCloseButton:
    case QStyle::SP_TitleBarNormalButton:
    case QStyle::SP_TitleBarShadeButton:
    case QStyle::SP_TitleBarUnshadeButton:
    case QStyle::SP_TitleBarContextHelpButton: return true;
    default: return false;
    }
}
} // namespace

QtTitleBarIconStyle::QtTitleBarIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon QtTitleBarIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    // Only the title bars' icons, which look the same for every window.
    if (option != nullptr || !IsTitleBarIcon(icon)) return QProxyStyle::standardIcon(icon, option, widget);
    auto it = m_icons.find(icon);
    if (it == m_icons.end()) it = m_icons.emplace(icon, QProxyStyle::standardIcon(icon, nullptr, widget)).first;
    return it->second;
}

void QtTitleBarIconStyle::Install()
{
    if (qobject_cast<QtTitleBarIconStyle*>(QApplication::style()) != nullptr) return;
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    if (base == nullptr) return;
    // The application owns the style it is given and the style its base.
    QApplication::setStyle(new QtTitleBarIconStyle(base));
}
