#pragma once
// Names compared without regard to case or character width.
#include <QString>

namespace vx {

// NFKC, then case folding: "優p" and "優Ｐ", "s10" and "S10", "ｹﾞｰﾑ" and "ゲーム" fold alike.
QString foldName(const QString& name);
inline bool sameName(const QString& a, const QString& b) { return foldName(a) == foldName(b); }

}  // namespace vx
