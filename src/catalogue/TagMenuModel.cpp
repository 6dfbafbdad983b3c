#include "catalogue/TagMenuModel.h"

#include "text/Utf8Chars.h"

#include <array>

namespace orvanel::catalogue {

using text::between;
using text::innerText;
using text::lastCharStart;
using text::nextChar;

namespace {

// Cuts the next bracketed caption off `rest`: the text from its second character up to the
// first "]"; `rest` becomes the text after that "]". A rest without "]" gives the whole
// rest from its second character and leaves nothing.
std::string cutCaption(std::string_view& rest)
{
    if (rest.empty())
        return {};
    const auto start = nextChar(rest, 0);
    const auto close = rest.find(']');
    if (close == std::string_view::npos) {
        std::string caption(rest.substr(start));
        rest = {};
        return caption;
    }
    std::string caption(between(rest, start, close));
    rest = rest.substr(close + 1);
    return caption;
}

TagMenuItem makeItem(const std::string& caption)
{
    TagMenuItem item;
    item.caption = caption;
    item.kind = caption == "-" ? TagMenuKind::Separator : TagMenuKind::Submenu;
    return item;
}

struct LeafData {
    std::string key;
    bool dialog = false;
    int image = 0;
};

void makeLeaf(TagMenuItem& item, const LeafData& leaf)
{
    item.entryKey = leaf.key;
    if (leaf.dialog) {
        item.kind = TagMenuKind::DialogLeaf;
        item.imageIndex = leaf.image;
    } else {
        item.kind = TagMenuKind::TemplateLeaf;
    }
}

} // namespace

HeaderCaptions splitHeader(std::string_view headerLine)
{
    HeaderCaptions h;
    std::string_view rest = headerLine;
    for (int level = 0; level < 3; ++level)
        h.c[level] = cutCaption(rest);
    h.c[3] = std::string(innerText(rest));
    return h;
}

bool isDialogKey(std::string_view entryKey, int* imageIndex)
{
    // Character offsets counted from the end: the key needs at least five characters.
    std::array<std::size_t, 6> starts{}; // starts[k] = offset of the k-th character from the end
    std::size_t end = entryKey.size();
    starts[0] = end;
    for (std::size_t k = 1; k <= 5; ++k) {
        if (end == 0)
            return false;
        end = lastCharStart(entryKey.substr(0, end));
        starts[k] = end;
    }
    if (entryKey.substr(starts[5], starts[2] - starts[5]) != "DLG")
        return false;
    if (imageIndex) {
        const auto digits = entryKey.substr(starts[2]);
        int value = 0;
        bool number = !digits.empty();
        for (char ch : digits) {
            if (ch < '0' || ch > '9') {
                number = false;
                break;
            }
            value = value * 10 + (ch - '0');
        }
        *imageIndex = number ? value : 0;
    }
    return true;
}

TagMenu LoadTagMenu(const text::KeyedTextList& menuTagList)
{
    TagMenu root;
    const auto& lines = menuTagList.lines();

    // Remembered captions of levels 1 to 3, and the current item of levels 1 to 3 (the
    // parents of the next deeper level). Items live in vectors that grow, so the current
    // items are kept as paths of indices, never as pointers.
    std::string remembered[3];
    std::vector<std::size_t> current[3];
    bool hasCurrent[3] = {false, false, false};

    auto itemAt = [&root](const std::vector<std::size_t>& path) -> TagMenuItem& {
        TagMenuItem* item = &root[path[0]];
        for (std::size_t i = 1; i < path.size(); ++i)
            item = &item->children[path[i]];
        return *item;
    };
    // The parent of a new item at `level` (0-based): the current item one level up, or,
    // when there is none (a header that skipped a level), the nearest current one above,
    // else the top level.
    auto appendAt = [&](int level, TagMenuItem item) -> std::vector<std::size_t> {
        for (int up = level - 1; up >= 0; --up) {
            if (hasCurrent[up]) {
                auto path = current[up];
                auto& parent = itemAt(path);
                parent.children.push_back(std::move(item));
                path.push_back(parent.children.size() - 1);
                return path;
            }
        }
        root.push_back(std::move(item));
        return {root.size() - 1};
    };
    // A new item at `level` makes the deeper levels start afresh.
    auto forgetDeeper = [&](int level) {
        for (int deeper = level + 1; deeper < 3; ++deeper) {
            remembered[deeper].clear();
            hasCurrent[deeper] = false;
        }
    };

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line[0] != '[')
            continue;
        const HeaderCaptions h = splitHeader(line);
        const std::string& c1 = h.c[0];
        const std::string& c2 = h.c[1];
        const std::string& c3 = h.c[2];
        const std::string& c4 = h.c[3];

        LeafData leaf;
        if (c2 != "-" && c3 != "-" && c4 != "-" && i + 1 < lines.size()) {
            const std::string_view next = lines[i + 1];
            if (next.find('=') != std::string_view::npos)
                leaf.key = std::string(text::KeyedTextList::entryKey(next));
            leaf.dialog = isDialogKey(leaf.key, &leaf.image);
        }

        if (c1 != remembered[0]) {
            remembered[0] = c1;
            current[0] = appendAt(0, makeItem(c1));
            hasCurrent[0] = true;
            forgetDeeper(0);
        }

        // Levels 2 and 3: a new item when the caption changed; the leaf when nothing deeper.
        const std::string* deeperCaption[2] = {&c3, &c4};
        const std::string* caption[2] = {&c2, &c3};
        for (int level = 1; level <= 2; ++level) {
            const std::string& c = *caption[level - 1];
            if (c.empty() || c == remembered[level])
                continue;
            remembered[level] = c;
            TagMenuItem item = makeItem(c);
            if (deeperCaption[level - 1]->empty() && c != "-") {
                makeLeaf(item, leaf);
                if (leaf.dialog)
                    remembered[level] = "DLG" + c;
            }
            current[level] = appendAt(level, std::move(item));
            hasCurrent[level] = true;
            forgetDeeper(level);
        }

        // Level 4: every line with a fourth caption adds an item.
        if (!c4.empty()) {
            TagMenuItem item = makeItem(c4);
            if (c4 != "-")
                makeLeaf(item, leaf);
            appendAt(3, std::move(item));
        }
    }

    root.push_back(makeItem("-"));
    return root;
}

std::string menuTemplate(const text::KeyedTextList& menuTagList, std::string_view entryKey)
{
    return std::string(innerText(menuTagList.value(entryKey)));
}

std::string menuPanelName(const text::KeyedTextList& menuTagList, std::string_view entryKey)
{
    return "Panel" + menuTagList.value(entryKey);
}

} // namespace orvanel::catalogue
