#include "tagdialog/OpenFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>

namespace orvanel {

std::optional<std::string> showOpenDialog(QWidget* parent, OpenDialogState& state)
{
    QStringList filters;
    for (const FileFilter& filter : state.filters)
        filters << QString::fromStdString(nameFilter(filter));
    QFileDialog dialog(parent, QString::fromStdString(state.title), QString::fromStdString(state.folder));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters[std::clamp(state.filterIndex, 1, static_cast<int>(filters.size())) - 1]);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString file = dialog.selectedFiles().first();
    state.closedWith(static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1,
                     QFileInfo(file).absolutePath().toStdString());
    return file.toStdString();
}

} // namespace orvanel
