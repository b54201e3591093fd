// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPrinter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace desktop {

namespace {

struct PrinterMessages {
    Q_DECLARE_TR_FUNCTIONS(PrinterMessages)
};

} // namespace

PrintOutcome printWindowImage(QWidget *window, QPrinter &printer)
{
    const QPixmap image = window->grab();
    QPainter painter;
    if (!painter.begin(&printer))
        return {false,
                PrinterMessages::tr("The printer \"%1\" could not be started.").arg(printer.printerName())};
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    QSize size = image.deviceIndependentSize().toSize();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((page.width() - size.width()) / 2, (page.height() - size.height()) / 2), size);
    painter.drawPixmap(target, image);
    painter.end();
    return {true, {}};
}

PrintOutcome DefaultPrinter::print(QWidget *window)
{
    // With no printer installed Qt would quietly write a PDF file instead: refuse that.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {false, PrinterMessages::tr("No printer is available. Install a printer and set it as the "
                                           "default printer, then print again.")};
    QPrinter printer(info, QPrinter::HighResolution);
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return {false,
                PrinterMessages::tr("The default printer \"%1\" cannot be used.").arg(info.printerName())};
    return printWindowImage(window, printer);
}

} // namespace desktop
