// A logic file that reaches another subsystem's logic by a relative path.
#include "../../src/publishing/htmltext.h"

QString cell(const QString& name) { return vx::publishing::escapeHtml(name); }
