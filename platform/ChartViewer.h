#pragma once

#include <QWidget>

class QLabel;
class QPdfDocument;
class QPdfView;
class QToolBar;

namespace platform {

// The embedded chart viewer of both windows: shows one PDF chart, with a toolbar that can be
// switched off. A file it cannot show is replaced by a plain message naming the file and the reason.
class ChartViewer : public QWidget {
    Q_OBJECT

public:
    enum class State { Empty, Loading, Shown, Failed };
    Q_ENUM(State)

    explicit ChartViewer(QWidget *parent = nullptr);
    ~ChartViewer() override;

    void loadFile(const QString &path);
    void setToolbarVisible(bool visible);

    bool isToolbarVisible() const;
    QString loadedFile() const { return m_file; }
    State state() const { return m_state; }
    QString message() const;

signals:
    void stateChanged(platform::ChartViewer::State state);

private:
    void setState(State state);
    void showFailure(const QString &reason);

    QString m_file;
    State m_state = State::Empty;
    QToolBar *m_toolbar = nullptr;
    QLabel *m_message = nullptr;
    QPdfView *m_view = nullptr;
    QPdfDocument *m_document = nullptr;
};

} // namespace platform
