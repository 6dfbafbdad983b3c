#pragma once
// An icon of PNG pictures compiled into the program, decoded only when a size of it is first
// drawn. QIcon's own file engine decodes every picture when the icon is made, and probes every
// image plugin to learn the format: for the 67 tag buttons, most of them on hidden pages, that
// is start-up time and memory spent on pictures nobody sees yet.

#include <QIcon>
#include <QString>

#include <utility>
#include <vector>

namespace orvanel::catalogue {

// `pictures`: each picture's resource path and its side in pixels (square pictures).
QIcon pictureIcon(std::vector<std::pair<QString, int>> pictures);

} // namespace orvanel::catalogue
