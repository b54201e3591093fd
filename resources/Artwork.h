#pragma once

#include <QPixmap>
#include <QSize>

namespace resources {

// The program's pictures, drawn for Varnelox as SVG and rendered at the size asked for.
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
QPixmap render(Picture picture, QSize size);
inline QPixmap render(Picture picture)
{
    return render(picture, naturalSize(picture));
}

} // namespace resources
