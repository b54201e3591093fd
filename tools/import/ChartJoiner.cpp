// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartJoiner.h"

#include "SourceFile.h"

#include <QFile>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <unistd.h>

namespace import {

namespace {

struct Bookmark {
    QString title;
    QPDFObjectHandle page;
};

// The top left corner of the page at the zoom the reader has.
QPDFObjectHandle destination(QPDFObjectHandle page)
{
    const QPDFObjectHandle::Rectangle box = QPDFPageObjectHelper(page).getMediaBox().getArrayAsRectangle();
    return QPDFObjectHandle::newArray({page, QPDFObjectHandle::newName("/XYZ"),
                                       QPDFObjectHandle::newReal(box.llx), QPDFObjectHandle::newReal(box.ury),
                                       QPDFObjectHandle::newNull()});
}

// Opens a source PDF for qpdf: a regular file only, opened without waiting (a pipe would block it).
FILE *openPdf(const QString &path, QString &problem)
{
    QFile file;
    if (Status opened = openSourceFile(path, file); !opened.ok) {
        problem = opened.message;
        return nullptr;
    }
    const int descriptor = dup(file.handle());
    FILE *stream = descriptor < 0 ? nullptr : fdopen(descriptor, "rb");
    if (!stream) {
        if (descriptor >= 0)
            close(descriptor);
        problem = path + QStringLiteral(": cannot be read: ") + QString::fromLocal8Bit(std::strerror(errno));
    }
    return stream;
}

// The joined document and the source documents whose pages it holds: copied pages keep reading their
// source until the document is written.
class Joining {
public:
    Joining() { m_output.emptyPDF(); }

    // Appends the pages of one file; returns the first page added, or a null handle with the problem.
    QPDFObjectHandle addFile(const QString &file, QString &problem)
    {
        FILE *stream = openPdf(file, problem);
        if (!stream)
            return {};
        // Kept even when the file fails part way: pages copied before the failure still refer to it.
        QPDF &source = *m_sources.emplace_back(std::make_unique<QPDF>());
        source.setSuppressWarnings(true);
        QPDFPageDocumentHelper pages(m_output);
        const std::size_t before = m_output.getAllPages().size();
        try {
            source.processFile(QFile::encodeName(file).constData(), stream, true);
            for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(source).getAllPages())
                pages.addPage(page, false);
        } catch (const std::exception &error) {
            removePagesAfter(before);
            problem = file + QStringLiteral(": not a readable PDF: ") + QString::fromUtf8(error.what());
            return {};
        }
        if (m_output.getAllPages().size() == before) {
            problem = file + QStringLiteral(": no pages");
            return {};
        }
        return m_output.getAllPages()[before];
    }

    int pageCount() { return int(m_output.getAllPages().size()); }

    void addOutline(const std::vector<Bookmark> &bookmarks)
    {
        QPDFObjectHandle outlines = m_output.makeIndirectObject(QPDFObjectHandle::newDictionary());
        outlines.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
        std::vector<QPDFObjectHandle> items;
        for (const Bookmark &bookmark : bookmarks) {
            QPDFObjectHandle item = m_output.makeIndirectObject(QPDFObjectHandle::newDictionary());
            item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(bookmark.title.toStdString()));
            item.replaceKey("/Parent", outlines);
            item.replaceKey("/Dest", destination(bookmark.page));
            if (!items.empty()) {
                item.replaceKey("/Prev", items.back());
                items.back().replaceKey("/Next", item);
            }
            items.push_back(item);
        }
        outlines.replaceKey("/First", items.front());
        outlines.replaceKey("/Last", items.back());
        outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(qint64(items.size())));
        QPDFObjectHandle root = m_output.getRoot();
        root.replaceKey("/Outlines", outlines);
        root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
    }

    QByteArray write()
    {
        QPDFWriter writer(m_output);
        writer.setOutputMemory();
        // The document's ID from its contents, not from the time: the same charts give the same bytes.
        writer.setDeterministicID(true);
        writer.write();
        const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char *>(buffer->getBuffer()), qsizetype(buffer->getSize()));
    }

private:
    void removePagesAfter(std::size_t count)
    {
        QPDFPageDocumentHelper pages(m_output);
        while (m_output.getAllPages().size() > count)
            pages.removePage(QPDFPageObjectHelper(m_output.getAllPages().back()));
    }

    QPDF m_output;
    std::vector<std::unique_ptr<QPDF>> m_sources;
};

} // namespace

JoinedFile joinCharts(const QList<ChartPages> &charts)
{
    JoinedFile joined;
    try {
        Joining joining;
        std::vector<Bookmark> bookmarks;
        for (const ChartPages &chart : charts) {
            QPDFObjectHandle first;
            for (const QString &file : chart.files) {
                QString problem;
                const QPDFObjectHandle page = joining.addFile(file, problem);
                if (!problem.isEmpty())
                    joined.problems.append(problem);
                else if (!first.isInitialized())
                    first = page;
            }
            if (first.isInitialized())
                bookmarks.push_back({chart.title, first});
        }
        joined.pages = joining.pageCount();
        joined.charts = int(bookmarks.size());
        if (bookmarks.empty()) {
            joined.message = QStringLiteral("none of its charts could be read");
            return joined;
        }
        joining.addOutline(bookmarks);
        joined.pdf = joining.write();
        joined.ok = true;
    } catch (const std::exception &error) {
        joined.message = QStringLiteral("the joined PDF cannot be made: ") + QString::fromUtf8(error.what());
    }
    return joined;
}

} // namespace import
