// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the memory measure: a minimal QPdfView program showing the first page of a chart at the
// width of the window, as the chart viewer does.
// Usage: pdf_view_window FILE WIDTH HEIGHT

#include <QApplication>
#include <QPdfDocument>
#include <QPdfView>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QPdfDocument document;
    document.load(arguments.value(1));
    QPdfView view; // destroyed before the document it shows
    view.setWindowTitle(QStringLiteral("QPdfView"));
    view.setDocument(&document);
    view.setPageMode(QPdfView::PageMode::SinglePage);
    view.setZoomMode(QPdfView::ZoomMode::FitToWidth);
    view.resize(arguments.value(2).toInt(), arguments.value(3).toInt());
    view.show();
    return QApplication::exec();
}
