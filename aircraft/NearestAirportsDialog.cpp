// SPDX-License-Identifier: GPL-3.0-or-later
#include "NearestAirportsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace aircraft {

namespace {

constexpr int ListWidth = 520;
constexpr int ListHeight = 300;

QStringList rowOf(const airportdata::NearbyAirport &airport)
{
    return {airport.code, airport.name,
            QStringLiteral("%1 NM").arg(airport.course.distance.inNauticalMiles(), 0, 'f', 1),
            QStringLiteral("%1°").arg(std::lround(airport.course.bearing.inDegrees()) % 360, 3, 10,
                                      QLatin1Char('0'))};
}

} // namespace

NearestAirportsDialog::NearestAirportsDialog(const QList<airportdata::NearbyAirport> &airports,
                                             QWidget *parent)
    : QDialog(parent)
    , m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("nearestAirports"));
    setWindowTitle(tr("Nearest Airports"));
    m_list->setObjectName(QStringLiteral("nearestAirportList"));
    m_list->setHeaderLabels({tr("CODE"), tr("NAME"), tr("DISTANCE"), tr("BEARING")});
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setMinimumSize(ListWidth, ListHeight);
    for (const airportdata::NearbyAirport &airport : airports) {
        auto *item = new QTreeWidgetItem(m_list, rowOf(airport));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    m_list->setCurrentItem(m_list->topLevelItem(0));
    connect(m_list, &QTreeWidget::itemActivated, this, &QDialog::accept);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Look Up"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

QString NearestAirportsDialog::chosenCode() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item ? item->text(0) : QString();
}

} // namespace aircraft
