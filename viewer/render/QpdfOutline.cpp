// SPDX-License-Identifier: GPL-3.0-or-later
#include "QpdfOutline.h"

#include "RenderLog.h"

#include <QFileDevice>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <exception>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace render {

namespace {

// Walks the index depth first without recursion: an index may be nested very deep. An entry met again (one
// that holds itself) is read once.
QList<viewer::OutlineEntry> walkOutline(QPDF &pdf, int pageCount)
{
    std::map<QPDFObjGen, int> pageNumbers;
    int number = 0;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages())
        pageNumbers.emplace(page.getObjectHandle().getObjGen(), number++);

    QPDFOutlineDocumentHelper outlines(pdf);
    std::vector<std::pair<QPDFOutlineObjectHelper, int>> stack;
    const auto pushKids = [&stack](std::vector<QPDFOutlineObjectHelper> kids, int level) {
        for (auto kid = kids.rbegin(); kid != kids.rend(); ++kid)
            stack.emplace_back(std::move(*kid), level);
    };
    pushKids(outlines.getTopLevelOutlines(), 0);
    std::set<QPDFObjGen> seen;
    QList<viewer::OutlineEntry> entries;
    while (!stack.empty() && entries.size() < viewer::protocol::MaxOutlineEntries) {
        auto [item, level] = std::move(stack.back());
        stack.pop_back();
        if (!seen.insert(item.getObjectHandle().getObjGen()).second)
            continue;
        const auto page = pageNumbers.find(item.getDestPage().getObjGen());
        if (page != pageNumbers.end() && page->second < pageCount)
            entries.append({QString::fromStdString(item.getTitle()), page->second, level});
        pushKids(item.getKids(), level + 1);
    }
    return entries;
}

} // namespace

QList<viewer::OutlineEntry> readQpdfOutline(QIODevice &file, int pageCount)
{
    // A file is mapped rather than read: qpdf reads only the objects it needs of it, a few of many megabytes.
    auto *onDisk = qobject_cast<QFileDevice *>(&file);
    const uchar *mapped = onDisk ? onDisk->map(0, onDisk->size()) : nullptr;
    const QByteArray contents =
        mapped ? QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), onDisk->size())
               : (file.seek(0) ? file.readAll() : QByteArray());
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("chart", contents.constData(), size_t(contents.size()));
        return walkOutline(pdf, pageCount);
    } catch (const std::exception &error) {
        qCInfo(lcRender) << "the chart's index could not be read:" << error.what();
        return {};
    }
}

} // namespace render
