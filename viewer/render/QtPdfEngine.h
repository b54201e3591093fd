// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartEngine.h"

#include <QPdfDocument>

namespace render {

// The chart engine of Qt Pdf. The chart's index is read with qpdf from the file the engine reads: Qt Pdf's
// bookmark model parses every page an entry leads to, nearly a second for a joined chart of twenty pages.
class QtPdfEngine final : public ChartEngine {
public:
    QtPdfEngine() = default;

    // Readies the engine for the helper's whole run: its memory, its warnings, its fonts. Run once, before
    // the first chart, while a QtPdfEngine exists (the engine keeps what it readied only while a document
    // exists).
    static void prepare();

    viewer::ChartFailure open(QIODevice *file) override;
    QList<QSizeF> pageSizes() const override;
    QImage draw(int page, QSize pixelSize, int quarterTurns, QRect part) override;
    QList<viewer::OutlineEntry> outline() override;

private:
    QPdfDocument m_document;
    QIODevice *m_file = nullptr;
};

} // namespace render
