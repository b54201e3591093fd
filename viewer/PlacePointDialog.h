// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GeoValues.h"

#include <QDialog>

#include <optional>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace viewer {

// Asks for the latitude and longitude of a point clicked on a chart, typed as charts print them
// ("42°22'N 71°01'W", "N42 22.0 W071 01.0", "42.3667 -71.0167"). Below the box it says how the text reads,
// or that it cannot be read; OK takes only a position it can read.
class PlacePointDialog : public QDialog {
    Q_OBJECT

public:
    // number: the first or the second point.
    explicit PlacePointDialog(int number, QWidget *parent = nullptr);

    void setText(const QString &text);
    std::optional<airportdata::GeoPosition> position() const { return m_position; }

    // Shows the dialog and waits: the position typed, or nothing when cancelled.
    static std::optional<airportdata::GeoPosition> ask(int number, QWidget *parent);

private:
    void read();

    QLineEdit *m_text;
    QLabel *m_reading;
    QDialogButtonBox *m_buttons;
    std::optional<airportdata::GeoPosition> m_position;
};

} // namespace viewer
