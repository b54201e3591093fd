// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFonts.h"

namespace mainwindow {

namespace {

const QString SansSerif = QStringLiteral("MS Sans Serif");

QFont makeFont(const QString &family, qreal pointSize, bool bold = true)
{
    // "MS Sans Serif" has no metric-compatible free font; Liberation Sans stands in for it.
    QFont::insertSubstitution(SansSerif, QStringLiteral("Liberation Sans"));
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont formFont(FontRole role)
{
    switch (role) {
    case FontRole::Default:
        return makeFont(SansSerif, 8.25, false);
    case FontRole::FrameLarge:
        return makeFont(SansSerif, 9.75);
    case FontRole::FrameSmall:
        return makeFont(SansSerif, 8.25);
    case FontRole::HeadingEntry:
        return makeFont(QStringLiteral("Times New Roman"), 14.25);
    case FontRole::HeadingName:
        return makeFont(QStringLiteral("Times New Roman"), 15.75);
    case FontRole::HeadingGrid:
        return makeFont(QStringLiteral("Times New Roman"), 11.25);
    case FontRole::GridCell:
        return makeFont(QStringLiteral("Arial"), 14.25);
    case FontRole::EntryBox:
        return makeFont(QStringLiteral("Arial"), 18);
    case FontRole::OptionButton:
        return makeFont(QStringLiteral("Arial"), 9.75);
    case FontRole::Panel:
        return makeFont(SansSerif, 12);
    case FontRole::PanelLink: {
        QFont font = makeFont(SansSerif, 12);
        font.setUnderline(true);
        return font;
    }
    }
    return {};
}

} // namespace mainwindow
