// SPDX-License-Identifier: GPL-3.0-or-later
#include "DtppMetafile.h"

#include "ImportSummary.h"
#include "Utf8Check.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <optional>

namespace import {

namespace {

// digital_tpp > state_code > city_name > airport_name > record > field: six levels. Deeper nesting is no
// metafile, and is refused before it costs the reader its stack.
constexpr int kMaxDepth = 32;

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

// Whether the document says it is UTF-8, or says nothing (XML's default).
bool declaresUtf8(QByteArrayView bytes)
{
    static const QRegularExpression declaration(
        QStringLiteral("^\\s*<\\?xml[^>]*encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QString start = QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 256)));
    const QRegularExpressionMatch match = declaration.match(start);
    return !match.hasMatch() || match.captured(1).compare(u"UTF-8", Qt::CaseInsensitive) == 0;
}

// The fields of one <record>, gathered while the reader goes through it.
struct RecordFields {
    int depth = 0; // of the <record> element
    QString place; // of its start tag
    QString field; // the field element the reader is in, if any
    QString text;  // of that field, the text of elements inside it included
    QString sequence;
    QString userAction;
    DtppChart chart;

    void endField()
    {
        const QString value = text.trimmed();
        if (field == u"chartseq")
            sequence = value;
        else if (field == u"chart_code")
            chart.chartCode = value;
        else if (field == u"chart_name")
            chart.name = value;
        else if (field == u"pdf_name")
            chart.pdfName = value;
        else if (field == u"useraction")
            userAction = value;
        field.clear();
        text.clear();
    }
};

// Goes through the elements of the metafile once, keeping count of their depth.
class MetafileParser {
public:
    MetafileParser(const QString &fileName, const QByteArray &bytes, QList<DtppAirport> &airports,
                   ImportSummary &summary)
        : m_fileName(fileName)
        , m_xml(bytes)
        , m_airports(airports)
        , m_summary(summary)
    {}

    Status parse()
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            Status status;
            if (token == QXmlStreamReader::StartElement)
                status = startElement();
            else if (token == QXmlStreamReader::EndElement)
                status = endElement();
            else if (token == QXmlStreamReader::Characters && m_record && !m_record->field.isEmpty())
                m_record->text += m_xml.text();
            if (!status.ok)
                return status;
        }
        if (m_xml.hasError())
            return failure(QStringLiteral("unreadable XML: ") + m_xml.errorString());
        return {};
    }

private:
    Status failure(const QString &what) const
    {
        return Status::failure(placeOf(m_fileName, m_xml) + QStringLiteral(": ") + what);
    }

    Status startElement()
    {
        if (++m_depth > kMaxDepth)
            return failure(
                QStringLiteral("not a d-TPP metafile: elements nested more than %1 deep").arg(kMaxDepth));
        const QStringView name = m_xml.name();
        if (m_depth == 1 && name != u"digital_tpp") {
            return failure(QStringLiteral("not a d-TPP metafile: the root element is <%1>, not <digital_tpp>")
                               .arg(name));
        }
        if (m_record) {
            if (m_depth == m_record->depth + 1)
                m_record->field = name.toString();
        } else if (name == u"city_name") {
            m_city = attribute(m_xml, QLatin1StringView("ID"));
        } else if (name == u"airport_name") {
            m_airports.append({attribute(m_xml, QLatin1StringView("icao_ident")),
                               attribute(m_xml, QLatin1StringView("ID")),
                               m_city,
                               {}});
        } else if (name == u"record") {
            if (m_airports.isEmpty())
                return failure(QStringLiteral("a <record> outside any <airport_name>"));
            m_record.emplace();
            m_record->depth = m_depth;
            m_record->place = placeOf(m_fileName, m_xml);
        }
        return {};
    }

    Status endElement()
    {
        Status status;
        if (m_record && m_depth == m_record->depth + 1) {
            m_record->endField();
        } else if (m_record && m_depth == m_record->depth) {
            status = addRecord(*m_record);
            m_record.reset();
        }
        --m_depth;
        return status;
    }

    Status addRecord(RecordFields &record)
    {
        bool isNumber = false;
        record.chart.sequence = record.sequence.toLongLong(&isNumber);
        if (!isNumber) {
            return Status::failure(record.place +
                                   QStringLiteral(": chartseq \"%1\" is not a number").arg(record.sequence));
        }
        if (record.userAction.compare(u"D", Qt::CaseInsensitive) == 0)
            m_summary.skip(QStringLiteral("deleted charts (useraction D)"));
        else
            m_airports.last().charts.append(record.chart);
        return {};
    }

    const QString &m_fileName;
    QXmlStreamReader m_xml;
    QList<DtppAirport> &m_airports;
    ImportSummary &m_summary;
    int m_depth = 0;
    QString m_city;
    std::optional<RecordFields> m_record;
};

} // namespace

Status DtppMetafile::read(const QString &fileName, const QByteArray &bytes, ImportSummary &summary)
{
    if (declaresUtf8(bytes)) {
        if (const std::optional<TextPlace> place = firstNonUtf8(bytes)) {
            return Status::failure(QStringLiteral("%1, line %2, column %3: not UTF-8 text")
                                       .arg(fileName)
                                       .arg(place->line)
                                       .arg(place->column));
        }
    }
    if (Status parsed = MetafileParser(fileName, bytes, m_airports, summary).parse(); !parsed.ok)
        return parsed;
    keepAirportsWithCode(summary);
    mergeRepeatedAirports(summary);
    return {};
}

void DtppMetafile::keepAirportsWithCode(ImportSummary &summary)
{
    static const QRegularExpression icaoCode(QStringLiteral("^[A-Z0-9]{4}$"));
    const auto withoutCode =
        std::remove_if(m_airports.begin(), m_airports.end(), [&](const DtppAirport &airport) {
            if (icaoCode.match(airport.code).hasMatch())
                return false;
            summary.skip(QStringLiteral("charts of airports without an ICAO code"), airport.charts.size());
            return true;
        });
    m_airports.erase(withoutCode, m_airports.end());
}

void DtppMetafile::mergeRepeatedAirports(ImportSummary &summary)
{
    QHash<QString, qsizetype> firstOfCode;
    QList<DtppAirport> merged;
    for (DtppAirport &airport : m_airports) {
        const auto first = firstOfCode.constFind(airport.code);
        if (first == firstOfCode.constEnd()) {
            firstOfCode.insert(airport.code, merged.size());
            merged.append(std::move(airport));
            continue;
        }
        DtppAirport &kept = merged[*first];
        summary.problem(QStringLiteral("%1: listed again in the metafile (as \"%2\"): its charts are merged "
                                       "with those of \"%3\"")
                            .arg(airport.code, airport.name, kept.name));
        kept.charts += airport.charts;
    }
    for (DtppAirport &airport : merged)
        dropRepeatedCharts(airport, summary);
    m_airports = std::move(merged);
}

void DtppMetafile::dropRepeatedCharts(DtppAirport &airport, ImportSummary &summary)
{
    QSet<QString> seen;
    const auto repeated =
        std::remove_if(airport.charts.begin(), airport.charts.end(), [&](const DtppChart &chart) {
            const QString key = chart.chartCode.toUpper() + u'/' + chart.pdfName.toUpper();
            if (!seen.contains(key)) {
                seen.insert(key);
                return false;
            }
            summary.skip(
                QStringLiteral("chart records that repeat a PDF of the same chart code (joined once)"));
            return true;
        });
    airport.charts.erase(repeated, airport.charts.end());
}

} // namespace import
