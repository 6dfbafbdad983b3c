#pragma once
// A hash for unordered containers of std::string that can be searched with a
// std::string_view, without making a string for the search.

#include <functional>
#include <string_view>

namespace orvanel::text {

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};

} // namespace orvanel::text
