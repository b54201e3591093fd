// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace airportdata {

// Tells whether an item of the directory is the header line of an airport: its characters 3 to 6 (counted
// from 1; fewer when the item is shorter) equal the code exactly, letter case included. An empty code and a
// code of more than four characters match nothing.
class KeyMatcher {
public:
    explicit KeyMatcher(const QString &code);

    bool matches(QByteArrayView item) const;
    // False for an empty code and one of more than four characters.
    bool canMatch() const { return !m_code.isEmpty(); }
    // The code's bytes when it is plain ASCII, as they stand in every header line of it; else empty.
    const QByteArray &asciiCode() const { return m_ascii; }

private:
    bool matchesDecoded(QByteArrayView item) const;

    QString m_code;     // empty when nothing can match
    QByteArray m_ascii; // the code's bytes when it is plain ASCII: compared without decoding
};

} // namespace airportdata
