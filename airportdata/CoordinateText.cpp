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

// One piece of a coordinate text: a number (read as it stands, its sign apart), a hemisphere letter, or a
// comma.
struct Token {
    enum class Kind { Number, Letter, Comma };
    Kind kind;
    char16_t letter = 0; // for a letter: the letter in upper case
    int sign = 0;        // for a number: -1 or +1 when it has a sign, else 0
    bool fraction = false;
    double value = 0;
};
// Kept on the stack: a position has up to eight numbers and letters.
using Tokens = QVarLengthArray<Token, 12>;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isMark(QChar c)
{
    static constexpr char16_t Marks[] = u"°º'\"′″’”";
    return c.isSpace() ||
           std::find(std::begin(Marks), std::end(Marks) - 1, c.unicode()) != std::end(Marks) - 1;
}

// The letter in upper case when it is one of a hemisphere.
std::optional<char16_t> hemisphere(QChar c)
{
    const char16_t upper = c.unicode() & ~0x20;
    if (c.unicode() < 0x80 && (upper == u'N' || upper == u'S' || upper == u'E' || upper == u'W'))
        return upper;
    return std::nullopt;
}

// The number at `at`: a sign, digits, at most one decimal point; read as plain ASCII, which is much quicker
// than a conversion that knows locales (a directory has some 160,000 of them). Nothing when it is none.
std::optional<Token> numberAt(QStringView text, qsizetype &at)
{
    constexpr qsizetype Longest = 32;
    Token number{Token::Kind::Number};
    qsizetype from = at;
    if (text[from] == u'-' || text[from] == u'+')
        number.sign = text[from++] == u'-' ? -1 : 1;
    char ascii[Longest];
    qsizetype length = 0;
    for (qsizetype i = from; i < text.size() && length < Longest; ++i, ++length) {
        if (!isDigit(text[i]) && (text[i] != u'.' || std::exchange(number.fraction, true)))
            break;
        ascii[length] = char(text[i].unicode());
    }
    const bool tooLong =
        from + length < text.size() && (isDigit(text[from + length]) || text[from + length] == u'.');
    const auto [end, error] = std::from_chars(ascii, ascii + length, number.value);
    if (length == 0 || tooLong || error != std::errc() || end != ascii + length)
        return std::nullopt;
    at = from + length;
    return number;
}

std::optional<Tokens> tokenize(QStringView text)
{
    Tokens tokens;
    for (qsizetype at = 0; at < text.size();) {
        const QChar c = text[at];
        if (isDigit(c) || c == u'.' || c == u'-' || c == u'+') {
            const std::optional<Token> number = numberAt(text, at);
            if (!number)
                return std::nullopt;
            tokens.append(*number);
        } else if (const std::optional<char16_t> letter = hemisphere(c)) {
            tokens.append({Token::Kind::Letter, *letter});
            ++at;
        } else if (c == u',') {
            tokens.append({Token::Kind::Comma});
            ++at;
        } else if (isMark(c)) {
            ++at;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

// +1 or -1 for a letter of the axis, 0 for a letter of the other axis.
int hemisphereSign(char16_t letter, Axis axis)
{
    if (axis == Axis::Latitude)
        return letter == u'N' ? 1 : letter == u'S' ? -1 : 0;
    return letter == u'E' ? 1 : letter == u'W' ? -1 : 0;
}

// Degrees, minutes and seconds: whole numbers but for the last, unsigned but for the first, minutes and
// seconds below 60.
std::optional<double> unsignedAngle(std::span<const Token> parts)
{
    if (parts.empty() || parts.size() > MaxParts)
        return std::nullopt;
    double degrees = 0;
    double unit = 1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Token &part = parts[i];
        if (part.kind != Token::Kind::Number || (part.fraction && i + 1 != parts.size()) ||
            (part.sign != 0 && i > 0) || (i > 0 && part.value >= PartsPerUnit))
            return std::nullopt;
        degrees += part.value / unit;
        unit *= PartsPerUnit;
    }
    return degrees;
}

// A hemisphere letter before or after the numbers, or else a sign on the first of them.
std::optional<double> angleOf(std::span<const Token> group, Axis axis)
{
    std::optional<int> sign;
    if (!group.empty() && group.front().kind == Token::Kind::Letter) {
        sign = hemisphereSign(group.front().letter, axis);
        group = group.subspan(1);
    } else if (!group.empty() && group.back().kind == Token::Kind::Letter) {
        sign = hemisphereSign(group.back().letter, axis);
        group = group.first(group.size() - 1);
    }
    const std::optional<double> degrees = unsignedAngle(group);
    if (!degrees || sign == 0 || (sign && group.front().sign != 0))
        return std::nullopt;
    const double limit = axis == Axis::Latitude ? 90 : 180;
    if (*degrees > limit)
        return std::nullopt;
    return sign.value_or(group.front().sign < 0 ? -1 : 1) * *degrees;
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
        if (tokens[i].kind == Token::Kind::Number && tokens[i].sign != 0)
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
