#include "RenderLog.h"

namespace render {

Q_LOGGING_CATEGORY(lcRender, "varnelox.render", QtWarningMsg)

} // namespace render
