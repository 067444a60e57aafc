#pragma once

namespace BatchTool {

// Whether Qt's GUI can start here. Qt ends the program when its platform
// cannot reach a display, so the batch program asks first and, without a
// display, runs without one instead.
bool guiPlatformAvailable();

} // namespace BatchTool
