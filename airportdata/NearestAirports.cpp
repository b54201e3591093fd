// SPDX-License-Identifier: GPL-3.0-or-later
#include "NearestAirports.h"

#include "AirportDirectory.h"
#include "DirectoryLog.h"
#include "ItemReader.h"
#include "Platform.h"
#include "RecordText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace airportdata {

namespace {

constexpr qsizetype ShortHeader = 1024;
constexpr qsizetype LongestHeader = qsizetype(1) << 16;
constexpr int NameField = 2;
constexpr qsizetype KeyLength = 6;

struct NearestMessages {
    Q_DECLARE_TR_FUNCTIONS(NearestMessages)
};

} // namespace

NearestAirports::NearestAirports(QString directoryFile)
    : m_file(std::move(directoryFile))
{}

NearestAirports::Answer NearestAirports::nearest(const GeoPosition &from, int count)
{
    refresh();
    QList<NearbyAirport> airports = m_positions.nearest(from, count);
    readNames(airports);
    return {airports, m_error};
}

std::optional<GeoPosition> NearestAirports::positionOf(const QString &code)
{
    refresh();
    return m_positions.positionOf(code);
}

void NearestAirports::refresh()
{
    const QFileInfo info(m_file);
    const FileStamp stamp{info.size(), info.metadataChangeTime(), info.lastModified()};
    if (m_stamp == stamp)
        return;
    m_stamp = stamp;
    m_positions = {};
    m_error.clear();
    QFile file(m_file);
    const platform::FileOpening opening = platform::openRegularFile(file);
    if (opening.problem != platform::FileProblem::None) {
        m_error = directoryOpeningError(m_file, opening);
        qCInfo(lcDirectory).noquote() << m_error;
        return;
    }
    BlockReading reading;
    m_positions = AirportPositions::read(file, reading);
    if (reading.status != BlockReading::Status::Finished) {
        m_error = NearestMessages::tr("The airport directory %1 could not be read to its end: %2")
                      .arg(QDir::toNativeSeparators(m_file),
                           reading.status == BlockReading::Status::ReadError
                               ? reading.error
                               : NearestMessages::tr("the line at byte %1 is too long").arg(reading.offset));
        qCInfo(lcDirectory).noquote() << m_error;
    }
    qCDebug(lcDirectory) << "positions of" << m_positions.size() << "airports read from" << m_file;
}

// The names from the records' header lines, when they still stand where they stood.
void NearestAirports::readNames(QList<NearbyAirport> &airports) const
{
    QFile file(m_file);
    if (airports.isEmpty() || platform::openRegularFile(file).problem != platform::FileProblem::None)
        return;
    for (NearbyAirport &airport : airports) {
        if (!file.seek(airport.recordOffset))
            continue;
        // A header line takes a few hundred bytes; a longer one is read again as a whole.
        QByteArray bytes = file.read(ShortHeader);
        std::optional<Item> header = readItem(bytes, file.atEnd());
        if (!header && file.seek(airport.recordOffset)) {
            bytes = file.read(LongestHeader);
            header = readItem(bytes, file.atEnd());
        }
        if (!header)
            continue;
        const QList<QByteArrayView> fields = splitFields(header->text);
        const QByteArrayView key = fields.first();
        if (fields.size() > NameField && key.size() >= KeyLength &&
            key.sliced(2, 4) == airport.code.toLatin1())
            airport.name = decodeText(fields[NameField]);
    }
}

} // namespace airportdata
