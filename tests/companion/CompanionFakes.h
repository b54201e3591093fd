// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExitQuestion.h"
#include "TrayIcon.h"

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QStringList>

// A notification area that counts the icons put into it (every add is one more icon, as the desktop
// shell would show it) and lets a test click them.
struct FakeTray final : desktop::TrayIcon {
    bool available = true;
    int icons = 0;
    QIcon icon;
    QString tip;
    QPointer<QMenu> menu;
    QStringList *journal = nullptr;

    bool isAvailable() const override { return available; }
    void add(const QIcon &newIcon, const QString &newTip, QMenu *newMenu) override
    {
        ++icons;
        icon = newIcon;
        tip = newTip;
        menu = newMenu;
        note(QStringLiteral("add icon"));
    }
    void remove() override
    {
        if (icons > 0)
            --icons;
        note(QStringLiteral("remove icon"));
    }
    void click(QSystemTrayIcon::ActivationReason reason) { emit activated(reason); }

private:
    void note(const QString &entry) const
    {
        if (journal)
            journal->append(entry);
    }
};

// The confirmation "ARE YOU SURE ?" with a scripted answer.
struct AnsweringExitQuestion final : desktop::ExitQuestion {
    bool answer = false;
    int asked = 0;
    QStringList *journal = nullptr;

    bool confirmed(QWidget *) override
    {
        ++asked;
        if (journal)
            journal->append(QStringLiteral("exit question"));
        return answer;
    }
};
