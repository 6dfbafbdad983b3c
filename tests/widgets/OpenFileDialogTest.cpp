// The program's open-file dialog on the filter of programs: folders, executable files and
// "*.exe" files show, other files do not; the chosen file comes back with the state noted.

#include "tagdialog/OpenFileDialog.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace orvanel;

TEST(OpenFileDialog, ProgramsFilterShowsExecutableFiles)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("bin"));
    for (const QString name : {"tool", "notes.txt", "setup.exe"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.setPermissions(f.permissions() | (name == "tool" ? QFile::ExeOwner : QFile::Permissions()));
    }
    OpenDialogState state;
    state.useFilterOfTag(3);
    state.folder = dir.path().toStdString();

    QStringList shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* files = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
        if (!files || files->rowCount(files->index(dir.path())) < 4)
            return; // not yet shown, or the folder not yet read
        EXPECT_EQ(dialog->findChild<QComboBox*>("fileTypeCombo")->currentText(), "実行ﾌｧｲﾙ(*.exe)");
        const QModelIndex root = dialog->proxyModel()->mapFromSource(files->index(dir.path()));
        for (int row = 0; row < dialog->proxyModel()->rowCount(root); ++row)
            shown << dialog->proxyModel()->index(row, 0, root).data().toString();
        // The file's name typed as the user would: selectFile leaves the name field alone
        // once that field has the keyboard focus.
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("tool");
        QMetaObject::invokeMethod(dialog, "accept");
        poll.stop();
    });
    poll.start(10);
    EXPECT_EQ(showOpenDialog(nullptr, state), dir.filePath("tool").toStdString());
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"bin", "setup.exe", "tool"}));
    EXPECT_EQ(state.filterIndex, 3);
    EXPECT_EQ(state.folder, dir.path().toStdString());
}
