// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlacePointDialog.h"

#include "CoordinateText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace viewer {

namespace {

// "N 42°22.00' W 071°01.00'": minutes to two decimals, about 20 m.
QString angleText(double degrees, QChar positive, QChar negative, int width)
{
    const double minutes = std::round(std::abs(degrees) * 6000) / 100;
    const int whole = int(minutes / 60);
    return QStringLiteral("%1 %2°%3'")
        .arg(degrees < 0 ? negative : positive)
        .arg(whole, width, 10, QLatin1Char('0'))
        .arg(minutes - whole * 60, 5, 'f', 2, QLatin1Char('0'));
}

} // namespace

PlacePointDialog::PlacePointDialog(int number, QWidget *parent)
    : QDialog(parent)
    , m_text(new QLineEdit(this))
    , m_reading(new QLabel(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(number == 1 ? tr("Place on the Map: First Point") : tr("Place on the Map: Second Point"));
    auto *prompt = new QLabel(tr("Latitude and longitude of the point you clicked, as the chart prints them\n"
                                 "(42°22'N 71°01'W, N42 22.0 W071 01.0 or 42.3667 -71.0167):"),
                              this);
    m_text->setObjectName(QStringLiteral("placeCoordinates"));
    m_reading->setObjectName(QStringLiteral("placeReading"));
    m_reading->setTextFormat(Qt::PlainText);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_text);
    layout->addWidget(m_reading);
    layout->addWidget(m_buttons);
    connect(m_text, &QLineEdit::textChanged, this, &PlacePointDialog::read);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    read();
}

void PlacePointDialog::setText(const QString &text)
{
    m_text->setText(text);
}

void PlacePointDialog::read()
{
    m_position = airportdata::readPosition(m_text->text());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_position.has_value());
    if (m_position)
        m_reading->setText(
            tr("Reads %1 %2")
                .arg(angleText(m_position->latitude(), QLatin1Char('N'), QLatin1Char('S'), 2),
                     angleText(m_position->longitude(), QLatin1Char('E'), QLatin1Char('W'), 3)));
    else
        m_reading->setText(m_text->text().trimmed().isEmpty() ? QString()
                                                              : tr("Not a latitude and longitude yet."));
}

std::optional<airportdata::GeoPosition> PlacePointDialog::ask(int number, QWidget *parent)
{
    PlacePointDialog dialog(number, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.position();
}

} // namespace viewer
