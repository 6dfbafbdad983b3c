// The options dialog as a window: controls to settings and back, OK and Cancel, the hot key
// from the keys down now, the page "タグ登録" with the input support dialog.

#include "options/TOptionDialogForm.h"
#include "options/TSupportDialogForm.h"
#include "platform/fake/FakePlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace orvanel;

namespace {

class OptionDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        dialog.setHost({[this] { calls.push_back("SetHotKey"); }, [this] { calls.push_back("UpdateMenu"); },
                        [this] { calls.push_back("LoadUserTag"); }, &openDialog, &platform});
        dialog.setShowSupportPanel([this](const options::SupportDialogValues& values) {
            asked.push_back(values);
            const std::string answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
        // Every message box is noted and closed with its OK button.
        QObject::connect(&boxes, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && box->isVisible()) {
                told << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        boxes.start(5);
    }
    template <class W> W* get(const char* name)
    {
        W* w = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Clicks `name` and returns the texts of the message boxes it shows.
    QStringList click(const char* name)
    {
        told.clear();
        get<QPushButton>(name)->click();
        return told;
    }
    QString text(const char* edit) { return get<QLineEdit>(edit)->text(); }
    // A key event on the hot-key field, with the keyboard reporting `down` meanwhile.
    void key(QEvent::Type type, int key, std::optional<KeyboardState> down, Qt::KeyboardModifiers mods = {})
    {
        platform.setKeysDown(down);
        QKeyEvent event(type, key, mods);
        QApplication::sendEvent(get<QLineEdit>("EditSetHotKey"), &event);
    }
    std::string file(const std::string& name)
    {
        std::ifstream in(folder + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    QTemporaryDir dir;
    std::string folder = dir.path().toStdString() + "/";
    Settings settings;
    FakePlatform platform;
    OpenDialogState openDialog;
    TOptionDialogForm dialog{settings, folder};
    std::vector<std::string> calls;
    std::vector<options::SupportDialogValues> asked;
    std::vector<std::string> answers;
    QTimer boxes;
    QStringList told;
};

} // namespace

TEST_F(OptionDialog, ControlsShowTheSettingsOkAppliesThemAndCancelChangesNothing)
{
    settings.TagFace = 1;
    settings.InsertMethod = 1;
    settings.ExtList = {"htm=/usr/bin/mousepad"};
    settings.IE = settings.NN = settings.CurBrowser = "/usr/bin/firefox";
    settings.ProName2 = "gimp";
    dialog.show();
    EXPECT_EQ(get<QTabWidget>("PageOption")->currentWidget()->objectName(), "TabOpKihon");
    EXPECT_TRUE(get<QWidget>("RadioSetTagFace")->findChildren<QRadioButton*>()[1]->isChecked()); // 小文字
    EXPECT_EQ(get<QComboBox>("ComboBoxSetInsertMethod")->currentIndex(), 1);
    EXPECT_EQ(get<QTableWidget>("ListViewExt")->item(0, 1)->text(), "/usr/bin/mousepad");
    EXPECT_TRUE(get<QRadioButton>("RadioBtnBrowserIE")->isChecked());
    EXPECT_EQ(text("EditProName2"), "gimp");

    // A reference button: its hint is the title, the executables filter, the path as chosen.
    dialog.setChooseFile([](OpenDialogState& state) {
        EXPECT_EQ(state.title, "その他のブラウザのパス");
        EXPECT_EQ(state.filterIndex, 3);
        return std::optional<std::string>("/usr/bin/lynx");
    });
    click("RefBrowserETC");
    get<QRadioButton>("RadioBtnBrowserETC")->click();
    get<QLineEdit>("EditProName1")->setText("画像");
    dialog.okButton()->click();
    EXPECT_EQ(calls, (std::vector<std::string>{"SetHotKey", "UpdateMenu"}));
    EXPECT_EQ(settings.CurBrowser, "/usr/bin/lynx");
    EXPECT_EQ(settings.ProName1, "画像");

    // Cancel: nothing reaches the settings; the dialog opens again on the page it showed.
    dialog.show();
    get<QTabWidget>("PageOption")->setCurrentIndex(4);
    get<QLineEdit>("EditProName1")->setText("other");
    get<QLineEdit>("EditExt")->setText("HTM");
    EXPECT_EQ(click("BtnAddExt"), QStringList{"この拡張子はすでに登録されています。"});
    get<QTableWidget>("ListViewExt")->selectRow(0);
    EXPECT_EQ(text("EditExt"), "htm");
    get<QLineEdit>("EditExt")->clear();
    EXPECT_EQ(click("BtnChangeExt"), QStringList{"拡張子を指定して下さい。"});
    click("BtnDelExt");
    dialog.cancelButton()->click();
    EXPECT_EQ(settings.ExtList, std::vector<std::string>{"htm=/usr/bin/mousepad"});
    EXPECT_EQ(settings.ProName1, "画像");
    dialog.show();
    EXPECT_EQ(get<QTabWidget>("PageOption")->currentWidget()->objectName(), "TabOpProgram");
    EXPECT_EQ(text("EditProName1"), "画像");
}

TEST_F(OptionDialog, HotKeyTextFollowsTheKeysDownNow)
{
    dialog.show();
    key(QEvent::KeyPress, Qt::Key_Shift, KeyboardState{false, true, false, {}});
    key(QEvent::KeyPress, Qt::Key_Alt, KeyboardState{false, true, true, {}});
    key(QEvent::KeyPress, Qt::Key_J, KeyboardState{false, true, true, {'J'}});
    key(QEvent::KeyRelease, Qt::Key_J, KeyboardState{false, true, true, {}});
    key(QEvent::KeyRelease, Qt::Key_Alt, KeyboardState{false, true, false, {}});
    key(QEvent::KeyRelease, Qt::Key_Shift, KeyboardState{});
    EXPECT_EQ(text("EditSetHotKey"), "shift + alt + J");
    dialog.okButton()->click();
    EXPECT_EQ(settings.HotKey, "shift + alt + J");
    key(QEvent::KeyPress, Qt::Key_Control, KeyboardState{true, false, false, {}});
    key(QEvent::KeyRelease, Qt::Key_Control, KeyboardState{});
    EXPECT_EQ(text("EditSetHotKey"), "なし");
    // A keyboard that cannot be read: the event's own key and modifiers.
    key(QEvent::KeyPress, Qt::Key_K, std::nullopt, Qt::ShiftModifier);
    EXPECT_EQ(text("EditSetHotKey"), "shift + K");
}

TEST_F(OptionDialog, TagPageEditsGroupsThroughTheSupportDialogAndWritesAtOk)
{
    dialog.show();
    EXPECT_EQ(click("BtnSetTagAdd"), QStringList{"タググループを選択して下さい。"});
    answers = {"自作", "太字;<B>%SEL%</B>", "段落;<P>%CR%%SEL%%CR%</P>", "段落;<P>%SEL%</P>"};
    click("BtnTagGroupAdd");
    click("BtnSetTagAdd");
    click("BtnSetTagAdd");
    auto* names = get<QListWidget>("ListBoxSetTagName");
    ASSERT_EQ(names->count(), 2);
    // A double click edits the tag: its template split into the two memos.
    emit names->itemDoubleClicked(names->item(1));
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[3].MemoTagPre, "<P>\n\n"); // its last line is empty
    EXPECT_EQ(asked[3].MemoTagPos, "\n</P>");

    // The group file's place is taken: the write fails, is told, and the dialog stays open.
    std::filesystem::create_directory(folder + "自作.tag");
    EXPECT_EQ(click("OKBtn").size(), 2); // cannot be written; so it is missing from the list
    EXPECT_TRUE(dialog.isVisible());
    std::filesystem::remove(folder + "自作.tag");
    calls.clear();
    dialog.okButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(calls, (std::vector<std::string>{"SetHotKey", "LoadUserTag", "UpdateMenu"}));
    EXPECT_EQ(file("usertag.lst"), "\x8e\xa9\x8d\xec\r\n");
    EXPECT_EQ(file("自作.tag"), "\x91\xbe\x8e\x9a\r\nUser0=[<B>%SEL%</B>]\r\n\x92\x69\x97\x8e\r\nUser1=[<P>%SEL%</P>]\r\n");

    // A group added and the dialog cancelled: the group list file stays as it was.
    dialog.show();
    answers = {"別"};
    click("BtnTagGroupAdd");
    dialog.cancelButton()->click();
    EXPECT_EQ(file("usertag.lst"), "\x8e\xa9\x8d\xec\r\n");
}

TEST(SupportDialog, ShowsOnePanelAndComposesTheTemplateFromItsMemos)
{
    TSupportDialogForm support;
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(support.windowTitle(), "タグの編集");
        EXPECT_TRUE(support.findChild<QWidget*>("PnlSetTag")->isVisible());
        EXPECT_FALSE(support.findChild<QWidget*>("PnlSetTagGroup")->isVisible());
        auto* pre = support.findChild<QPlainTextEdit*>("MemoTagPre");
        EXPECT_EQ(pre->toPlainText(), "<P>\n<B>");
        EXPECT_EQ(pre->lineWrapMode(), QPlainTextEdit::NoWrap);
        support.findChild<QPlainTextEdit*>("MemoTagPos")->setPlainText("</B>\n</P>\n");
        support.okButton()->click();
    });
    EXPECT_EQ(support.ShowSupportPanel(options::tagPanelFor("強調", "<P>%CR%<B>%SEL%</B>")),
              "強調;<P>%CR%<B>%SEL%</B>%CR%</P>");
    EXPECT_FALSE(support.findChild<QWidget*>("PnlSetTag")->isVisible());

    QTimer::singleShot(0, [&] {
        EXPECT_EQ(support.windowTitle(), "タグのグループ名");
        EXPECT_EQ(support.findChild<QLineEdit*>("EditTagGroupName")->text(), "自作");
        support.cancelButton()->click();
    });
    options::SupportDialogValues group; // the group panel
    group.EditTagGroupName = "自作";
    EXPECT_EQ(support.ShowSupportPanel(group), "");
}
