#include "platform/ChartViewer.h"

#include <QFileInfo>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QToolBar>
#include <QVBoxLayout>

namespace platform {

ChartViewer::ChartViewer(QWidget *parent)
    : QWidget(parent)
    , m_toolbar(new QToolBar(this))
    , m_message(new QLabel(this))
    , m_view(new QPdfView(this))
    , m_document(new QPdfDocument(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_message);
    layout->addWidget(m_view, 1);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->hide();
    m_view->setDocument(m_document);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
}

ChartViewer::~ChartViewer()
{
    delete m_view;
}

void ChartViewer::loadFile(const QString &path)
{
    m_file = path;
    m_document->close();
    if (!QFileInfo(path).isFile()) {
        showFailure(QStringLiteral("the file does not exist"));
        return;
    }
    m_document->load(path);
    if (m_document->status() != QPdfDocument::Status::Ready) {
        showFailure(QStringLiteral("the chart could not be read"));
        return;
    }
    m_message->hide();
    m_view->show();
    setState(State::Shown);
}

void ChartViewer::setToolbarVisible(bool visible)
{
    m_toolbar->setVisible(visible);
}

bool ChartViewer::isToolbarVisible() const
{
    return !m_toolbar->isHidden();
}

QString ChartViewer::message() const
{
    return m_message->isHidden() ? QString() : m_message->text();
}

void ChartViewer::setState(State state)
{
    m_state = state;
    emit stateChanged(state);
}

void ChartViewer::showFailure(const QString &reason)
{
    m_view->hide();
    m_message->setText(QStringLiteral("%1:\n%2").arg(QFileInfo(m_file).fileName(), reason));
    m_message->show();
    setState(State::Failed);
}

} // namespace platform
