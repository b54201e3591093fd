// SPDX-License-Identifier: GPL-3.0-or-later
#include "MailLauncher.h"

#include <QDesktopServices>

namespace desktop {

bool DesktopMailLauncher::open(const QUrl &mailLink)
{
    return QDesktopServices::openUrl(mailLink);
}

QUrl supportMailLink(const QString &address, const QString &subject, const QString &body)
{
    const QByteArray encoded = "mailto:" + QUrl::toPercentEncoding(address, "@") +
                               "?subject=" + QUrl::toPercentEncoding(subject) +
                               "&body=" + QUrl::toPercentEncoding(body);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

} // namespace desktop
