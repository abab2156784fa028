#pragma once

namespace vx {
// Registers every window by its name: the only place that knows them all.
void registerAllWindows();
}
