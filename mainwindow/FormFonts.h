// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace mainwindow {

// The fonts of the window tables, by what they are used for.
enum class FontRole {
    Default,      // buttons: MS Sans Serif 8.25
    FrameLarge,   // frame captions: MS Sans Serif 9.75 bold
    FrameSmall,   // frame captions: MS Sans Serif 8.25 bold
    HeadingEntry, // "ICAO CODE", "HEIGHT": Times New Roman 14.25 bold
    HeadingName,  // "AIRPORT NAME": Times New Roman 15.75 bold
    HeadingGrid,  // data grid headings: Times New Roman 11.25 bold
    GridCell,     // data grid cells: Arial 14.25 bold
    EntryBox,     // the code box: Arial 18 bold
    OptionButton, // chart categories: Arial 9.75 bold
    Panel,        // information panel: MS Sans Serif 12 bold
    PanelLink,    // the support address: MS Sans Serif 12 bold underlined
};

QFont formFont(FontRole role);

} // namespace mainwindow
