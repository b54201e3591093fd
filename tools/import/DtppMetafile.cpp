#include "DtppMetafile.h"

#include "ImportSummary.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace import {

namespace {

QString placeOf(const QString &fileName, const QXmlStreamReader &xml)
{
    return QStringLiteral("%1, line %2, column %3")
        .arg(fileName)
        .arg(xml.lineNumber())
        .arg(xml.columnNumber());
}

QString attribute(const QXmlStreamReader &xml, QLatin1StringView name)
{
    return xml.attributes().value(name).trimmed().toString();
}

// Reads the fields of the record element the reader stands on, up to its end.
struct RecordFields {
    QString sequence;
    QString userAction;
    DtppChart chart;

    void read(QXmlStreamReader &xml)
    {
        while (xml.readNextStartElement()) {
            const QString name = xml.name().toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            if (name == u"chartseq")
                sequence = text;
            else if (name == u"chart_code")
                chart.chartCode = text;
            else if (name == u"chart_name")
                chart.name = text;
            else if (name == u"pdf_name")
                chart.pdfName = text;
            else if (name == u"useraction")
                userAction = text;
        }
    }
};

} // namespace

Status DtppMetafile::read(const QString &fileName, QIODevice &device, ImportSummary &summary)
{
    QXmlStreamReader xml(&device);
    const auto xmlError = [&] {
        return Status::failure(placeOf(fileName, xml) + QStringLiteral(": unreadable XML: ") +
                               xml.errorString());
    };
    if (!xml.readNextStartElement())
        return xmlError();
    if (xml.name() != u"digital_tpp") {
        return Status::failure(
            placeOf(fileName, xml) +
            QStringLiteral(": not a d-TPP metafile: the root element is <%1>, not <digital_tpp>")
                .arg(xml.name()));
    }
    QString city;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"city_name") {
            city = attribute(xml, QLatin1StringView("ID"));
        } else if (xml.name() == u"airport_name") {
            m_airports.append({attribute(xml, QLatin1StringView("icao_ident")),
                               attribute(xml, QLatin1StringView("ID")),
                               city,
                               {}});
        } else if (xml.name() == u"record") {
            const QString place = placeOf(fileName, xml);
            if (m_airports.isEmpty())
                return Status::failure(place + QStringLiteral(": a <record> outside any <airport_name>"));
            RecordFields fields;
            fields.read(xml);
            if (xml.hasError())
                break;
            bool isNumber = false;
            fields.chart.sequence = fields.sequence.toLongLong(&isNumber);
            if (!isNumber) {
                return Status::failure(
                    place + QStringLiteral(": chartseq \"%1\" is not a number").arg(fields.sequence));
            }
            if (fields.userAction.compare(u"D", Qt::CaseInsensitive) == 0)
                summary.skip(QStringLiteral("deleted charts (useraction D)"));
            else
                m_airports.last().charts.append(fields.chart);
        }
    }
    if (xml.hasError())
        return xmlError();
    const auto withoutCode =
        std::remove_if(m_airports.begin(), m_airports.end(), [&](const DtppAirport &airport) {
            static const QRegularExpression icaoCode(QStringLiteral("^[A-Z0-9]{4}$"));
            if (icaoCode.match(airport.code).hasMatch())
                return false;
            summary.skip(QStringLiteral("charts of airports without an ICAO code"), airport.charts.size());
            return true;
        });
    m_airports.erase(withoutCode, m_airports.end());
    return {};
}

} // namespace import
