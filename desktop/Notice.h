// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

namespace desktop {

// A plain warning for the user, over the window it concerns.
class Notice {
public:
    virtual ~Notice() = default;
    virtual void warn(QWidget *parent, const QString &text) = 0;
};

class MessageBoxNotice final : public Notice {
public:
    void warn(QWidget *parent, const QString &text) override;
};

} // namespace desktop
