// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPixmap>
#include <QSize>

namespace resources {

// The program's pictures, drawn for Varnelox as SVG and rendered at build time to image files at the
// sizes the windows show them.
enum class Picture {
    TowerIcon,     // main window icon: inside of a control tower
    Banner,        // product name, tower, slogan
    BoxCover,      // a simulator box-cover style picture
    ApproachChart, // a sample instrument approach chart
    Calculator,    // "&Elaborates"
    Printer,       // "&Print"
    BucketAndMop,  // "&Clean"
    AirlinerFs9,   // "&Link to FS" and the companion window's icon
    ExitDoor,      // "&Exit"
    QuestionBadge, // "&Info"
};

QSize naturalSize(Picture picture);
// The sizes at which the picture was rendered at build time, smallest first.
QList<QSize> renderedSizes(Picture picture);
// The picture at the size asked for: its file of that size, else the nearest larger one (or the largest)
// scaled to it. Null for an empty size.
QPixmap render(Picture picture, QSize size);
inline QPixmap render(Picture picture)
{
    return render(picture, naturalSize(picture));
}

} // namespace resources
