// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryGenerator.h"

#include <array>
#include <random>

namespace {

constexpr std::array kPlaces{"ALTAMURA", "BELVEDERE", "CASTELLO", "DOGANA",     "FONTANA", "GRANAROLO",
                             "LAGO",     "MARINA",    "MONTE",    "PIANURA",    "PORTO",   "ROCCA",
                             "SAN VITO", "TORRE",     "VALLE",    "VILLAFRANCA"};
constexpr std::array kKinds{"INTERNATIONAL", "CITY", "REGIONAL", "AIRBASE"};
constexpr std::array kSurfaces{"ASPH", "CONC", "ASPH/CONC"};

// Four capital letters from the record number; 26^4 codes, more than any generated directory has.
QByteArray codeOf(int index)
{
    QByteArray code(4, 'A');
    for (int i = 3; i >= 0; --i, index /= 26) {
        code[i] = char('A' + index % 26);
    }
    return code;
}

class RecordWriter {
public:
    explicit RecordWriter(QByteArray &out)
        : m_out(out)
    {}

    void write(int index)
    {
        const QByteArray code = codeOf(index);
        m_out += twoDigits(index % 100) + code + '|' + code.left(3) + '|' + kPlaces[pick(kPlaces.size())] +
                 ' ' + kKinds[pick(kKinds.size())] + '|' + angle('E', 179, 3) + '|' + angle('N', 89, 2) +
                 '|' + QByteArray::number(pick(6000)) + " FT|-\r\n";
        // One runway, then none to three more side by side on another heading.
        writeRunway(1 + pick(18), "");
        const int parallels = pick(4);
        const int heading = 1 + pick(18);
        for (int runway = 0; runway < parallels; ++runway) {
            writeRunway(heading, parallels == 1 ? "" : QByteArrayView("LRC").sliced(runway, 1));
        }
        m_out += "\r\n";
    }

private:
    int pick(std::size_t count) { return int(m_random() % count); }

    QByteArray angle(char hemisphere, int maxDegrees, int width)
    {
        return hemisphere + (' ' + QByteArray::number(pick(maxDegrees + 1)).rightJustified(width, '0')) +
               ' ' + twoDigits(pick(60)) + ' ' + twoDigits(pick(60));
    }

    static QByteArray twoDigits(int value) { return QByteArray::number(value).rightJustified(2, '0'); }

    QByteArray ilsFrequency()
    {
        return pick(2) == 0 ? QByteArray("-")
                            : QByteArray::number(108 + pick(4)) + '.' + twoDigits(pick(20) * 5);
    }

    // Both directions of one runway; the left runway seen from one end is the right one from the other.
    void writeRunway(int heading, QByteArrayView side)
    {
        const QByteArray length = QByteArray::number(1200 + 10 * pick(300)) + " M";
        const QByteArray surface = kSurfaces[pick(kSurfaces.size())];
        const QByteArray sides[2] = {side.toByteArray(), side == "L"   ? "R"
                                                         : side == "R" ? "L"
                                                                       : side.toByteArray()};
        for (int end = 0; end < 2; ++end) {
            const int number = end == 0 ? heading : heading + 18;
            m_out += twoDigits(number) + sides[end] + "|45 M|" + length + '|' + surface + '|' +
                     ilsFrequency() + '|' + QByteArray::number(number * 10).rightJustified(3, '0') +
                     "|-|-|-|-|-|-\r\n";
        }
    }

    QByteArray &m_out;
    std::minstd_rand m_random{20240607};
};

} // namespace

GeneratedDirectory generateDirectory(int records)
{
    GeneratedDirectory directory;
    RecordWriter writer(directory.bytes);
    for (int index = 0; index < records; ++index) {
        writer.write(index);
        if (index == 0) {
            directory.firstRecordEnd = directory.bytes.size();
        }
    }
    directory.firstCode = QString::fromLatin1(codeOf(0));
    directory.lastCode = QString::fromLatin1(codeOf(records - 1));
    return directory;
}

QString missingCode()
{
    return QStringLiteral("ZZZZ");
}
