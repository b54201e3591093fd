// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace resources {

QString mainWindowCaption();      // frmMain: no trailing blank
QString companionWindowCaption(); // frmFS9: the same with one trailing blank
QString aboutText();              // the information panel's text, blanks and quotes as they stand
QString supportAddress();         // the author's support address shown in the information panel

} // namespace resources
