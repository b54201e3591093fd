// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Artwork.h"
#include "FormFonts.h"
#include "Twips.h"

#include <QColor>
#include <QString>
#include <optional>
#include <span>

class QWidget;

namespace mainwindow {

struct MainWindowControls;

// The window layouts are tables of rows, one table per container, positions and sizes in twips.
enum class ControlKind {
    Heading,          // a label with the window's blue background
    DataCell,         // an airport data grid cell
    TextBox,          // the airport code box
    PictureButton,    // a command button with its picture above the caption
    OptionButton,     // a chart category
    StretchedPicture, // a picture stretched to its box
    Box,              // a plain container
};

inline constexpr int NoIndex = -1;
inline const QColor FormBlue(128, 128, 255);

// Hands a created control to the member of MainWindowControls that the handlers drive it through; index is
// the row's array index.
using ControlBinder = void (*)(MainWindowControls &controls, QWidget *control, int index);

struct ControlRow {
    const char *name;
    int index = NoIndex; // element of a control array
    ControlKind kind;
    desktop::TwipsRect rect;
    const char16_t *caption = u"";
    FontRole font = FontRole::Default;
    Qt::Alignment align = Qt::AlignCenter;
    const char16_t *toolTip = nullptr;
    std::optional<resources::Picture> picture = std::nullopt;
    bool enabled = true;
    ControlBinder bind = nullptr;
};

// "lblRwy" with index 4 is "lblRwy_4"; a control without index keeps its name.
QString controlName(const char *name, int index = NoIndex);

// Creates the controls of one table inside their container, in table order (later rows lie above), and hands
// each bound one to controls.
void createControls(QWidget *container, std::span<const ControlRow> rows, MainWindowControls &controls);

void placeTwips(QWidget *widget, const desktop::TwipsRect &rect);
void fillBackground(QWidget *widget, const QColor &color);

} // namespace mainwindow
