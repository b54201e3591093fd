// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace desktop {

struct PrintOutcome {
    bool printed = false;
    QString error; // what went wrong, in words for the user, when nothing was printed
};

// Prints an image of a window's client area with its visible controls on one page, scaled to fit
// with its proportions kept and centred.
PrintOutcome printWindowImage(QWidget *window, QPrinter &printer);

// The printing of a window image on the system's default printer, without a dialog.
class WindowPrinter {
public:
    virtual ~WindowPrinter() = default;
    virtual PrintOutcome print(QWidget *window) = 0;
};

class DefaultPrinter final : public WindowPrinter {
public:
    PrintOutcome print(QWidget *window) override;
};

} // namespace desktop
