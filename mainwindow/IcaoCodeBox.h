// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace mainwindow {

// The airport code box: at most four characters; typed letters a to z come out as capitals, and a key
// held with Alt or Ctrl types nothing. Text that arrives any other way (pasted, or set by the program)
// keeps its case.
class IcaoCodeBox final : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int MaxCodeLength = 4;

    explicit IcaoCodeBox(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override; // txtIcao_KeyPress
};

} // namespace mainwindow
