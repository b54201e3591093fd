// SPDX-License-Identifier: GPL-3.0-or-later
#include "Notice.h"

#include <QMessageBox>

namespace desktop {

void MessageBoxNotice::warn(QWidget *parent, const QString &text)
{
    // Warnings name files and folders, which are shown as they are, never read as markup.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("VARNELOX"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace desktop
