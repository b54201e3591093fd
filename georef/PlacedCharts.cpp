// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlacedCharts.h"

#include "Platform.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStandardPaths>

namespace georef {

namespace {

Q_LOGGING_CATEGORY(lcPlaced, "varnelox.placedcharts", QtWarningMsg)

constexpr int FormatVersion = 1;
// Far more than the places a pilot keeps: a larger file is not read.
constexpr qint64 LargestFile = qint64(16) << 20;
constexpr qint64 HashBlock = qint64(1) << 20;

struct StoreMessages {
    Q_DECLARE_TR_FUNCTIONS(StoreMessages)
};

const QString Pages = QStringLiteral("pages");
const QString Sha256 = QStringLiteral("sha256");
const QString Page = QStringLiteral("page");
const QString Points = QStringLiteral("points");

QJsonObject pointObject(const ReferencePoint &point)
{
    return {{QStringLiteral("x"), point.page.x()},
            {QStringLiteral("y"), point.page.y()},
            {QStringLiteral("latitude"), point.position.latitude()},
            {QStringLiteral("longitude"), point.position.longitude()}};
}

std::optional<ReferencePoint> pointOf(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    const QJsonValue x = object.value(QStringLiteral("x"));
    const QJsonValue y = object.value(QStringLiteral("y"));
    const std::optional<airportdata::GeoPosition> position =
        airportdata::GeoPosition::fromDegrees(object.value(QStringLiteral("latitude")).toDouble(qQNaN()),
                                              object.value(QStringLiteral("longitude")).toDouble(qQNaN()));
    if (!x.isDouble() || !y.isDouble() || !position || !std::isfinite(x.toDouble()) ||
        !std::isfinite(y.toDouble()))
        return std::nullopt;
    return ReferencePoint{{x.toDouble(), y.toDouble()}, *position};
}

bool isPage(const QJsonValue &entry, const ChartPage &page)
{
    const QJsonObject object = entry.toObject();
    return object.value(Sha256).toString() == QLatin1String(page.sha256) &&
           object.value(Page).toInt(-1) == page.page;
}

// The entries of the file: none when it is missing; nothing, with the reason, when it is there but cannot be
// read as a store of places (it is then never written over).
std::optional<QJsonArray> readEntries(const QString &fileName, QString *problem = nullptr)
{
    QFile file(fileName);
    if (!QFileInfo::exists(fileName))
        return QJsonArray();
    QString reason;
    QJsonParseError error{};
    QJsonDocument document;
    if (platform::openRegularFile(file).problem != platform::FileProblem::None || file.size() > LargestFile) {
        reason = StoreMessages::tr("it cannot be read, or is not a regular file of at most 16 MiB");
    } else {
        document = QJsonDocument::fromJson(file.readAll(), &error);
        if (error.error != QJsonParseError::NoError || !document.isObject())
            reason = StoreMessages::tr("it is not a store of places (%1)").arg(error.errorString());
    }
    if (reason.isEmpty())
        return document.object().value(Pages).toArray();
    const QString message = StoreMessages::tr("The places of charts in %1 are left as they are: %2")
                                .arg(QDir::toNativeSeparators(fileName), reason);
    qCWarning(lcPlaced).noquote() << message;
    if (problem)
        *problem = message;
    return std::nullopt;
}

StoreOutcome writeEntries(const QString &fileName, const QJsonArray &entries)
{
    const QJsonObject root{{QStringLiteral("version"), FormatVersion}, {Pages, entries}};
    QSaveFile file(fileName);
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(root).toJson()) < 0 || !file.commit()) {
        const QString error = StoreMessages::tr("The places of charts could not be written to %1: %2")
                                  .arg(QDir::toNativeSeparators(fileName), file.errorString());
        qCWarning(lcPlaced).noquote() << error;
        return {false, error};
    }
    return {true, {}};
}

QJsonArray withoutPage(const QJsonArray &entries, const ChartPage &page)
{
    QJsonArray kept;
    for (const QJsonValue &entry : entries) {
        if (!isPage(entry, page))
            kept.append(entry);
    }
    return kept;
}

} // namespace

std::optional<ChartPage> ChartPage::ofFile(const QString &chartFile, int page, QString *error)
{
    QFile file(chartFile);
    const platform::FileOpening opening = platform::openRegularFile(file);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    while (opening.problem == platform::FileProblem::None && !file.atEnd()) {
        const QByteArray block = file.read(HashBlock);
        if (block.isEmpty())
            break;
        hash.addData(block);
    }
    if (opening.problem != platform::FileProblem::None || file.error() != QFileDevice::NoError) {
        if (error)
            *error = StoreMessages::tr("The chart %1 could not be read: %2")
                         .arg(QDir::toNativeSeparators(chartFile),
                              opening.reason.isEmpty() ? file.errorString() : opening.reason);
        return std::nullopt;
    }
    return ChartPage{hash.result().toHex(), page};
}

QString PlacedCharts::userFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/varnelox/placed-charts.json");
}

PlacedCharts::PlacedCharts(QString fileName)
    : m_fileName(std::move(fileName))
{}

std::optional<ChartGeoreference> PlacedCharts::placeOf(const ChartPage &page) const
{
    for (const QJsonValue &entry : readEntries(m_fileName).value_or(QJsonArray())) {
        if (!isPage(entry, page))
            continue;
        const QJsonArray points = entry.toObject().value(Points).toArray();
        const std::optional<ReferencePoint> first = pointOf(points.at(0));
        const std::optional<ReferencePoint> second = pointOf(points.at(1));
        if (points.size() == 2 && first && second)
            return ChartGeoreference::fromPoints(*first, *second);
    }
    return std::nullopt;
}

StoreOutcome PlacedCharts::place(const ChartPage &page, const ChartGeoreference &georeference)
{
    QString problem;
    const std::optional<QJsonArray> read = readEntries(m_fileName, &problem);
    if (!read)
        return {false, problem};
    QJsonArray entries = withoutPage(*read, page);
    entries.append(QJsonObject{
        {Sha256, QString::fromLatin1(page.sha256)},
        {Page, page.page},
        {Points, QJsonArray{pointObject(georeference.first()), pointObject(georeference.second())}}});
    return writeEntries(m_fileName, entries);
}

StoreOutcome PlacedCharts::forget(const ChartPage &page)
{
    QString problem;
    const std::optional<QJsonArray> entries = readEntries(m_fileName, &problem);
    if (!entries)
        return {false, problem};
    const QJsonArray kept = withoutPage(*entries, page);
    if (kept.size() == entries->size())
        return {true, {}};
    return writeEntries(m_fileName, kept);
}

} // namespace georef
