#include "platform/ExitQuestion.h"

#include <QMessageBox>

namespace platform {

bool MessageBoxExitQuestion::confirmed(QWidget *parent)
{
    return QMessageBox::question(parent, QStringLiteral("EXIT"), QStringLiteral("ARE YOU SURE ?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace platform
