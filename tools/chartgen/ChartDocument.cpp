// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartDocument.h"

#include <QPageLayout>

namespace chartgen {

namespace {

constexpr double millimetresPerInch = 25.4;
const QColor sampleRed(190, 0, 0);

void drawHeader(Sheet &sheet, const ChartHeading &heading, const QString &subtitle, int page, int pageCount)
{
    sheet.pen(0.5);
    sheet.noBrush();
    sheet.painter().drawRect(QRectF(10, 10, 190, 277));
    sheet.painter().drawLine(QPointF(10, 33), QPointF(200, 33));
    sheet.pen(0.3);
    sheet.painter().drawLine(QPointF(52, 10), QPointF(52, 33));
    sheet.painter().drawLine(QPointF(164, 10), QPointF(164, 33));

    sheet.text(QRectF(10, 11, 42, 12), heading.code, {20, true, Qt::black, Qt::AlignCenter});
    sheet.text(QRectF(10, 24, 42, 7), QStringLiteral("AERODROME CHARTS"),
               {6, false, Qt::black, Qt::AlignCenter});
    sheet.text(QRectF(54, 11, 108, 8), heading.airportName, {11, true, Qt::black, Qt::AlignCenter});
    sheet.text(QRectF(54, 19, 108, 7), heading.title, {10, true, Qt::black, Qt::AlignCenter});
    sheet.text(QRectF(54, 26, 108, 6), subtitle, {7.5, false, Qt::black, Qt::AlignCenter});
    sheet.text(QRectF(164, 11, 36, 5), QStringLiteral("CHART"), {6, false, Qt::black, Qt::AlignCenter});
    sheet.text(QRectF(164, 15, 36, 10), heading.number, {18, true, Qt::black, Qt::AlignCenter});
    sheet.text(QRectF(164, 25, 36, 7), QStringLiteral("PAGE %1/%2").arg(page).arg(pageCount),
               {6.5, false, Qt::black, Qt::AlignCenter});
}

void drawFooter(Sheet &sheet)
{
    sheet.pen(0.5);
    sheet.painter().drawLine(QPointF(10, 278), QPointF(200, 278));
    sheet.text(QRectF(10, 278, 190, 9), QStringLiteral("SAMPLE - NOT FOR NAVIGATION"),
               {11, true, sampleRed, Qt::AlignCenter});
    sheet.text(QRectF(12, 278, 50, 9), QStringLiteral("VARNELOX SAMPLE LIBRARY"), {5.5});
    sheet.text(QRectF(148, 278, 50, 9), QStringLiteral("CHANGES: NEW CHART"),
               {5.5, false, Qt::black, Qt::AlignRight | Qt::AlignVCenter});
}

} // namespace

ChartDocument::ChartDocument(const QString &path, const ChartHeading &heading)
    : m_path(path)
    , m_heading(heading)
    , m_writer(path)
{
    m_writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    m_writer.setTitle(heading.code + QLatin1Char(' ') + heading.title);
    m_writer.setCreator(QStringLiteral("Varnelox chartgen"));
    m_open = m_painter.begin(&m_writer);
    if (m_open)
        m_sheet = std::make_unique<Sheet>(m_painter, m_writer.resolution() / millimetresPerInch);
}

ChartDocument::~ChartDocument()
{
    if (m_painter.isActive())
        m_painter.end();
}

QRectF ChartDocument::startPage(const QString &subtitle, int pageCount)
{
    if (!m_open)
        return {};
    if (m_pagesStarted > 0) {
        m_writer.newPage();
        m_sheet = std::make_unique<Sheet>(m_painter, m_writer.resolution() / millimetresPerInch);
    }
    ++m_pagesStarted;
    drawHeader(*m_sheet, m_heading, subtitle, m_pagesStarted, pageCount);
    drawFooter(*m_sheet);
    return bodyArea();
}

DocumentStatus ChartDocument::finish()
{
    if (!m_open)
        return {false, m_path + QStringLiteral(": cannot be written")};
    m_open = false;
    if (!m_painter.end())
        return {false, m_path + QStringLiteral(": the chart could not be completed")};
    return {true, {}};
}

} // namespace chartgen
