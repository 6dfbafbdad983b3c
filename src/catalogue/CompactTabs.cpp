#include "catalogue/CompactTabs.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTabBar>

namespace orvanel::catalogue {

namespace {

// 7 pixels of padding left and right of the caption, 2 above and below.
class CompactTabStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 14;
        if (metric == PM_TabBarTabVSpace)
            return 4;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

void makeTabsCompact(QTabBar* tabBar)
{
    auto* style = new CompactTabStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(tabBar);
    tabBar->setStyle(style);
}

} // namespace orvanel::catalogue
