#include "platform/posix/MimeFileIcons.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QMimeType>

namespace orvanel {

FileIconLookup MimeFileIcons::iconOf(const std::string& path)
{
    const QString file = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    const QFileInfo info(file);
    if (path.empty() || !info.exists())
        return {};
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    if (!type.isValid())
        return {};
    return {FileIconLookup::Outcome::Found, type.iconName().toStdString(), type.genericIconName().toStdString(),
            std::nullopt};
}

} // namespace orvanel
