// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace desktop {

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // No clamping: a window larger than the screen gets a negative position.
    const QRect area = screen->geometry();
    const QSize outer = window->frameGeometry().size();
    window->move(area.left() + (area.width() - outer.width()) / 2,
                 area.top() + (area.height() - outer.height()) / 2);
}

bool fitsOnAScreen(const QRect &geometry)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&geometry](const QScreen *screen) {
        return screen->availableGeometry().contains(geometry);
    });
}

void setTopMost(QWidget *window, bool onTop)
{
    // On a shown window setWindowFlag() would re-create it hidden; the QWindow flag is set in place.
    if (QWindow *handle = window->windowHandle(); handle && window->isVisible())
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    else
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
}

void bringToForeground(QWidget *window)
{
    window->raise();
    window->activateWindow();
}

} // namespace desktop
