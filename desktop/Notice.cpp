#include "Notice.h"

#include <QMessageBox>

namespace desktop {

void MessageBoxNotice::warn(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, QStringLiteral("VARNELOX"), text);
}

} // namespace desktop
