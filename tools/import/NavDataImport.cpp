// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavDataImport.h"

#include "DirectoryMerge.h"
#include "ImportSummary.h"
#include "LibraryWriter.h"
#include "StoredRecordRevision.h"

#include <QFileInfo>

namespace import {

Status importNavData(const NavDataOptions &options, ImportSummary &summary)
{
    const QString revised = QStringLiteral("records given localizers");
    const QString kept = QStringLiteral("records kept as they were");
    for (const QString &what : {revised, kept, kLocalizersFilled})
        summary.count(what, 0);
    LocalizerTable localizers;
    if (Status loaded = localizers.load(options.navData, summary); !loaded.ok)
        return loaded;

    LibraryWriter library(options.libraryFolder);
    if (!QFileInfo::exists(library.directoryPath())) {
        return Status::failure(library.directoryPath() +
                               QStringLiteral(": no such file: import airports first (varnelox-import "
                                              "ourairports), or name the library with --library"));
    }
    if (Status opened = library.open(); !opened.ok)
        return opened;
    StoredRecordRevision revision(localizers, summary);
    const MergedDirectory merged = reviseDirectory(
        library.oldDirectory(), [&revision](const airportdata::StoredRecord &stored, QByteArrayView bytes) {
            return revision.revise(stored, bytes);
        });
    if (Status written = library.replaceDirectory(merged.bytes); !written.ok)
        return written;
    summary.count(revised, merged.replaced);
    summary.count(kept, merged.kept);
    localizers.summarise(revision.codes(),
                         QStringLiteral("airports of the navigation data not in the library"), summary);
    return {};
}

} // namespace import
