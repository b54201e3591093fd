#include "FeedLog.h"

namespace simlink {

Q_LOGGING_CATEGORY(lcSimlink, "varnelox.simlink", QtWarningMsg)

} // namespace simlink
