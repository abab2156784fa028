#include "common/settingskeys.h"
#include "common/convert.h"
#include "common/settings.h"

namespace vx::settings {

QString read(const Key& key) { return GetSetting(key.section.toString(), key.name.toString(), key.defaultText.toString()); }

void save(const Key& key, const QString& value) { SaveSetting(key.section.toString(), key.name.toString(), value); }

void save(const std::vector<std::pair<Key, QString>>& values) {
    if (values.empty()) return;
    std::vector<std::pair<QString, QString>> named;
    for (const auto& [key, value] : values) {
        Q_ASSERT(key.section.compare(values.front().first.section, Qt::CaseInsensitive) == 0);
        named.emplace_back(key.name.toString(), value);
    }
    SaveSettings(values.front().first.section.toString(), named);
}

bool readFlag(const Key& key) {
    Q_ASSERT(key.flag != Flag::None);
    const QString text = read(key);
    switch (key.flag) {
    case Flag::ExactlyOne:
        return text == QLatin1String("1");
    case Flag::TrueFalse: {
        const QString t = text.trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
        bool isNumber = false;
        const double v = t.toDouble(&isNumber);
        return isNumber && v != 0;
    }
    case Flag::Number:
    case Flag::None:
        break;
    }
    return Val(text) != 0;
}

QString flagText(const Key& key, bool on) {
    if (key.flag == Flag::TrueFalse) return on ? QStringLiteral("True") : QStringLiteral("False");
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

void saveFlag(const Key& key, bool on) { save(key, flagText(key, on)); }

namespace {
QString positionName(const QString& prefix, Edge edge, bool written) {
    if (edge == Edge::Left) return prefix + (written ? QLatin1String("_left") : QLatin1String("_Left"));
    return prefix + (written ? QLatin1String("_top") : QLatin1String("_Top"));
}
}  // namespace

QString readPosition(const QString& prefix, Edge edge, QStringView defaultText) {
    return GetSetting(keys::FormSection.toString(), positionName(prefix, edge, false), defaultText.toString());
}

void savePosition(const QString& prefix, Edge edge, const QString& value) {
    SaveSetting(keys::FormSection.toString(), positionName(prefix, edge, true), value);
}

}  // namespace vx::settings
