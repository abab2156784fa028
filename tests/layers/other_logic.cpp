// A logic file that uses a later subsystem's logic without including its header.
#include <QString>

namespace vx::publishing {
QString escapeHtml(const QString& text);
}

QString cell(const QString& name) { return vx::publishing::escapeHtml(name); }
