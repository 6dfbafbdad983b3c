// The tag button icons as Qt draws them: every button of the fixed set has its SVG art,
// Qt's renderer accepts it, it draws something on the 27 x 27 grid, and the dialog mark in
// the bottom-right corner appears exactly on the group buttons; the pictures rendered from
// the art at build time, which the program shows, are there in both densities and not blank.

#include "catalogue/TagButtons.h"

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <set>
#include <utility>

// The icons live in a static library, whose resources are registered only on request.
static void registerIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

using orvanel::catalogue::TagButton;
using orvanel::catalogue::TagButtonKind;
using orvanel::catalogue::tagButtons;

QString iconPath(const TagButton& button)
{
    return QStringLiteral(":/icons/") + QString::fromUtf8(button.key.data(), qsizetype(button.key.size()))
        + QStringLiteral(".svg");
}

QImage renderAt27(QSvgRenderer& renderer)
{
    QImage image(27, 27, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, 27, 27));
    return image;
}

bool dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 100;
}

bool white(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) > 235;
}

// The mark: a dark pill with three white dots, at x 17..26, y 23..26.
bool hasDialogMark(const QImage& image)
{
    return dark(image, 20, 24) && dark(image, 23, 25) && dark(image, 17, 25)
        && white(image, 18, 24) && white(image, 22, 25) && white(image, 25, 24);
}

class TagButtonIcons : public ::testing::Test {
protected:
    static void SetUpTestSuite() { registerIcons(); }
};

TEST_F(TagButtonIcons, EveryButtonHasAnIconThatQtDraws)
{
    ASSERT_EQ(tagButtons().size(), 67u);
    for (const TagButton& button : tagButtons()) {
        SCOPED_TRACE(button.key.data());
        QSvgRenderer renderer(iconPath(button));
        ASSERT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 27, 27));

        // Something is drawn, and not just a frame: a fair share of the pixels carry ink.
        const QImage image = renderAt27(renderer);
        int inked = 0;
        for (int y = 0; y < 27; ++y)
            for (int x = 0; x < 27; ++x)
                inked += qGray(image.pixel(x, y)) < 200;
        EXPECT_GT(inked, 40);

        const QPixmap pixmap = QIcon(iconPath(button)).pixmap(27, 27);
        EXPECT_FALSE(pixmap.isNull());

        const QString rendered = QStringLiteral(":/buttons/") + QString::fromUtf8(button.key.data(), qsizetype(button.key.size()));
        for (const auto& [suffix, side] : {std::pair{".png", 22}, std::pair{"@2x.png", 44}}) {
            const QImage picture(rendered + QString::fromLatin1(suffix));
            ASSERT_EQ(picture.size(), QSize(side, side)) << suffix;
            int opaque = 0;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    opaque += qAlpha(picture.pixel(x, y)) > 128;
            EXPECT_GT(opaque, side * side / 20) << suffix;
        }
    }
}

TEST_F(TagButtonIcons, DialogMarkOnGroupButtonsOnly)
{
    int marked = 0;
    for (const TagButton& button : tagButtons()) {
        SCOPED_TRACE(button.key.data());
        QSvgRenderer renderer(iconPath(button));
        const bool mark = hasDialogMark(renderAt27(renderer));
        EXPECT_EQ(mark, button.kind == TagButtonKind::Group);
        marked += mark;
    }
    EXPECT_EQ(marked, 24);
}

TEST_F(TagButtonIcons, NoIconWithoutAButtonAndNoTwoAlike)
{
    std::set<QString> keys;
    for (const TagButton& button : tagButtons())
        keys.insert(QString::fromUtf8(button.key.data(), qsizetype(button.key.size())) + QStringLiteral(".svg"));
    const QStringList files = QDir(QStringLiteral(":/icons")).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 67);
    for (const QString& file : files)
        EXPECT_TRUE(keys.count(file)) << file.toStdString() << " belongs to no button";

    // Two buttons that look the same would leave the user guessing.
    std::set<QByteArray> pictures;
    for (const TagButton& button : tagButtons()) {
        QSvgRenderer renderer(iconPath(button));
        const QImage image = renderAt27(renderer);
        const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_TRUE(pictures.insert(bytes).second) << button.key.data() << " looks like another icon";
    }
}

} // namespace
