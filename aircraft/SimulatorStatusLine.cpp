// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatorStatusLine.h"

#include "ElidingLabel.h"
#include "PositionText.h"
#include "SimulatorLink.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

#include <chrono>

namespace aircraft {

namespace {

constexpr std::chrono::seconds HintShown(6);
constexpr int Spacing = 12;

// Grey text for what is not a live position: halfway between the text's colour and the line's.
void showGrey(ElidingLabel *label, bool grey)
{
    QPalette palette = label->parentWidget()->palette();
    if (grey) {
        const QColor text = palette.color(label->foregroundRole());
        const QColor ground = palette.color(label->backgroundRole());
        palette.setColor(label->foregroundRole(),
                         QColor((text.red() + ground.red()) / 2, (text.green() + ground.green()) / 2,
                                (text.blue() + ground.blue()) / 2));
    }
    label->setPalette(palette);
}

} // namespace

SimulatorStatusLine::SimulatorStatusLine(SimulatorLink &link, QWidget *parent)
    : QFrame(parent)
    , m_link(link)
    , m_position(new ElidingLabel(this))
    , m_note(new ElidingLabel(this))
{
    setObjectName(QStringLiteral("simulatorStatusLine"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    m_position->setObjectName(QStringLiteral("positionLine"));
    m_note->setObjectName(QStringLiteral("simulatorNote"));
    m_note->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 2, 0);
    layout->setSpacing(Spacing);
    layout->addWidget(m_position);
    layout->addWidget(m_note, 1);

    m_hintTimer.setSingleShot(true);
    m_hintTimer.setInterval(HintShown);
    connect(&m_hintTimer, &QTimer::timeout, this, &SimulatorStatusLine::refresh);
    connect(&m_link, &SimulatorLink::changed, this, &SimulatorStatusLine::refresh);
    refresh();
}

void SimulatorStatusLine::setAirport(const QString &code)
{
    m_airport = code;
    refresh();
}

void SimulatorStatusLine::showHint(const QString &text)
{
    showNote(text);
    m_hintTimer.start();
}

void SimulatorStatusLine::addMenuButton(const QString &caption, QMenu *menu)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QStringLiteral("simulatorMenuButton"));
    button->setText(caption);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setAutoRaise(true);
    layout()->addWidget(button);
}

QString SimulatorStatusLine::positionText() const
{
    return m_position->text();
}

void SimulatorStatusLine::refresh()
{
    const simlink::FeedState &state = m_link.state();
    m_position->setFullText(positionLineText(state, m_link.courseTo(m_airport), m_airport));
    showGrey(m_position, state.status != simlink::FeedState::Status::Live);
    if (!m_hintTimer.isActive())
        showNote(feedNote(state));
}

void SimulatorStatusLine::showNote(const QString &text)
{
    m_note->setFullText(text);
}

} // namespace aircraft
