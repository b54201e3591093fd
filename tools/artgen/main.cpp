// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's SVG pictures to pixel files at the sizes the windows show them, so that the program
// neither draws SVG nor decodes an image while it starts.
// Usage: artgen SVG-FOLDER OUTPUT-FOLDER NAME[.FORMAT]=WIDTHxHEIGHT[,WIDTHxHEIGHT...]...
// Each NAME.svg of SVG-FOLDER becomes NAME-WIDTHxHEIGHT.FORMAT in OUTPUT-FOLDER for every size given. The
// files hold the bare pixels of a QImage, row after row with no padding, in this machine's byte order:
// FORMAT argb32 (the default) is QImage::Format_ARGB32_Premultiplied, rgb32 is QImage::Format_RGB32, for
// opaque pictures only.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <algorithm>
#include <optional>

namespace {

std::optional<QSize> parseSize(const QString &text)
{
    const QStringList sides = text.split(u'x');
    bool wide = false;
    bool high = false;
    const QSize size(sides.value(0).toInt(&wide), sides.value(1).toInt(&high));
    if (sides.size() != 2 || !wide || !high || size.isEmpty())
        return std::nullopt;
    return size;
}

bool isOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (std::any_of(line, line + image.width(), [](QRgb pixel) { return qAlpha(pixel) != 255; }))
            return false;
    }
    return true;
}

bool writePixels(const QImage &image, const QString &file)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const qsizetype lineBytes = qsizetype(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y) {
        if (out.write(reinterpret_cast<const char *>(image.constScanLine(y)), lineBytes) != lineBytes)
            return false;
    }
    return out.flush();
}

// Renders one picture at the given sizes; an empty message when every file was written.
QString renderPicture(const QDir &svgFolder, const QDir &outputFolder, const QString &request)
{
    const QString name = request.section(u'=', 0, 0).section(u'.', 0, 0);
    const QString format = request.section(u'=', 0, 0).section(u'.', 1).toLower();
    if (!format.isEmpty() && format != u"argb32" && format != u"rgb32")
        return QStringLiteral("not a pixel format: \"%1\" in \"%2\"").arg(format, request);
    const QString suffix = format.isEmpty() ? QStringLiteral("argb32") : format;
    QSvgRenderer renderer(svgFolder.filePath(name + QStringLiteral(".svg")));
    if (!renderer.isValid())
        return QStringLiteral("cannot read %1.svg in %2").arg(name, svgFolder.path());
    for (const QString &sizeText : request.section(u'=', 1).split(u',')) {
        const std::optional<QSize> size = parseSize(sizeText);
        if (!size)
            return QStringLiteral("not a size: \"%1\" in \"%2\"").arg(sizeText, request);
        QImage image(*size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(*size)));
        painter.end();
        // An opaque picture is stored without alpha, in the screen's own format.
        if (suffix == u"rgb32") {
            if (!isOpaque(image))
                return QStringLiteral("%1.svg is not opaque: rgb32 would lose its transparency").arg(name);
            image.convertTo(QImage::Format_RGB32);
        }
        const QString file = outputFolder.filePath(
            QStringLiteral("%1-%2x%3.%4").arg(name).arg(size->width()).arg(size->height()).arg(suffix));
        if (!writePixels(image, file))
            return QStringLiteral("cannot write %1").arg(file);
    }
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    const QGuiApplication application(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        err << "usage: artgen SVG-FOLDER OUTPUT-FOLDER NAME[.FORMAT]=WIDTHxHEIGHT[,WIDTHxHEIGHT...]...\n";
        return 2;
    }
    const QDir svgFolder(arguments.at(1));
    const QDir outputFolder(arguments.at(2));
    if (!outputFolder.mkpath(QStringLiteral("."))) {
        err << "artgen: cannot create " << outputFolder.path() << "\n";
        return 1;
    }
    for (const QString &request : arguments.mid(3)) {
        if (const QString problem = renderPicture(svgFolder, outputFolder, request); !problem.isEmpty()) {
            err << "artgen: " << problem << "\n";
            return 1;
        }
    }
    return 0;
}
