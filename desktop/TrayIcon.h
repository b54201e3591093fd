// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

class QIcon;
class QMenu;

namespace desktop {

// The program's one icon in the desktop's notification area. The desktop pops the icon's menu up itself
// on a right click; every click on the icon is reported through activated().
class TrayIcon : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether the desktop has a notification area: without one an added icon is never seen.
    virtual bool isAvailable() const = 0;
    // Puts the icon into the notification area; an icon that is already there is replaced.
    virtual void add(const QIcon &icon, const QString &tip, QMenu *menu) = 0;
    // Takes the icon out of the notification area; without an icon nothing happens.
    virtual void remove() = 0;

signals:
    void activated(QSystemTrayIcon::ActivationReason reason);
};

// The desktop's notification area through QSystemTrayIcon, one icon object for each add.
class SystemTrayIcon final : public TrayIcon {
    Q_OBJECT

public:
    using TrayIcon::TrayIcon;

    bool isAvailable() const override;
    void add(const QIcon &icon, const QString &tip, QMenu *menu) override;
    void remove() override;

private:
    QPointer<QSystemTrayIcon> m_icon;
};

} // namespace desktop
