// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace render {

using viewer::ChartFailure;

namespace {

// Why the file at path cannot be read, looked at without ever opening anything but a regular file.
ChartFailure openFailure(const QString &path, const platform::FileOpening &opened)
{
    switch (opened.problem) {
    case platform::FileProblem::None:
        return ChartFailure::None;
    case platform::FileProblem::Missing:
        return QFileInfo(path).absoluteDir().exists() ? ChartFailure::FileMissing
                                                      : ChartFailure::FolderMissing;
    case platform::FileProblem::PermissionDenied:
        return ChartFailure::PermissionDenied;
    case platform::FileProblem::Folder:
        return ChartFailure::NotAFile;
    case platform::FileProblem::NotRegular:
        return ChartFailure::NotRegularFile;
    case platform::FileProblem::Failed:
        break;
    }
    return ChartFailure::Unreadable;
}

// A PDF file names itself within its first kilobyte.
ChartFailure contentFailure(QFile &file)
{
    if (file.size() == 0)
        return ChartFailure::Empty;
    const bool named = file.read(1024).contains("%PDF-");
    if (!file.seek(0))
        return ChartFailure::Unreadable;
    return named ? ChartFailure::None : ChartFailure::NotPdf;
}

} // namespace

ChartFiles::ChartFiles(ChartEngineFactory engines)
    : m_engines(std::move(engines))
{}

ReadChart *ChartFiles::current(const QString &path)
{
    const auto chart = known(path);
    if (chart == m_charts.end() || platform::fileIdentity(path) != chart->identity)
        return nullptr;
    m_charts.splice(m_charts.begin(), m_charts, chart);
    return &m_charts.front();
}

ReadChart *ChartFiles::find(const QString &path, ChartFailure &failure)
{
    if (ReadChart *chart = current(path)) {
        failure = ChartFailure::None;
        return chart;
    }
    return ready(path, failure);
}

ReadChart *ChartFiles::ready(const QString &path, ChartFailure &failure)
{
    if (ReadChart *chart = current(path); chart && chart->canDraw()) {
        failure = ChartFailure::None;
        return chart;
    }
    std::unique_ptr<ReadChart> read = readApart(path, failure);
    if (!read)
        return nullptr;
    keep(std::move(*read));
    return &m_charts.front();
}

std::unique_ptr<ReadChart> ChartFiles::readApart(const QString &path, ChartFailure &failure) const
{
    if (path.isEmpty()) {
        failure = ChartFailure::NoFileNamed;
        return nullptr;
    }
    auto chart = std::make_unique<ReadChart>();
    chart->path = path;
    chart->file = std::make_unique<QFile>(path);
    failure = openFailure(path, platform::openRegularFile(*chart->file));
    if (failure == ChartFailure::None)
        failure = contentFailure(*chart->file);
    if (failure != ChartFailure::None)
        return nullptr;
    // The engine reads the file that was checked, through the descriptor opened above; the version read is
    // that of the open file, whatever now stands at path.
    chart->engine = m_engines();
    failure = chart->engine->open(chart->file.get());
    const std::optional<platform::FileIdentity> identity = platform::fileIdentity(*chart->file);
    if (failure == ChartFailure::None && !identity)
        failure = ChartFailure::Unreadable;
    if (failure != ChartFailure::None)
        return nullptr;
    chart->identity = *identity;
    chart->pageSizes = chart->engine->pageSizes();
    return chart;
}

void ChartFiles::remember(const QString &path, const platform::FileIdentity &identity,
                          const QList<QSizeF> &pageSizes,
                          const std::optional<QList<viewer::OutlineEntry>> &outline)
{
    const auto chart = known(path);
    if (chart != m_charts.end() && chart->identity == identity) {
        if (!chart->outline)
            chart->outline = outline;
        return;
    }
    ReadChart read;
    read.path = path;
    read.identity = identity;
    read.pageSizes = pageSizes;
    read.outline = outline;
    keep(std::move(read));
}

std::list<ReadChart>::iterator ChartFiles::known(const QString &path)
{
    return std::find_if(m_charts.begin(), m_charts.end(),
                        [&path](const ReadChart &chart) { return chart.path == path; });
}

void ChartFiles::keep(ReadChart chart)
{
    if (const auto earlier = known(chart.path); earlier != m_charts.end())
        m_charts.erase(earlier);
    m_charts.push_front(std::move(chart));
    if (m_charts.size() > size_t(MaxKnownCharts))
        m_charts.pop_back();
    int ready = 0;
    for (ReadChart &kept : m_charts) {
        if (kept.canDraw() && ++ready > MaxReadyCharts) {
            kept.engine.reset();
            kept.file.reset();
        }
    }
}

} // namespace render
