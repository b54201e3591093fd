// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineWarmUp.h"

#include <QBuffer>
#include <QImage>
#include <QPdfDocument>

namespace render {

namespace {

// One page with one word in a font the file names but does not carry; the engine finds the cross-reference
// table by reading the objects.
constexpr char WarmUpPage[] = "%PDF-1.4\n"
                              "1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
                              "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
                              "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 72 36]"
                              " /Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >> endobj\n"
                              "4 0 obj << /Type /Font /Subtype /Type1 /BaseFont /Helvetica"
                              " /Encoding /WinAnsiEncoding >> endobj\n"
                              "5 0 obj << /Length 38 >> stream\n"
                              "BT /F1 12 Tf 4 12 Td (Varnelox) Tj ET\n"
                              "endstream endobj\n"
                              "trailer << /Root 1 0 R /Size 6 >>\n"
                              "%%EOF\n";

} // namespace

bool warmUpEngine()
{
    QBuffer file;
    file.setData(QByteArray::fromRawData(WarmUpPage, sizeof(WarmUpPage) - 1));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QPdfDocument document;
    document.load(&file);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() != 1)
        return false;
    const QImage page = document.render(0, QSize(72, 36));
    document.close();
    return !page.isNull() && page.size() == QSize(72, 36);
}

} // namespace render
