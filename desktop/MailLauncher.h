// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

namespace desktop {

// Hands a mailto: link to the desktop's mail handler. Reports whether a handler could be started.
class MailLauncher {
public:
    virtual ~MailLauncher() = default;
    virtual bool open(const QUrl &mailLink) = 0;
};

class DesktopMailLauncher final : public MailLauncher {
public:
    bool open(const QUrl &mailLink) override;
};

// "mailto:" + address + the subject and body, each percent-encoded (blanks become %20).
QUrl supportMailLink(const QString &address, const QString &subject, const QString &body);

} // namespace desktop
