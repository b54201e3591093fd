// SPDX-License-Identifier: GPL-3.0-or-later
#include "Texts.h"

namespace resources {

QString mainWindowCaption()
{
    return QStringLiteral("VARNELOX VERS. 4.0 - THE AERONAUTICAL CHARTS ALWAYS WITH YOU");
}

QString companionWindowCaption()
{
    return mainWindowCaption() + u' ';
}

QString aboutText()
{
    return QStringLiteral(
               u"Varnelox VERSION 4.0  is a new \u2018stand-alone\u2019 Windows utility for Flight "
               u"Simulators allowing a number of airport charts to be stored and available on screen "
               u"whilst still flying. If you have any questions or suggestions, or any other support "
               u"issues concerning this software please send an Email to:") +
           QString(53, u' ') +
           QStringLiteral(
               u"Varnelox is a Windows programme which minimises to the System Tray, it cannot be run "
               u"when running Flight Simulator in \u2018Full Screen\u2019 mode, only when the simulator "
               u"is being run within Windows.") +
           QString(60, u' ') + QStringLiteral(u"Written by the Varnelox developers, 2026.");
}

QString supportAddress()
{
    return QStringLiteral("support@varnelox.example");
}

} // namespace resources
