#include "catalogue/PictureIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace orvanel::catalogue {

namespace {

class PictureIconEngine : public QIconEngine {
public:
    struct Picture {
        QString path;
        int side = 0;
        QPixmap pixmap; // decoded at first use
    };

    explicit PictureIconEngine(std::vector<Picture> pictures) : pictures_(std::move(pictures))
    {
        std::sort(pictures_.begin(), pictures_.end(),
                  [](const Picture& a, const Picture& b) { return a.side < b.side; });
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        Picture* picture = pick(size);
        if (!picture)
            return {};
        if (picture->pixmap.isNull()) {
            // Read as PNG only: otherwise the reader loads every image plugin to ask it first.
            QImageReader reader(picture->path, "png");
            reader.setAutoDetectImageFormat(false);
            picture->pixmap = QPixmap::fromImage(reader.read());
        }
        QPixmap result = picture->pixmap;
        if (!result.isNull() && (result.width() > size.width() || result.height() > size.height()))
            result = result.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal && !result.isNull()) {
            QStyleOption option;
            option.palette = QApplication::palette();
            result = QApplication::style()->generatedIconPixmap(mode, result, &option);
        }
        return result;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pm = pixmap(rect.size() * ratio, mode, state);
        if (pm.isNull())
            return;
        pm.setDevicePixelRatio(ratio);
        const QSize shown = pm.deviceIndependentSize().toSize();
        painter->drawPixmap(QRect(rect.topLeft() + QPoint((rect.width() - shown.width()) / 2,
                                                         (rect.height() - shown.height()) / 2),
                                  shown),
                            pm);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const Picture* picture = pick(size);
        if (!picture)
            return {};
        return QSize(picture->side, picture->side).boundedTo(size);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const Picture& picture : pictures_)
            sizes.append(QSize(picture.side, picture.side));
        return sizes;
    }

    QIconEngine* clone() const override { return new PictureIconEngine(pictures_); }
    QString key() const override { return QStringLiteral("orvanel.picture"); }

private:
    // The smallest picture at least as large as `size`, else the largest.
    Picture* pick(const QSize& size)
    {
        if (pictures_.empty())
            return nullptr;
        for (Picture& picture : pictures_)
            if (picture.side >= size.width() && picture.side >= size.height())
                return &picture;
        return &pictures_.back();
    }

    std::vector<Picture> pictures_;
};

} // namespace

QIcon pictureIcon(std::vector<std::pair<QString, int>> pictures)
{
    std::vector<PictureIconEngine::Picture> list;
    for (auto& [path, side] : pictures)
        list.push_back({std::move(path), side, {}});
    return QIcon(new PictureIconEngine(std::move(list)));
}

} // namespace orvanel::catalogue
