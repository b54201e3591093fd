// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace desktop {

// The program's one confirmation: "ARE YOU SURE ?" titled "EXIT", Yes and No with the question icon,
// Yes the default. Both windows' exit commands ask it.
class ExitQuestion {
public:
    virtual ~ExitQuestion() = default;
    virtual bool confirmed(QWidget *parent) = 0;
};

class MessageBoxExitQuestion final : public ExitQuestion {
public:
    bool confirmed(QWidget *parent) override;
};

} // namespace desktop
