#pragma once
// Names compared without regard to case or character width.
#include <QString>
#include <QStringList>
#include <span>

namespace vx {

// NFKC, then case folding: "優p" and "優Ｐ", "s10" and "S10", "ｹﾞｰﾑ" and "ゲーム" fold alike.
QString foldName(const QString& name);
inline bool sameName(const QString& a, const QString& b) { return foldName(a) == foldName(b); }

// Column and table names as the record layer looks them up: the exact spelling first, else the
// first name that folds alike. The folded forms are kept, as lookups are many.
class NameList {
public:
    NameList() = default;
    NameList(const QStringList& names);  // NOLINT: a plain list of names is one
    void append(const QString& name);
    int indexOf(const QString& name) const;  // -1 when absent
    QString find(const QString& name) const { return value(indexOf(name)); }  // the list's spelling, or empty
    // Each name wanted, as indexOf finds it, into `at` (-1 for one absent); true when all are there.
    template <class Names>
    bool indexesOf(const Names& wanted, std::span<int> at) const {
        std::size_t i = 0;
        bool all = true;
        for (const auto& name : wanted) all = (at[i++] = indexOf(QString(name))) >= 0 && all;
        return all;
    }
    QString value(int i) const { return names_.value(i); }
    int size() const { return int(names_.size()); }
    const QStringList& names() const { return names_; }

private:
    QStringList names_, folded_;
};

}  // namespace vx
