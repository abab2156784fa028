// A logic file that opens a window without including its header.
#include <QString>

namespace vx::forms {
bool show(const QString& name);
}

void openStartMenu() { vx::forms::show(QStringLiteral("Form_Start")); }
