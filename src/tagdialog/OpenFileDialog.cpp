#include "tagdialog/OpenFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

#include <algorithm>

namespace orvanel {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// While a filter of programs is selected, only folders and the files that may be executed
// (or that match the filter's own patterns) are shown: programs here carry no ".exe".
class ProgramFilesOnly final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setPatterns(const QStringList& patterns)
    {
        patterns_ = patterns;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (patterns_.isEmpty() || !files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        if (info.isDir() || info.isExecutable())
            return true;
        return std::any_of(patterns_.begin(), patterns_.end(), [&](const QString& pattern) {
            return QDir::match(pattern, info.fileName());
        });
    }

private:
    QStringList patterns_; // empty: every file the dialog's own filter lets through
};

// What the dialog is given for `filter`: its description alone is shown (the patterns
// are hidden), and a filter of programs lets every file through to ProgramFilesOnly.
QString dialogFilter(const FileFilter& filter)
{
    if (!filter.programs)
        return qs(nameFilter(filter));
    return qs(filter.description) + QStringLiteral(" (*)");
}

QStringList patternsOf(const FileFilter& filter)
{
    return qs(filter.patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

} // namespace

std::optional<std::string> showOpenDialog(QWidget* parent, OpenDialogState& state)
{
    QFileDialog dialog(parent, qs(state.title), qs(state.folder));
    // The dialog of the toolkit itself: a system dialog would ignore ProgramFilesOnly.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    auto* programsOnly = new ProgramFilesOnly(&dialog);
    dialog.setProxyModel(programsOnly);

    QStringList filters;
    for (const FileFilter& filter : state.filters)
        filters << dialogFilter(filter);
    const auto useFilter = [&](qsizetype index) {
        const bool programs = index >= 0 && index < static_cast<qsizetype>(state.filters.size())
            && state.filters[static_cast<std::size_t>(index)].programs;
        programsOnly->setPatterns(programs ? patternsOf(state.filters[static_cast<std::size_t>(index)]) : QStringList());
    };
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype first = std::clamp(state.filterIndex, 1, static_cast<int>(filters.size())) - 1;
        dialog.selectNameFilter(filters[first]);
        useFilter(first);
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&](const QString& filter) { useFilter(filters.indexOf(filter)); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString file = QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
    // The next use starts in the chosen file's folder, on the filter in use.
    state.closedWith(static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1,
                     QFileInfo(file).absolutePath().toStdString());
    return file.toStdString();
}

} // namespace orvanel
