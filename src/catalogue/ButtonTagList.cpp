#include "catalogue/ButtonTagList.h"

#include "text/Utf8Chars.h"

namespace orvanel::catalogue {

using text::between;
using text::charOffset;
using text::innerText;
using text::lastCharStart;
using text::nextChar;

// "]" and ">" are ASCII: in UTF-8 they never occur inside another character, so a byte
// search finds them character-wise.

std::string entryGroup(std::string_view value)
{
    const auto close = value.find(']');
    if (close == std::string_view::npos)
        return {};
    return std::string(between(value, nextChar(value, 0), close));
}

std::string entryTemplate(std::string_view value)
{
    const auto close = value.find(']');
    if (close == std::string_view::npos)
        return std::string(innerText(value));
    const auto afterDelimiter = nextChar(value, close + 1);
    return std::string(between(value, afterDelimiter, lastCharStart(value)));
}

std::string alignAttribute(std::string_view value)
{
    return std::string(between(value, charOffset(value, 3), lastCharStart(value)));
}

std::string spliceAlignAttribute(std::string_view buttonTemplate, std::string_view attribute)
{
    std::string insert = " ";
    insert += attribute;
    std::string result(buttonTemplate);
    const auto gt = result.find('>');
    result.insert(gt == std::string::npos ? 0 : gt, insert);
    return result;
}

} // namespace orvanel::catalogue
