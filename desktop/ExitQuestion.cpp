// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExitQuestion.h"

#include <QMessageBox>

namespace desktop {

bool MessageBoxExitQuestion::confirmed(QWidget *parent)
{
    return QMessageBox::question(parent, QStringLiteral("EXIT"), QStringLiteral("ARE YOU SURE ?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace desktop
