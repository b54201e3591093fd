// SPDX-License-Identifier: GPL-3.0-or-later
#include "MagneticVariation.h"

#include <GeographicLib/MagneticModel.hpp>

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace import {

namespace {

// The date as the model counts time: years and the fraction of the year gone at the start of the day.
double fractionalYear(QDate date)
{
    return date.year() + double(date.dayOfYear() - 1) / date.daysInYear();
}

} // namespace

MagneticVariation::MagneticVariation() = default;
MagneticVariation::~MagneticVariation() = default;

Status MagneticVariation::load(const QString &folder)
{
    const QString metadata = QDir(folder).filePath(QString::fromLatin1(kModelName) + QStringLiteral(".wmm"));
    if (!QFileInfo(metadata).isFile()) {
        return Status::failure(metadata +
                               QStringLiteral(": the magnetic model is missing (it is installed with "
                                              "varnelox-import)"));
    }
    try {
        m_model = std::make_unique<GeographicLib::MagneticModel>(kModelName,
                                                                 QFile::encodeName(folder).toStdString());
    } catch (const std::exception &error) {
        return Status::failure(metadata + QStringLiteral(": the magnetic model cannot be read: ") +
                               QString::fromLocal8Bit(error.what()));
    }
    return {};
}

double MagneticVariation::declination(const GeoPosition &position, QDate date) const
{
    double east = 0, north = 0, up = 0;
    (*m_model)(fractionalYear(date), position.latitude, position.longitude, position.heightMetres, east,
               north, up);
    return std::atan2(east, north) * 180 / M_PI;
}

double MagneticVariation::magneticBearing(double trueBearing, const GeoPosition &position, QDate date) const
{
    const double bearing = std::fmod(trueBearing - declination(position, date), 360.0);
    return bearing < 0 ? bearing + 360 : bearing;
}

bool MagneticVariation::holds(QDate date) const
{
    const double year = fractionalYear(date);
    return year >= m_model->MinTime() && year <= m_model->MaxTime();
}

QString MagneticVariation::description() const
{
    return QStringLiteral("%1, made for %2 to %3")
        .arg(QString::fromStdString(m_model->MagneticModelName()).toUpper())
        .arg(m_model->MinTime(), 0, 'f', 1)
        .arg(m_model->MaxTime(), 0, 'f', 1);
}

} // namespace import
