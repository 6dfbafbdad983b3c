#include "tagdialog/OpenDialogState.h"

namespace orvanel {

std::vector<FileFilter> openDialogFilters()
{
    return {
        {"htmlﾌｧｲﾙ,htmﾌｧｲﾙ(*.html,*htm)", "*.html;*htm"},
        {"画像ﾌｧｲﾙ(*.gif,*.jpg)", "*.gif;*.jpg"},
        {"実行ﾌｧｲﾙ(*.exe)", "*.exe", true},
        {"ｲﾝﾀｰﾈｯﾄｼｮｰﾄｶｯﾄ(*.url)", "*.url"},
        {"全てのﾌｧｲﾙ(*.*)", "*"},
    };
}

std::string nameFilter(const FileFilter& filter)
{
    std::string patterns = filter.patterns;
    for (char& c : patterns)
        if (c == ';')
            c = ' ';
    return filter.description + " (" + patterns + ")";
}

void OpenDialogState::useFilterOfTag(int tag)
{
    if (tag >= 1 && tag <= static_cast<int>(filters.size()))
        filterIndex = tag;
}

void OpenDialogState::closedWith(int usedFilter, std::string usedFolder)
{
    useFilterOfTag(usedFilter);
    if (!usedFolder.empty())
        folder = std::move(usedFolder);
}

} // namespace orvanel
