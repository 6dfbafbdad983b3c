// The program's open-file dialog on the filter of programs: folders, executable files and
// "*.exe" files show, other files do not; the chosen file comes back with the state noted.

#include "tagdialog/OpenFileDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace orvanel;

TEST(OpenFileDialog, ProgramsFilterShowsExecutableFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkdir(QStringLiteral("bin"));
    for (const char* name : {"tool", "notes.txt", "setup.exe"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.setPermissions(name == std::string("tool") ? f.permissions() | QFile::ExeOwner : f.permissions());
    }
    OpenDialogState state;
    state.useFilterOfTag(3);
    state.folder = dir.path().toStdString();
    state.title = "IEのパス";

    QStringList shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* files = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
        if (!files || files->rowCount(files->index(dir.path())) < 4)
            return; // not yet shown, or the folder not yet read
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("IEのパス"));
        auto* type = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        EXPECT_EQ(type ? type->currentText() : QString(), QStringLiteral("実行ﾌｧｲﾙ(*.exe)"));
        const QModelIndex root = dialog->proxyModel()->mapFromSource(files->index(dir.path()));
        for (int row = 0; row < dialog->proxyModel()->rowCount(root); ++row)
            shown << dialog->proxyModel()->index(row, 0, root).data().toString();
        dialog->selectFile(dir.filePath(QStringLiteral("tool")));
        QMetaObject::invokeMethod(dialog, "accept");
        poll.stop();
    });
    poll.start(10);
    const auto chosen = runOpenDialog(nullptr, state);
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"bin", "setup.exe", "tool"}));
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("tool")).toStdString());
    EXPECT_EQ(state.filterIndex, 3);
    EXPECT_EQ(state.folder, dir.path().toStdString());
}
