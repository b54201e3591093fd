// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoordinateText.h"

#include "RecordText.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <span>

namespace airportdata {

namespace {

constexpr int MaxParts = 3; // degrees, minutes, seconds
constexpr double PartsPerUnit = 60;

// One piece of a coordinate text: a number (with its sign), a hemisphere letter, or a comma.
struct Token {
    enum class Kind { Number, Letter, Comma };
    Kind kind;
    QStringView text;
};
// Kept on the stack: a position has up to eight numbers and letters.
using Tokens = QVarLengthArray<Token, 12>;

// The tests below come first for plain ASCII, which nearly every coordinate text is.
bool isMark(QChar c)
{
    static constexpr char16_t Marks[] = u"°º'\"′″’”";
    return c == u' ' || c.isSpace() ||
           std::find(std::begin(Marks), std::end(Marks) - 1, c.unicode()) != std::end(Marks) - 1;
}

bool isHemisphere(QChar c)
{
    switch (c.unicode()) {
    case u'N':
    case u'S':
    case u'E':
    case u'W':
    case u'n':
    case u's':
    case u'e':
    case u'w':
        return true;
    default:
        return false;
    }
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool startsNumber(QStringView text, qsizetype at)
{
    const auto digitOrPoint = [&](qsizetype i) {
        return i < text.size() && (isDigit(text[i]) || text[i] == u'.');
    };
    return digitOrPoint(at) || ((text[at] == u'-' || text[at] == u'+') && digitOrPoint(at + 1));
}

// The number starting at `at`: a sign, digits, and at most one decimal point.
qsizetype numberEnd(QStringView text, qsizetype at)
{
    qsizetype end = at + 1;
    bool point = text[at] == u'.';
    while (end < text.size() && (isDigit(text[end]) || (text[end] == u'.' && !std::exchange(point, true))))
        ++end;
    return end;
}

std::optional<Tokens> tokenize(QStringView text)
{
    Tokens tokens;
    for (qsizetype at = 0; at < text.size();) {
        const QChar c = text[at];
        if (isMark(c)) {
            ++at;
        } else if (c == u',') {
            tokens.append({Token::Kind::Comma, text.sliced(at, 1)});
            ++at;
        } else if (isHemisphere(c)) {
            tokens.append({Token::Kind::Letter, text.sliced(at, 1)});
            ++at;
        } else if (startsNumber(text, at)) {
            const qsizetype end = numberEnd(text, at);
            tokens.append({Token::Kind::Number, text.sliced(at, end - at)});
            at = end;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

bool isSigned(QStringView number)
{
    return number.startsWith(u'-') || number.startsWith(u'+');
}

// +1 or -1 for a letter of the axis, 0 for a letter of the other axis.
int hemisphereSign(QChar letter, Axis axis)
{
    const char16_t c = letter.unicode() & ~0x20; // the letter in upper case
    if (axis == Axis::Latitude)
        return c == u'N' ? 1 : c == u'S' ? -1 : 0;
    return c == u'E' ? 1 : c == u'W' ? -1 : 0;
}

// Digits with at most one decimal point, as the tokens hold them: read as plain ASCII, which is much
// quicker than a conversion that knows locales (a directory has some 160,000 of them).
std::optional<double> unsignedNumber(QStringView digits)
{
    constexpr qsizetype Longest = 32;
    if (digits.size() > Longest)
        return std::nullopt;
    char ascii[Longest];
    for (qsizetype i = 0; i < digits.size(); ++i)
        ascii[i] = char(digits[i].unicode());
    double value = 0;
    const auto [end, error] = std::from_chars(ascii, ascii + digits.size(), value);
    if (error != std::errc() || end != ascii + digits.size())
        return std::nullopt;
    return value;
}

// Degrees, minutes and seconds: whole numbers but for the last, minutes and seconds below 60.
std::optional<double> unsignedAngle(std::span<const QStringView> parts)
{
    if (parts.empty() || parts.size() > MaxParts)
        return std::nullopt;
    double degrees = 0;
    double unit = 1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        if (!last && parts[i].contains(u'.'))
            return std::nullopt;
        const std::optional<double> value = unsignedNumber(parts[i]);
        if (!value || (i > 0 && *value >= PartsPerUnit))
            return std::nullopt;
        degrees += *value / unit;
        unit *= PartsPerUnit;
    }
    return degrees;
}

// A hemisphere letter before or after the numbers, or else a sign on the first of them.
std::optional<double> angleOf(std::span<const Token> group, Axis axis)
{
    int sign = 1;
    bool lettered = false;
    if (!group.empty() && group.front().kind == Token::Kind::Letter) {
        sign = hemisphereSign(group.front().text[0], axis);
        lettered = true;
        group = group.subspan(1);
    } else if (!group.empty() && group.back().kind == Token::Kind::Letter) {
        sign = hemisphereSign(group.back().text[0], axis);
        lettered = true;
        group = group.first(group.size() - 1);
    }
    QVarLengthArray<QStringView, MaxParts> parts;
    for (const Token &token : group) {
        if (token.kind != Token::Kind::Number || (isSigned(token.text) && (lettered || !parts.isEmpty())))
            return std::nullopt;
        parts.append(token.text);
    }
    if (sign == 0 || parts.isEmpty())
        return std::nullopt;
    if (isSigned(parts.front())) {
        sign = parts.front().startsWith(u'-') ? -1 : 1;
        parts.front() = parts.front().sliced(1);
    }
    const std::optional<double> degrees = unsignedAngle(parts);
    const double limit = axis == Axis::Latitude ? 90 : 180;
    if (!degrees || *degrees > limit)
        return std::nullopt;
    return sign * *degrees;
}

std::optional<GeoPosition> positionOf(std::span<const Token> latitude, std::span<const Token> longitude)
{
    const std::optional<double> north = angleOf(latitude, Axis::Latitude);
    const std::optional<double> east = angleOf(longitude, Axis::Longitude);
    if (!north || !east)
        return std::nullopt;
    return GeoPosition::fromDegrees(*north, *east);
}

// Two angles with their hemisphere letters, all before or all after their numbers, in either order.
std::optional<GeoPosition> letteredPosition(std::span<const Token> tokens)
{
    QVarLengthArray<qsizetype, 2> letters;
    for (qsizetype i = 0; i < qsizetype(tokens.size()); ++i) {
        if (tokens[i].kind == Token::Kind::Letter)
            letters.append(i);
    }
    if (letters.size() != 2)
        return std::nullopt;
    const bool leading = letters[0] == 0;
    const std::size_t split = leading ? letters[1] : letters[0] + 1;
    const std::span<const Token> first = tokens.first(split);
    const std::span<const Token> second = tokens.subspan(split);
    if (std::optional<GeoPosition> position = positionOf(first, second))
        return position;
    return positionOf(second, first);
}

// Latitude, then longitude, parted by a comma or by the sign of the longitude; or two plain numbers.
std::optional<GeoPosition> signedPosition(std::span<const Token> tokens, qsizetype comma)
{
    if (comma >= 0)
        return positionOf(tokens.first(comma), tokens.subspan(comma + 1));
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        if (isSigned(tokens[i].text))
            return positionOf(tokens.first(i), tokens.subspan(i));
    }
    if (tokens.size() == 2)
        return positionOf(tokens.first(1), tokens.subspan(1));
    return std::nullopt;
}

} // namespace

std::optional<double> readAngle(QStringView text, Axis axis)
{
    const std::optional<Tokens> tokens = tokenize(text);
    if (!tokens)
        return std::nullopt;
    return angleOf(std::span(tokens->cbegin(), tokens->cend()), axis);
}

std::optional<double> readAngle(QByteArrayView text, Axis axis)
{
    // A coordinate field is short: widened on the stack, without a string of its own.
    constexpr qsizetype Longest = 64;
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return quint8(c) < 0x80; });
    if (!ascii || text.size() > Longest)
        return readAngle(decodeText(text), axis);
    char16_t wide[Longest];
    std::copy(text.begin(), text.end(), wide);
    return readAngle(QStringView(wide, text.size()), axis);
}

std::optional<GeoPosition> readPosition(QStringView text)
{
    std::optional<Tokens> tokens = tokenize(text);
    if (!tokens)
        return std::nullopt;
    const auto isLetter = [](const Token &token) { return token.kind == Token::Kind::Letter; };
    const auto isComma = [](const Token &token) { return token.kind == Token::Kind::Comma; };
    if (std::any_of(tokens->cbegin(), tokens->cend(), isLetter)) {
        tokens->removeIf(isComma);
        return letteredPosition(std::span(tokens->cbegin(), tokens->cend()));
    }
    if (std::count_if(tokens->cbegin(), tokens->cend(), isComma) > 1)
        return std::nullopt;
    const auto comma = std::find_if(tokens->cbegin(), tokens->cend(), isComma);
    return signedPosition(std::span(tokens->cbegin(), tokens->cend()),
                          comma == tokens->cend() ? -1 : comma - tokens->cbegin());
}

std::optional<GeoPosition> recordPosition(const AirportRecord &record)
{
    const std::optional<double> latitude = readAngle(record.latitude(), Axis::Latitude);
    const std::optional<double> longitude = readAngle(record.longitude(), Axis::Longitude);
    if (!latitude || !longitude)
        return std::nullopt;
    return GeoPosition::fromDegrees(*latitude, *longitude);
}

} // namespace airportdata
