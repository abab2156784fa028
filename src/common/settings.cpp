#include "common/settings.h"
#include "common/atomicfile.h"
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <map>
#include <optional>
#include <vector>

namespace vx::settings {
namespace {

struct Entry {
    QString key;  // as first written
    QString value;
};
struct Section {
    QString name;
    std::vector<Entry> entries;
};

std::optional<std::vector<Section>> cache;
QString cachePath;

QString escape(const QString& v) {
    QString out;
    for (QChar c : v) {
        if (c == QLatin1Char('\\')) out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n')) out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r')) out += QLatin1String("\\r");
        else out += c;
    }
    return out;
}

QString unescape(const QString& v) {
    QString out;
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] == QLatin1Char('\\') && i + 1 < v.size()) {
            const QChar n = v[++i];
            out += n == QLatin1Char('n') ? QChar(u'\n') : n == QLatin1Char('r') ? QChar(u'\r') : n;
        } else {
            out += v[i];
        }
    }
    return out;
}

bool sameKey(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

std::vector<Section>& store() {
    const QString path = storePath();
    if (cache && cachePath == path) return *cache;
    cache.emplace();
    cachePath = path;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return *cache;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    Section* cur = nullptr;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            cache->push_back({line.mid(1, line.size() - 2), {}});
            cur = &cache->back();
        } else if (cur) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq > 0) cur->entries.push_back({line.left(eq), unescape(line.mid(eq + 1))});
        }
    }
    return *cache;
}

bool writeStore(const std::vector<Section>& sections) {
    QDir().mkpath(storeFolder());
    QString text;
    for (const Section& s : sections) {
        text += QLatin1Char('[') + s.name + QLatin1String("]\n");
        for (const Entry& e : s.entries) text += e.key + QLatin1Char('=') + escape(e.value) + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    return writeWhole(storePath(), text.toUtf8());
}

}  // namespace

QString storeFolder() {
    QString base = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (base.isEmpty()) base = QDir::homePath() + QLatin1String("/.config");
    return base + QLatin1String("/Vorlix32");
}

QString storePath() { return storeFolder() + QLatin1String("/Vorlix32.ini"); }

void reload() { cache.reset(); }

QString GetSetting(const QString& section, const QString& key, const QString& defaultText) {
    for (const Section& s : store())
        if (sameKey(s.name, section))
            for (const Entry& e : s.entries)
                if (sameKey(e.key, key)) return e.value;
    return defaultText;
}

void SaveSetting(const QString& section, const QString& key, const QString& value) { SaveSettings(section, {{key, value}}); }

void SaveSettings(const QString& section, const std::vector<std::pair<QString, QString>>& values) {
    std::vector<Section> next = store();
    Section* target = nullptr;
    for (Section& s : next)
        if (sameKey(s.name, section)) target = &s;
    if (!target) {
        next.push_back({section, {}});
        target = &next.back();
    }
    for (const auto& [key, value] : values) {
        bool found = false;
        for (Entry& e : target->entries)
            if (sameKey(e.key, key)) { e.value = value; found = true; }
        if (!found) target->entries.push_back({key, value});
    }
    // The cache follows the file only when the file was written, so a failed save changes nothing.
    if (writeStore(next)) *cache = std::move(next);
}

}  // namespace vx::settings
