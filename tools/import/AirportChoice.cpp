// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportChoice.h"

#include <algorithm>
#include <array>
#include <utility>

namespace import {

namespace {

constexpr std::array<std::pair<std::string_view, int>, 6> kTypeRanks{{
    {"large_airport", 6},
    {"medium_airport", 5},
    {"small_airport", 4},
    {"seaplane_base", 3},
    {"heliport", 2},
    {"balloonport", 1},
}};

bool isCode(std::string_view text)
{
    return text.size() == 4 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool comesFirst(const AirportSource &a, const AirportSource &b)
{
    return a.typeRank != b.typeRank ? a.typeRank > b.typeRank : a.id < b.id;
}

} // namespace

QString AirportChoice::codeOf(std::string_view ident, std::string_view icaoCode, std::string_view gpsCode)
{
    for (const std::string_view candidate : {ident, icaoCode, gpsCode}) {
        if (isCode(candidate))
            return QString::fromLatin1(candidate);
    }
    return {};
}

int AirportChoice::rankOf(std::string_view type)
{
    const auto found = std::find_if(kTypeRanks.begin(), kTypeRanks.end(),
                                    [&](const auto &entry) { return entry.first == type; });
    return found == kTypeRanks.end() ? 0 : found->second;
}

bool AirportChoice::offer(AirportSource airport)
{
    const auto existing = m_airports.find(airport.code);
    if (existing == m_airports.end()) {
        const QString code = airport.code;
        m_airports.insert(code, std::move(airport));
        return true;
    }
    if (comesFirst(airport, *existing))
        *existing = std::move(airport);
    return false;
}

} // namespace import
