// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramSettings.h"

#include "Platform.h"

#include <QLoggingCategory>
#include <QSettings>

#include <functional>
#include <utility>

namespace desktop {

namespace {

Q_LOGGING_CATEGORY(lcSettings, "varnelox.settings", QtWarningMsg)

const QString CompanionX = QStringLiteral("companion/x");
const QString CompanionY = QStringLiteral("companion/y");
const QString CompanionWidth = QStringLiteral("companion/width");
const QString CompanionHeight = QStringLiteral("companion/height");
const QString CompanionMaximized = QStringLiteral("companion/maximized");
const QString Night = QStringLiteral("viewer/night");
const QString Listen = QStringLiteral("simulator/listen");
const QString LoopbackOnly = QStringLiteral("simulator/loopbackOnly");
const QString NetworkGpsPort = QStringLiteral("simulator/networkGpsPort");
const QString NmeaPort = QStringLiteral("simulator/nmeaPort");
const QString NearestOnGround = QStringLiteral("simulator/nearestOnGround");

// A whole number from the file; anything else is no number.
std::optional<int> number(const QSettings &settings, const QString &key)
{
    bool ok = false;
    const int value = settings.value(key).toString().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// "true" or "false" as the file holds it; anything else is the default.
bool flag(const QSettings &settings, const QString &key, bool byDefault)
{
    const QString text = settings.value(key).toString();
    return text == QLatin1String("true") || (byDefault && text != QLatin1String("false"));
}

quint16 port(const QSettings &settings, const QString &key, quint16 byDefault)
{
    const std::optional<int> value = number(settings, key);
    return value && *value >= 1 && *value <= 65535 ? quint16(*value) : byDefault;
}

} // namespace

// Opening a pipe would wait for a writer for ever, and a device may never end: only a regular file (or a
// link to one), or none yet, is read and written.
bool ProgramSettings::usable() const
{
    const platform::FileKind kind = platform::fileKind(m_fileName);
    if (kind == platform::FileKind::Missing || kind == platform::FileKind::Regular)
        return true;
    if (!std::exchange(m_warned, true))
        qCWarning(lcSettings)
            << "the settings file" << m_fileName
            << "is not a regular file (a folder, pipe or device): it is neither read nor written";
    return false;
}

bool ProgramSettings::write(const std::function<void(QSettings &)> &change) const
{
    if (!usable())
        return false;
    QSettings settings(m_fileName, QSettings::IniFormat);
    change(settings);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    qCWarning(lcSettings) << "the settings could not be written to" << m_fileName;
    return false;
}

QString ProgramSettings::userFileName()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("varnelox"),
                     QStringLiteral("varnelox"))
        .fileName();
}

ProgramSettings::ProgramSettings(QString fileName)
    : m_fileName(std::move(fileName))
{}

std::optional<WindowPlace> ProgramSettings::companionPlace() const
{
    if (!usable())
        return std::nullopt;
    const QSettings settings(m_fileName, QSettings::IniFormat);
    const auto x = number(settings, CompanionX);
    const auto y = number(settings, CompanionY);
    const auto width = number(settings, CompanionWidth);
    const auto height = number(settings, CompanionHeight);
    if (!x || !y || !width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    return WindowPlace{QPoint(*x, *y), QSize(*width, *height),
                       settings.value(CompanionMaximized).toString() == QLatin1String("true")};
}

bool ProgramSettings::setCompanionPlace(const WindowPlace &place)
{
    return write([&place](QSettings &settings) {
        settings.setValue(CompanionX, place.position.x());
        settings.setValue(CompanionY, place.position.y());
        settings.setValue(CompanionWidth, place.size.width());
        settings.setValue(CompanionHeight, place.size.height());
        settings.setValue(CompanionMaximized, place.maximized);
    });
}

bool ProgramSettings::night() const
{
    return usable() &&
           QSettings(m_fileName, QSettings::IniFormat).value(Night).toString() == QLatin1String("true");
}

bool ProgramSettings::setNight(bool night)
{
    return write([night](QSettings &settings) { settings.setValue(Night, night); });
}

simlink::LinkSettings ProgramSettings::simulatorLink() const
{
    const simlink::LinkSettings defaults;
    if (!usable())
        return defaults;
    const QSettings settings(m_fileName, QSettings::IniFormat);
    return {flag(settings, Listen, defaults.listening), flag(settings, LoopbackOnly, defaults.loopbackOnly),
            port(settings, NetworkGpsPort, defaults.networkGpsPort),
            port(settings, NmeaPort, defaults.nmeaPort)};
}

bool ProgramSettings::setSimulatorLink(const simlink::LinkSettings &link)
{
    return write([&link](QSettings &settings) {
        settings.setValue(Listen, link.listening);
        settings.setValue(LoopbackOnly, link.loopbackOnly);
        settings.setValue(NetworkGpsPort, link.networkGpsPort);
        settings.setValue(NmeaPort, link.nmeaPort);
    });
}

bool ProgramSettings::nearestOnGround() const
{
    return usable() && flag(QSettings(m_fileName, QSettings::IniFormat), NearestOnGround, false);
}

bool ProgramSettings::setNearestOnGround(bool on)
{
    return write([on](QSettings &settings) { settings.setValue(NearestOnGround, on); });
}

} // namespace desktop
