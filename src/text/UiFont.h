#pragma once
// The Japanese UI gothic of the program's windows, in order of choice: the classic Windows
// face where it is installed, else IPA P Gothic, a proportional TrueType face of the same
// metrics that is small to load (one face, plain glyph outlines), else Noto Sans CJK JP,
// which renders as well but costs several MiB of memory and a longer first paint.

#include <QFont>
#include <QStringList>

namespace orvanel {

inline QStringList japaneseUiFamilies()
{
    return {QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
            QStringLiteral("Noto Sans CJK JP")};
}

} // namespace orvanel
