#include "common/names.h"

namespace vx {

QString foldName(const QString& name) { return name.normalized(QString::NormalizationForm_KC).toCaseFolded(); }

NameList::NameList(const QStringList& names) {
    for (const QString& n : names) append(n);
}

void NameList::append(const QString& name) {
    names_.append(name);
    folded_.append(foldName(name));
}

int NameList::indexOf(const QString& name) const {
    const qsizetype exact = names_.indexOf(name);
    return int(exact >= 0 ? exact : folded_.indexOf(foldName(name)));
}

}  // namespace vx
