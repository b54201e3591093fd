#pragma once

#include "platform/RenderProtocol.h"

namespace platform {

// The text the viewer shows instead of a chart: the file's name, its folder and the reason in plain words.
QString chartMessage(const QString &path, ChartFailure failure);

} // namespace platform
