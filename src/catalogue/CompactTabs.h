#pragma once
// Tight tabs for the tag pages, so that all of them fit side by side in the palette's smallest
// width. Done in a proxy of the application's style rather than a style sheet: a style sheet
// sends every paint of the tab bar through the style-sheet engine, which costs start-up time
// and the memory of its code.

class QTabBar;

namespace orvanel::catalogue {

void makeTabsCompact(QTabBar* tabBar);

} // namespace orvanel::catalogue
