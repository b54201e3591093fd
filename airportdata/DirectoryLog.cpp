#include "DirectoryLog.h"

namespace airportdata {

Q_LOGGING_CATEGORY(lcDirectory, "varnelox.directory", QtWarningMsg)

} // namespace airportdata
