#include "platform/Notice.h"

#include <QMessageBox>

namespace platform {

void MessageBoxNotice::warn(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, QStringLiteral("VARNELOX"), text);
}

} // namespace platform
