#include "catalogue/TagPages.h"

#include "catalogue/PictureIcon.h"
#include "catalogue/TagButtons.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvanel::catalogue {

namespace {

constexpr int ButtonSize = 27;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The letters a button stands for when no picture is at hand: the tag name in its hint
// ("<B>" -> "B"), else the first character of the hint.
QString fallbackLetters(std::string_view hint)
{
    const QString h = qs(hint);
    const qsizetype lt = h.indexOf(u'<');
    if (lt >= 0) {
        QString name;
        for (qsizetype i = lt + 1; i < h.size() && (h[i].isLetterOrNumber() || h[i] == u'!'); ++i)
            name += h[i];
        if (!name.isEmpty())
            return name.left(3);
    }
    return h.left(1);
}

QIcon drawnIcon(const QString& letters)
{
    QPixmap pixmap(ButtonSize - 5, ButtonSize - 5);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x2b, 0x3a, 0x4a));
    painter.drawRect(QRectF(0.5, 0.5, pixmap.width() - 1, pixmap.height() - 1));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(letters.size() > 2 ? 7 : 10);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, letters);
    return QIcon(pixmap);
}

} // namespace

QIcon tagButtonIcon(std::string_view key, std::string_view hint)
{
    // Rendered from the SVG art at build time, in two densities.
    const QString base = QStringLiteral(":/buttons/") + qs(key);
    const QString path = base + QStringLiteral(".png");
    if (QFile::exists(path))
        return pictureIcon({{path, ButtonSize - 5}, {base + QStringLiteral("@2x.png"), 2 * (ButtonSize - 5)}});
    return drawnIcon(fallbackLetters(hint));
}

QIcon tagButtonImage(int index)
{
    const auto buttons = tagButtons();
    if (index < 0 || static_cast<std::size_t>(index) >= buttons.size())
        return QIcon();
    return tagButtonIcon(buttons[index].key, buttons[index].hint);
}

void buildTagPages(QTabWidget* pageControl, QMenu* alignMenu, const TagPageHandlers& handlers)
{
    std::vector<QToolBar*> bars;
    for (const TagPage& page : tagPages()) {
        auto* sheet = new QWidget(pageControl);
        sheet->setObjectName(qs(page.name));
        auto* layout = new QVBoxLayout(sheet);
        layout->setContentsMargins(1, 1, 1, 0);
        auto* bar = new QToolBar(sheet);
        bar->setObjectName(qs(page.toolBar));
        bar->setIconSize(QSize(ButtonSize - 5, ButtonSize - 5));
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(bar);
        layout->addStretch(1);
        pageControl->addTab(sheet, qs(page.caption));
        bars.push_back(bar);
    }
    for (const TagButton& b : tagButtons()) {
        QToolBar* bar = bars.at(static_cast<std::size_t>(b.page));
        if (b.separatorBefore)
            bar->addSeparator();
        auto* button = new QToolButton(bar);
        button->setObjectName(QString::fromStdString(b.name()));
        button->setText(qs(b.hint));
        button->setToolTip(qs(b.hint));
        button->setAccessibleName(qs(b.hint));
        button->setIcon(tagButtonIcon(b.key, b.hint));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedHeight(ButtonSize);
        if (b.dropDown) {
            // The button proper is 27 pixels; the arrow follows it.
            button->setMenu(alignMenu);
            button->setPopupMode(QToolButton::MenuButtonPopup);
            button->setFixedWidth(ButtonSize + 12);
            QObject::connect(button, &QToolButton::triggered, button, [handlers, button](QAction* item) {
                // Only the pop-up's own items: the button's click is handled below.
                if (handlers.alignPick && item->parent() != button)
                    handlers.alignPick(button, item);
            });
        } else {
            button->setFixedWidth(ButtonSize);
        }
        const bool group = b.kind == TagButtonKind::Group;
        QObject::connect(button, &QToolButton::clicked, button, [handlers, button, group] {
            const auto& handler = group ? handlers.groupButton : handlers.tagButton;
            if (handler)
                handler(button);
        });
        bar->addWidget(button);
    }
}

} // namespace orvanel::catalogue
