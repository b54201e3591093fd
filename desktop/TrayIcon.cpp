// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayIcon.h"

#include <QIcon>
#include <QMenu>

namespace desktop {

bool SystemTrayIcon::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayIcon::add(const QIcon &icon, const QString &tip, QMenu *menu)
{
    remove();
    m_icon = new QSystemTrayIcon(icon, this);
    m_icon->setToolTip(tip);
    m_icon->setContextMenu(menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    m_icon->show();
}

void SystemTrayIcon::remove()
{
    if (!m_icon)
        return;
    // The icon leaves the notification area at once; the object goes later, since the removal is usually
    // asked for from its own menu, while the desktop's menu code may still be running.
    m_icon->hide();
    m_icon->deleteLater();
    m_icon = nullptr;
}

} // namespace desktop
