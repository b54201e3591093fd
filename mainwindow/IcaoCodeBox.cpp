// SPDX-License-Identifier: GPL-3.0-or-later
#include "IcaoCodeBox.h"

#include "Module1.h"

#include <QKeyEvent>

namespace mainwindow {

IcaoCodeBox::IcaoCodeBox(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(MaxCodeLength);
}

void IcaoCodeBox::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    // A key held with Alt is a command (an access key whose button is hidden, say), never a character of
    // the code. The line edit already types nothing for Ctrl alone, but does for Ctrl+Alt; Ctrl+V and
    // the other editing keys keep working.
    if ((event->modifiers() & Qt::AltModifier) && !typed.isEmpty() && typed.front().isPrint()) {
        event->ignore();
        return;
    }
    if (typed.size() == 1) {
        char16_t key = typed.front().unicode();
        if (session::Module1::KeyToUpper(key) != typed.front().unicode()) {
            QKeyEvent upper(event->type(), event->key(), event->modifiers(), QString(QChar(key)),
                            event->isAutoRepeat(), event->count());
            QLineEdit::keyPressEvent(&upper);
            event->setAccepted(upper.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace mainwindow
