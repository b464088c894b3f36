#pragma once
// The application's style with the title bars' icons made once: each child
// frame's subwindow asks for them when it is made (its system menu and its
// menu button), and the style would read their pictures from the resources
// anew each time.
#include <QIcon>
#include <QProxyStyle>

#include <map>

class QtTitleBarIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit QtTitleBarIconStyle(QStyle* base);
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // Makes the application's style one that keeps the icons, once.
    static void Install();

private:
    mutable std::map<StandardPixmap, QIcon> m_icons;
};
