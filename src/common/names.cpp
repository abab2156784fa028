#include "common/names.h"

namespace vx {

QString foldName(const QString& name) { return name.normalized(QString::NormalizationForm_KC).toCaseFolded(); }

}  // namespace vx
