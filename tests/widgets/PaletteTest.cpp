// The palette on the fake platform: its components, its tag pages and menus, the road of
// a click to the text in the (fake) editor, and the settings it reads and writes.

#include "MessageBoxes.h"
#include "TagListFolder.h"

#include "options/SettingsFile.h"
#include "app/TMainForm.h"
#include "catalogue/TagButtons.h"
#include "platform/fake/FakePlatform.h"
#include "project/TPrjMngr.h"
#include "text/Lines.h"
#include "text/UserError.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

using namespace orvanel;

namespace {

// A fake platform that also remembers what hot key was asked for, and can refuse it as a
// key taken by another program would be.
class HotKeyPlatform : public FakePlatform {
public:
    HotKeyRegistration registerHotKey(unsigned modifiers, int key) override
    {
        ++registrations;
        if (refuse)
            return HotKeyRegistration::Taken;
        this->modifiers = modifiers;
        this->key = key;
        return FakePlatform::registerHotKey(modifiers, key);
    }
    int registrations = 0;
    bool refuse = false;
    unsigned modifiers = 0;
    int key = 0;
};

void click(QWidget* w, QPoint at = {})
{
    if (at.isNull())
        at = w->rect().center();
    const QPoint global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    static quint64 time = 0;
    press.setTimestamp(++time); // every press its own, as the window system stamps them
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// Picks `item` from the next pop-up menu that opens (call before the action that opens
// it). The press on the palette runs the event loop itself, so the pick waits until a
// pop-up is there; when none comes, the test fails instead of hanging.
void pickFromNextPopup(const QString& itemName, int triesLeft = 50)
{
    QTimer::singleShot(10, [itemName, triesLeft] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (triesLeft > 0)
                pickFromNextPopup(itemName, triesLeft - 1);
            else
                ADD_FAILURE() << "no pop-up menu opened";
            return;
        }
        QAction* item = nullptr;
        for (QAction* a : menu->actions())
            if (a->objectName() == itemName)
                item = a;
        if (!item) {
            ADD_FAILURE() << "no item " << itemName.toStdString();
            menu->close();
            return;
        }
        click(menu, menu->actionGeometry(item).center());
    });
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = folderWithTagLists(dir);
        editor = platform.addWindow(77, "notes.html - editor");
        platform.setActive(editor);
    }

    void writeIni(const std::string& text) { std::ofstream(folder + "Orvanel.ini", std::ios::binary) << text; }

    TMainForm& open()
    {
        form = std::make_unique<TMainForm>(platform, folder);
        // The palette's own window lies above the editor, as on a desktop.
        platform.addOwnWindow("Orvanel Ver.1.30");
        form->show();
        QApplication::processEvents();
        return *form;
    }

    template <typename T> T* find(const char* name)
    {
        T* found = form->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QAction* menuAction(QMenu* menu, const QString& name)
    {
        for (QAction* a : menu->actions()) {
            if (a->objectName() == name)
                return a;
            if (a->menu())
                if (QAction* inner = menuAction(a->menu(), name))
                    return inner;
        }
        return nullptr;
    }

    QTemporaryDir dir;
    std::string folder;
    HotKeyPlatform platform;
    WindowHandle editor = 0;
    std::unique_ptr<TMainForm> form;
};

TEST_F(PaletteTest, ComponentsCarryTheirNamesCaptionsAndHints)
{
    TMainForm& f = open();
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Orvanel Ver.1.30"));
    EXPECT_EQ(find<QLabel>("LabelTargetWindow")->text(), QString::fromUtf8("ﾀｰｹﾞｯﾄｳｨﾝﾄﾞｳ"));
    auto* edit = find<QLineEdit>("EditTargetWindow");
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_FALSE(edit->isEnabled());
    struct Expected {
        const char* name;
        const char* hint;
    };
    for (const Expected& e : {Expected{"BtnLockTargetWindow", "ﾀｰｹﾞｯﾄｳｨﾝﾄﾞｳをﾛｯｸ"}, {"BtnNew", "新規作成"},
                              {"BtnOpen", "開く"}, {"BtnPreview", "ブラウザで確認"}, {"BtnOption", "ｵﾌﾟｼｮﾝ設定"},
                              {"BtnAppBar", "ｱﾌﾟﾘｹｰｼｮﾝﾊﾞｰ形式で表示"}, {"BtnStayOnTop", "常に手前に表示"}}) {
        auto* b = find<QToolButton>(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(e.hint)) << e.name;
        EXPECT_EQ(b->text(), QString::fromUtf8(e.hint)) << e.name;
        EXPECT_EQ(b->accessibleName(), QString::fromUtf8(e.hint)) << e.name;
    }
    // The main menu, in order, with the designed states.
    QStringList top;
    for (QAction* a : f.menuBar()->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{"ﾌｧｲﾙ(&F)", "ﾀｸﾞ挿入(&I)", "ﾂｰﾙ(&T)", "ﾍﾙﾌﾟ(&H)"}));
    QStringList tool;
    for (QAction* a : find<QMenu>("MenuItemTool")->actions())
        tool << (a->isSeparator() ? QString("-") : a->objectName());
    EXPECT_EQ(tool, (QStringList{"MenuToolOption", "MenuToolAppBar", "MenuToolStayOnTop", "-", "MenuToolPrjMngr", "-",
                                 "MenuToolPreviewIE", "MenuToolPreviewNN", "MenuToolPreviewETC", "-",
                                 "MenuToolProgram1", "MenuToolProgram2", "MenuToolProgram3"}));
    EXPECT_FALSE(find<QAction>("MenuHelpHelp")->isEnabled());
    EXPECT_FALSE(find<QAction>("MenuToolPreviewIE")->isEnabled());
    QStringList align;
    for (QAction* a : find<QMenu>("PopAlignLCR")->actions())
        align << a->objectName() + " " + a->text();
    EXPECT_EQ(align, (QStringList{"PopOPTION_ALIGN_LEFT 左 (ALIGN=\"letf\")", "PopOPTION_ALIGN_CENTER 中 (ALIGN=\"center\")",
                                  "PopOPTION_ALIGN_RIGHT 右 (ALIGN=\"right\")"}));
}

TEST_F(PaletteTest, NinePagesHoldThe67ButtonsInOrder)
{
    open();
    auto* pages = find<QTabWidget>("PageTag");
    ASSERT_EQ(pages->count(), 9);
    QStringList names, captions;
    for (int i = 0; i < pages->count(); ++i) {
        names << pages->widget(i)->objectName();
        captions << pages->tabText(i);
    }
    EXPECT_EQ(names, (QStringList{"TabDoc", "TabLayout", "TabHeader", "TabMoji", "TabTable", "TabLink", "TabList",
                                  "TabFrame", "TabForm"}));
    EXPECT_EQ(captions.join(","), QString::fromUtf8("ﾄﾞｷｭﾒﾝﾄ,ﾚｲｱｳﾄ,見出し,文字,表,ﾘﾝｸ・画像,ﾘｽﾄ,ﾌﾚｰﾑ,ﾌｫｰﾑ"));

    // Walk every tool bar in page order: buttons and separators exactly as listed.
    int index = 0, dropDowns = 0;
    const auto buttons = catalogue::tagButtons();
    for (int p = 0; p < pages->count(); ++p) {
        auto* bar = pages->widget(p)->findChild<QToolBar*>();
        ASSERT_NE(bar, nullptr);
        bool separatorPending = false;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator()) {
                separatorPending = true;
                continue;
            }
            auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
            ASSERT_NE(button, nullptr);
            ASSERT_LT(index, 67);
            const catalogue::TagButton& b = buttons[index];
            EXPECT_EQ(button->objectName().toStdString(), b.name());
            EXPECT_EQ(button->toolTip().toUtf8().toStdString(), b.hint);
            EXPECT_EQ(button->accessibleName(), button->toolTip());
            EXPECT_EQ(separatorPending, b.separatorBefore) << b.name();
            EXPECT_EQ(button->height(), 27);
            EXPECT_FALSE(button->icon().isNull()) << b.name();
            // The picture of the icon set, not the drawn letters of the fallback.
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/buttons/%1.png").arg(QString::fromUtf8(b.key.data(), b.key.size()))))
                << b.name();
            EXPECT_EQ(b.page, p);
            if (button->menu()) {
                ++dropDowns;
                EXPECT_TRUE(b.dropDown) << b.name();
            }
            separatorPending = false;
            ++index;
        }
    }
    EXPECT_EQ(index, 67);
    EXPECT_EQ(dropDowns, 7);
}

// Both tag menus hold the same items in the same order: captions, images and names that
// differ only by their "Mn"/"Pm" prefix; eight built-in top-level items and a separator.
TEST_F(PaletteTest, TagMenusAreTwins)
{
    TMainForm& f = open();
    QMenu* mn = find<QMenu>("MenuItemTag");
    QMenu* pm = f.findChild<QMenu*>("PopTag");
    ASSERT_NE(pm, nullptr);
    int leaves = 0, dialogLeaves = 0;
    std::function<void(QMenu*, QMenu*)> compare = [&](QMenu* a, QMenu* b) {
        const auto as = a->actions(), bs = b->actions();
        ASSERT_EQ(as.size(), bs.size()) << a->title().toStdString();
        for (qsizetype i = 0; i < as.size(); ++i) {
            EXPECT_EQ(as[i]->text(), bs[i]->text());
            EXPECT_EQ(as[i]->isSeparator(), bs[i]->isSeparator());
            EXPECT_EQ(as[i]->icon().isNull(), bs[i]->icon().isNull());
            ASSERT_EQ(as[i]->menu() == nullptr, bs[i]->menu() == nullptr);
            if (as[i]->menu()) {
                compare(as[i]->menu(), bs[i]->menu());
            } else if (!as[i]->isSeparator() && !as[i]->objectName().isEmpty()) {
                EXPECT_TRUE(as[i]->objectName().startsWith("Mn"));
                EXPECT_TRUE(bs[i]->objectName().startsWith("Pm"));
                EXPECT_EQ(as[i]->objectName().mid(2), bs[i]->objectName().mid(2));
                ++leaves;
                if (!as[i]->icon().isNull())
                    ++dialogLeaves;
            }
        }
    };
    compare(mn, pm);
    ASSERT_EQ(mn->actions().size(), 9);
    EXPECT_TRUE(mn->actions().back()->isSeparator());
    EXPECT_GE(leaves, 43 + 24);
    EXPECT_EQ(dialogLeaves, 24);
}

// The road of one click: a press on the palette finds the editor below it, the click
// inserts the button's template around the selection and the caret stands after it.
TEST_F(PaletteTest, TagButtonClickInsertsAroundTheSelection)
{
    open();
    platform.setText(editor, "say abc now");
    platform.select(editor, 4, 3);
    click(find<QToolButton>("BtnMOJI_B"));
    EXPECT_EQ(platform.text(editor), "say <B>abc</B> now");
    EXPECT_EQ(platform.caret(editor), 7u + 3u);
    EXPECT_EQ(find<QLineEdit>("EditTargetWindow")->text(), "notes.html - editor");

    // Letter case of the settings applies to what the buttons insert.
    form->settings().TagFace = 1;
    platform.select(editor, 0, 3);
    click(find<QToolButton>("BtnMOJI_I"));
    EXPECT_EQ(platform.text(editor), "<i>say</i> <B>abc</B> now");
}

TEST_F(PaletteTest, AlignPickInsertsTheHeadingWithTheAttribute)
{
    open();
    find<QTabWidget>("PageTag")->setCurrentIndex(2);
    QApplication::processEvents();
    platform.setText(editor, "Title");
    platform.select(editor, 0, 5);
    auto* h2 = find<QToolButton>("BtnLAYOUT_H_H2");
    ASSERT_GE(h2->width(), 39);
    // The arrow lies right of the 27-pixel button proper.
    ASSERT_LE(h2->width(), 40);
    pickFromNextPopup("PopOPTION_ALIGN_CENTER");
    click(h2, QPoint(h2->width() - 4, h2->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(platform.text(editor), "<H2 ALIGN=\"center\">Title</H2>\n");
    EXPECT_EQ(form->DropDownButton(), nullptr);

    // A pick with no known drop-down button inserts nothing.
    const std::string before = platform.text(editor);
    form->TagOpPopClick(form->findChild<QMenu*>("PopAlignLCR")->actions().front());
    EXPECT_EQ(platform.text(editor), before);
}

TEST_F(PaletteTest, MenuTwinsInsertTheSameTemplate)
{
    TMainForm& f = open();
    QMenu* mn = find<QMenu>("MenuItemTag");
    QMenu* pm = f.findChild<QMenu*>("PopTag");
    // The first template leaf of the menu, reached through both menus.
    QAction* leaf = nullptr;
    std::function<void(QMenu*)> firstTemplate = [&](QMenu* m) {
        for (QAction* a : m->actions()) {
            if (leaf)
                return;
            if (a->menu())
                firstTemplate(a->menu());
            else if (a->objectName().startsWith("Mn") && a->icon().isNull())
                leaf = a;
        }
    };
    firstTemplate(mn);
    ASSERT_NE(leaf, nullptr);
    QAction* twin = menuAction(pm, "Pm" + leaf->objectName().mid(2));
    ASSERT_NE(twin, nullptr);
    platform.setText(editor, "x");
    platform.select(editor, 0, 1);
    form->AppActivate();
    leaf->trigger();
    const std::string first = platform.text(editor);
    platform.setText(editor, "x");
    platform.select(editor, 0, 1);
    twin->trigger();
    EXPECT_EQ(platform.text(editor), first);
    EXPECT_NE(first, "x");
}

// Group buttons and dialog leaves ask the tag dialog for their panel with the follow
// flag cleared, and give it back afterwards; a missing panel shows nothing.
TEST_F(PaletteTest, PanelRequestsGuardTheFollowFlag)
{
    TMainForm& f = open();
    std::vector<std::string> asked;
    std::vector<bool> followWhileShown;
    bool hasPanel = true;
    f.setPanelHost({[&](const std::string& name) {
                        asked.push_back(name);
                        return hasPanel;
                    },
                    [&] { followWhileShown.push_back(f.target().TargetLock().follow); },
                    {}});
    f.AppActivate();
    click(find<QToolButton>("BtnLINK_HREF"));
    ASSERT_EQ(asked, std::vector<std::string>{"PanelLINK_HREF"});
    EXPECT_EQ(followWhileShown, std::vector<bool>{false});
    EXPECT_TRUE(f.target().TargetLock().follow);

    hasPanel = false;
    click(find<QToolButton>("BtnFORM_HIDDEN"));
    EXPECT_EQ(asked.back(), "PanelFORM_HIDDEN");
    EXPECT_EQ(followWhileShown.size(), 1u);
    EXPECT_TRUE(f.target().TargetLock().follow);

    // A locked target stays locked across the dialog.
    hasPanel = true;
    f.BtnLockTargetWindowClick();
    ASSERT_FALSE(f.target().TargetLock().follow);
    QAction* dialogLeaf = nullptr;
    std::function<void(QMenu*)> findDialog = [&](QMenu* m) {
        for (QAction* a : m->actions()) {
            if (a->menu())
                findDialog(a->menu());
            else if (!dialogLeaf && a->objectName().startsWith("Pm") && !a->icon().isNull())
                dialogLeaf = a;
        }
    };
    findDialog(f.findChild<QMenu*>("PopTag"));
    ASSERT_NE(dialogLeaf, nullptr);
    dialogLeaf->trigger();
    EXPECT_TRUE(asked.back().starts_with("Panel") && asked.back().size() > 5);
    EXPECT_FALSE(f.target().TargetLock().follow);
    EXPECT_TRUE(find<QToolButton>("BtnLockTargetWindow")->isChecked());
}

TEST_F(PaletteTest, HeightIsFixedAndWidthHasAFloor)
{
    TMainForm& f = open();
    const int h = f.height();
    EXPECT_GT(f.PaletteHeight(), 95);
    EXPECT_EQ(f.minimumHeight(), f.maximumHeight());
    f.resize(300, h + 200);
    QApplication::processEvents();
    EXPECT_EQ(f.height(), h);
    EXPECT_EQ(f.width(), 535);
    f.resize(800, 40);
    QApplication::processEvents();
    EXPECT_EQ(f.height(), h);
    EXPECT_EQ(f.width(), 800);
    // The target line keeps 130 pixels for its label and lock button.
    EXPECT_EQ(find<QLineEdit>("EditTargetWindow")->width(), find<QWidget>("PanelTarget")->width() - 130);
}

TEST_F(PaletteTest, SettingsAppliedAtCreationAndSavedAtClose)
{
    writeIni("; kept\r\n[Window]\r\nLeft=300\r\nTop=210\r\nWidth=700\r\nActivePage=tabmoji\r\n"
             "[Option]\r\nStayOnTop=0\r\nHotKey=ctrl + shift + H\r\n[Tool]\r\nProPath2=/usr/bin/true\r\n"
             "ProName3=Gimp\r\n[PrjMngr]\r\nPrjMngr=0\r\n");
    TMainForm& f = open();
    EXPECT_EQ(f.pos(), QPoint(300, 210));
    EXPECT_EQ(f.width(), 700);
    EXPECT_EQ(find<QTabWidget>("PageTag")->currentWidget()->objectName(), "TabMoji");
    EXPECT_FALSE(f.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(find<QAction>("MenuToolStayOnTop")->isChecked());
    EXPECT_EQ(platform.modifiers, unsigned(HotKeyControl | HotKeyShift));
    EXPECT_EQ(platform.key, 'H');
    auto* p2 = find<QAction>("MenuToolProgram2");
    EXPECT_EQ(p2->text(), QString::fromUtf8("外部ﾌﾟﾛｸﾞﾗﾑ 2"));
    EXPECT_TRUE(p2->isEnabled());
    EXPECT_EQ(find<QAction>("MenuToolProgram3")->text(), "Gimp");
    EXPECT_FALSE(find<QAction>("MenuToolProgram3")->isEnabled());

    f.move(120, 90);
    f.resize(640, f.height());
    find<QTabWidget>("PageTag")->setCurrentIndex(5);
    f.MenuToolStayOnTopClick();
    f.close();
    const LoadedSettings saved = LoadSettings(folder + "Orvanel.ini", 0, folder);
    EXPECT_EQ(saved.window.Left, 120);
    EXPECT_EQ(saved.window.Top, 90);
    EXPECT_EQ(saved.window.Width, 640);
    EXPECT_EQ(saved.window.Height, f.PaletteHeight());
    EXPECT_EQ(saved.window.ActivePage, "TabLink");
    EXPECT_TRUE(saved.settings.StayOnTop);
    EXPECT_EQ(saved.settings.HotKey, "ctrl + shift + H");
    EXPECT_EQ(readAll(folder + "Orvanel.ini").rfind("; kept\r\n", 0), 0u);
}

TEST_F(PaletteTest, UserPageWithoutNameSavesAnEmptyActivePage)
{
    writeIni("[Window]\r\nActivePage=NoSuchPage\r\n[PrjMngr]\r\nPrjMngr=0\r\n");
    TMainForm& f = open();
    auto* pages = find<QTabWidget>("PageTag");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabDoc");
    pages->setCurrentIndex(pages->addTab(new QWidget, "group"));
    f.close();
    EXPECT_EQ(LoadSettings(folder + "Orvanel.ini", 0, folder).window.ActivePage, "");
}

TEST_F(PaletteTest, HotKeyRules)
{
    writeIni("[Option]\r\nHotKey=H\r\n[PrjMngr]\r\nPrjMngr=0\r\n");
    TMainForm& f = open();
    EXPECT_FALSE(platform.hotKeyRegistered()); // no modifier: nothing, and no message

    f.settings().HotKey = "alt + Q";
    f.SetHotKey();
    EXPECT_EQ(platform.modifiers, unsigned(HotKeyAlt));
    EXPECT_EQ(platform.key, 'Q');

    // A key taken by another program: the message, at every failing call.
    platform.refuse = true;
    f.settings().HotKey = "ctrl + alt + Z";
    SeenBox seen;
    answerNextBox(seen);
    f.SetHotKey();
    EXPECT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, QString::fromUtf8("ホットキーの登録に失敗しました。"));
    platform.refuse = false;

    // The last character may be any key: a digit, and a small letter meaning its capital.
    f.settings().HotKey = "ctrl + 7";
    f.SetHotKey();
    EXPECT_EQ(platform.key, '7');
    f.settings().HotKey = "shift + alt + h";
    f.SetHotKey();
    EXPECT_EQ(platform.modifiers, unsigned(HotKeyShift | HotKeyAlt));
    EXPECT_EQ(platform.key, 'H');

    // Stay-on-top toggled twice restores the style and the hot key still works.
    f.settings().HotKey = "ctrl + shift + H";
    const Qt::WindowFlags before = f.windowFlags();
    const WId id = f.winId();
    f.MenuToolStayOnTopClick();
    f.MenuToolStayOnTopClick();
    EXPECT_EQ(f.windowFlags(), before);
    EXPECT_EQ(f.winId(), id);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(platform.hotKeyRegistered());

    // The hot key finds the target again and opens PopTag at the mouse.
    platform.setText(editor, "abc");
    platform.select(editor, 0, 3);
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    platform.pressHotKey();
    EXPECT_EQ(f.target().TargetWindow(), editor);
    EXPECT_TRUE(f.findChild<QMenu*>("PopTag")->isVisible());
    f.findChild<QMenu*>("PopTag")->close();
}

// PrjMngr=1: the window opens at the first idle moment; closed by its own close box it
// leaves state 2, which the close of the palette saves; the next start leaves it shut.
TEST_F(PaletteTest, ProjectManagerStateMachine)
{
    writeIni("[PrjMngr]\r\nPrjMngr=1\r\nSnap=2\r\n");
    {
        TMainForm& f = open();
        QApplication::processEvents();
        ASSERT_EQ(f.ProjectManagerState(), 1);
        ASSERT_NE(f.projectManager(), nullptr);
        EXPECT_TRUE(f.projectManager()->isVisible());
        EXPECT_TRUE(find<QAction>("MenuToolPrjMngr")->isChecked());
        // Snapped right: under the palette, right edges aligned.
        const QRect m = f.frameGeometry(), w = f.projectManager()->frameGeometry();
        EXPECT_EQ(w.top(), m.top() + m.height());
        EXPECT_EQ(w.left() + w.width(), m.left() + m.width());

        f.projectManager()->close();
        EXPECT_EQ(f.ProjectManagerState(), 2);
        EXPECT_FALSE(find<QAction>("MenuToolPrjMngr")->isChecked());
        f.close();
        EXPECT_EQ(LoadSettings(folder + "Orvanel.ini", 0, folder).settings.ProjectManagerState, 2);
    }
    form.reset();
    TMainForm& again = open();
    QApplication::processEvents();
    EXPECT_EQ(again.projectManager(), nullptr);
    EXPECT_EQ(again.ProjectManagerState(), 2);

    // The menu toggles it: open (state 1, checked), then closed through the menu (0).
    find<QAction>("MenuToolPrjMngr")->trigger();
    EXPECT_EQ(again.ProjectManagerState(), 1);
    EXPECT_TRUE(find<QAction>("MenuToolPrjMngr")->isChecked());
    find<QAction>("MenuToolPrjMngr")->trigger();
    EXPECT_EQ(again.ProjectManagerState(), 0);
    EXPECT_FALSE(find<QAction>("MenuToolPrjMngr")->isChecked());
    EXPECT_EQ(again.PrjMngrSwitch(false), 0);
}

// A hot key taken by another program at start-up: the message, and the palette starts
// anyway without a hot key.
TEST_F(PaletteTest, HotKeyTakenAtStartUpStillStartsThePalette)
{
    writeIni("[Option]\r\nHotKey=ctrl + shift + H\r\n[PrjMngr]\r\nPrjMngr=0\r\n");
    platform.refuse = true;
    SeenBox seen;
    answerNextBox(seen);
    TMainForm& f = open();
    EXPECT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, QString::fromUtf8("ホットキーの登録に失敗しました。"));
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(platform.hotKeyRegistered());
}

// An insertion that stops shows its message from the click's handler; the next click works.
TEST_F(PaletteTest, FailingClickShowsItsMessageAndThePaletteGoesOn)
{
    open();
    platform.setText(editor, "say abc now");
    platform.select(editor, 4, 3);
    platform.setClipboardOwnable(false);
    SeenBox seen;
    answerNextBox(seen);
    click(find<QToolButton>("BtnMOJI_B"));
    EXPECT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, QString::fromUtf8("クリップボードを開くことができません"));
    EXPECT_EQ(platform.text(editor), "say abc now");
    platform.setClipboardOwnable(true);
    click(find<QToolButton>("BtnMOJI_B"));
    EXPECT_EQ(platform.text(editor), "say <B>abc</B> now");
}

TEST_F(PaletteTest, MissingTagListStopsTheCreation)
{
    std::filesystem::remove(folder + "TagMList.lst");
    try {
        TMainForm f(platform, folder);
        ADD_FAILURE() << "created without a tag list";
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()), "ファイル " + folder + "TagMList.lst は開けません");
    }
}

} // namespace

namespace {

// The arrow of a drop-down button is told by the pointer's x alone: strictly between 25
// and 40 pixels right of the button's left edge.
TEST_F(PaletteTest, DropDownButtonIsTheOneWhoseArrowIsUnderThePointer)
{
    TMainForm& f = open();
    find<QTabWidget>("PageTag")->setCurrentIndex(2);
    QApplication::processEvents();
    auto* h3 = find<QToolButton>("BtnLAYOUT_H_H3");
    auto* menu = f.findChild<QMenu*>("PopAlignLCR");
    const QPoint origin = h3->mapToGlobal(QPoint(0, h3->height() / 2));
    auto openedAt = [&](int dx) {
        f.TagOpPopClick(nullptr); // clears DropDownButton
        QCursor::setPos(origin + QPoint(dx, 0));
        if (QCursor::pos() != origin + QPoint(dx, 0))
            return std::string("pointer not placed");
        f.OpPopMenuPopup(menu);
        return f.DropDownButton() ? f.DropDownButton()->objectName().toStdString() : std::string();
    };
    EXPECT_EQ(openedAt(25), "");
    EXPECT_EQ(openedAt(26), "BtnLAYOUT_H_H3");
    EXPECT_EQ(openedAt(39), "BtnLAYOUT_H_H3");
    EXPECT_EQ(openedAt(40), "");
    // Not a pop-up menu: nothing changes.
    QCursor::setPos(origin + QPoint(30, 0));
    f.OpPopMenuPopup(h3);
    EXPECT_EQ(f.DropDownButton(), nullptr);
}

// A settings file that cannot be written: the message comes, the palette stays open, and
// a later close saves what the first one found.
TEST_F(PaletteTest, FailedSaveKeepsThePaletteOpen)
{
    writeIni("[PrjMngr]\r\nPrjMngr=1\r\n");
    TMainForm& f = open();
    QApplication::processEvents();
    ASSERT_EQ(f.ProjectManagerState(), 1);
    std::filesystem::remove(folder + "Orvanel.ini");
    std::filesystem::create_directories(folder + "Orvanel.ini/x");
    SeenBox seen;
    answerNextBox(seen);
    EXPECT_FALSE(f.close());
    EXPECT_EQ(seen.text.toStdString(), folder + "Orvanel.ini に書き込めません");
    EXPECT_TRUE(f.isVisible());
    std::filesystem::remove_all(folder + "Orvanel.ini");
    EXPECT_TRUE(f.close());
    EXPECT_EQ(LoadSettings(folder + "Orvanel.ini", 0, folder).settings.ProjectManagerState, 1);
}

} // namespace

namespace {

// The press runs the event loop while it finds the target: a release already waiting in
// the queue then must not overtake the press, or the click would be lost.
TEST_F(PaletteTest, ReleaseQueuedBehindThePressStillClicks)
{
    open();
    platform.setText(editor, "abc");
    platform.select(editor, 0, 3);
    auto* bold = find<QToolButton>("BtnMOJI_B");
    const QPoint at = bold->rect().center();
    QCoreApplication::postEvent(bold, new QMouseEvent(QEvent::MouseButtonRelease, at, bold->mapToGlobal(at),
                                                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QMouseEvent press(QEvent::MouseButtonPress, at, bold->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(bold, &press);
    QApplication::processEvents();
    EXPECT_EQ(platform.text(editor), "<B>abc</B>");
    EXPECT_FALSE(bold->isDown());
}

TEST_F(PaletteTest, DockingToggleHoldsTheStripAndRestoresThePlace)
{
    writeIni("[Window]\r\nLeft=120\r\nTop=90\r\nWidth=600\r\n[Option]\r\nHotKey=ctrl + H\r\n[PrjMngr]\r\nPrjMngr=0\r\n");
    TMainForm& f = open();
    const QRect before = f.geometry();
    const int registrations = platform.registrations;
    const QRect strip(0, 0, QGuiApplication::primaryScreen()->geometry().width(), f.PaletteHeight());
    find<QToolButton>("BtnAppBar")->click();
    ASSERT_TRUE(platform.fakeDockStrip().docked());
    EXPECT_EQ(platform.fakeDockStrip().docked()->first, f.winId());
    EXPECT_EQ(platform.fakeDockStrip().docked()->second, (StripRect{0, 0, strip.width(), strip.height()}));
    EXPECT_EQ(f.geometry(), strip);
    EXPECT_TRUE(find<QAction>("MenuToolAppBar")->isChecked());
    EXPECT_TRUE(find<QToolButton>("BtnAppBar")->isChecked());
    EXPECT_TRUE(f.settings().AppBar);
    EXPECT_EQ(platform.registrations, registrations + 1);
    // Moves and resizes from elsewhere are undone.
    f.move(300, 200);
    f.resize(700, 50);
    QApplication::processEvents();
    EXPECT_EQ(f.geometry(), strip);

    find<QAction>("MenuToolAppBar")->trigger();
    EXPECT_FALSE(platform.fakeDockStrip().docked());
    EXPECT_EQ(f.geometry(), before);
    EXPECT_FALSE(find<QToolButton>("BtnAppBar")->isChecked());
    EXPECT_FALSE(f.settings().AppBar);
    EXPECT_EQ(platform.registrations, registrations + 2);
    f.resize(900, f.height());
    EXPECT_EQ(f.width(), 900);

    // Refused by the window manager: the message, and the palette stays as it was.
    platform.fakeDockStrip().setDockAnswer(DockOutcome::Refused);
    SeenBox box;
    answerNextBox(box);
    find<QToolButton>("BtnAppBar")->click();
    EXPECT_EQ(box.text, QString::fromUtf8("アプリケーションバーの登録に失敗しました。"));
    EXPECT_EQ(f.width(), 900);
    EXPECT_FALSE(find<QAction>("MenuToolAppBar")->isChecked());
}

TEST_F(PaletteTest, DockedAtCloseSavesTheStripAndStartsDocked)
{
    writeIni("[Option]\r\nAppBar=1\r\n[PrjMngr]\r\nPrjMngr=0\r\n");
    platform.fakeDockStrip().setReservedAtTop({{24, 0, 4000}}); // another bar at the top
    TMainForm& f = open();
    // Docked once the window shows.
    for (int turns = 0; turns < 100 && !platform.fakeDockStrip().docked(); ++turns)
        QApplication::processEvents();
    EXPECT_TRUE(find<QAction>("MenuToolAppBar")->isChecked());
    EXPECT_EQ(f.geometry(), QRect(0, 24, QGuiApplication::primaryScreen()->geometry().width(), f.PaletteHeight()));
    f.close();
    EXPECT_EQ(platform.fakeDockStrip().undockCalls(), 1);
    const LoadedSettings saved = LoadSettings(folder + "Orvanel.ini", 0, folder);
    EXPECT_TRUE(saved.settings.AppBar);
    EXPECT_EQ(saved.window.Width, QGuiApplication::primaryScreen()->geometry().width());
}

} // namespace

TEST_F(PaletteTest, FileCommandsStartTheProgramsOfTheirSettingsWithWholeArguments)
{
    const std::string tool = folder + "TagMList.lst"; // any file that is there
    writeIni("[PrjMngr]\r\nPrjMngr=0\r\n[ExtList]\r\nCount=2\r\nList=<txt=><HTML=/opt/ed/ed>\r\n"
             "[Browser]\r\nCurBrowser=/opt/browser\r\nNN=/opt/nn\r\n[Tool]\r\nProPath1=" + tool + "\r\n"
             "ProPath2=/x.exe -a\r\n");
    TMainForm& f = open();
    const std::string page = folder + "my site/it's \"a\";b.html";
    std::optional<std::string> chosen = page;
    f.setChooseFile([&](OpenDialogState& state) {
        EXPECT_EQ(state.title, "開く");
        EXPECT_EQ(state.filterIndex, 1);
        return chosen;
    });
    f.OpenDialog().filterIndex = 3;
    click(find<QToolButton>("BtnOpen"));
    EXPECT_EQ(f.OpenDialog().folder, folder + "my site");
    // The editor's window is the target now: its page is what the preview shows.
    click(find<QToolButton>("BtnPreview"));
    find<QAction>("MenuToolPreviewNN")->trigger();
    chosen.reset(); // cancelled: nothing starts
    find<QAction>("MenuFileOpen")->trigger();
    find<QAction>("MenuFileNew")->trigger();
    find<QAction>("MenuToolProgram1")->trigger();
    SeenBox seen;
    answerNextBox(seen);
    find<QAction>("MenuToolProgram2")->trigger();
    EXPECT_EQ(seen.text, QString::fromUtf8("/x.exe -aがありません。"));
    using Args = std::vector<std::string>;
    EXPECT_EQ(platform.started(), (std::vector<Args>{{"/opt/ed/ed", page}, {"/opt/browser", page}, {"/opt/nn", page},
                                                     {"/opt/ed/ed"}, {tool}}));
}

TEST_F(PaletteTest, UserTagGroupsFollowTheBuiltInMenusAndPagesOnceEach)
{
    std::filesystem::create_directory(folder + "html5");
    for (const char* name : {"usertag.lst", "HTML5.tag"})
        std::filesystem::copy_file(std::string(ORVANEL_SOURCE_DIR) + "/data/html5/" + name, folder + "html5/" + name);
    TMainForm& f = open();
    // A first start: the shipped group is the tenth page, and its buttons insert.
    auto* pages = find<QTabWidget>("PageTag");
    ASSERT_EQ(pages->count(), 10);
    EXPECT_EQ(pages->tabText(9), "HTML5");
    platform.setText(editor, "abc");
    platform.select(editor, 0, 3);
    click(find<QToolButton>("UserBtnGroup0_User7"));
    EXPECT_EQ(platform.text(editor), "<section>\nabc\n</section>\n");

    // A user's own groups, some of them bad, and no shipped group over them.
    const std::string garbage("\x82\xA0\xFF\x00\x81\x1B[2J", 9);
    std::ofstream(folder + "usertag.lst", std::ios::binary)
        << "G0\r\n../up\r\nmissing\r\nG3\r\na/b\r\n" << garbage << "\r\n";
    std::ofstream(folder + "G0.tag", std::ios::binary) << garbage << "\r\nUser0=[" << std::string(1 << 20, 'x') << "]\r\nodd\r\n";
    std::ofstream(folder + "G3.tag", std::ios::binary) << "first\r\nUser0=[1]\r\n-\r\nUser1=[<HR>]\r\nlast\r\nUser2=[<%SEL%>]\r\n";
    std::vector<QString> told;
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told.push_back(box->text());
            box->button(QMessageBox::Ok)->click();
        }
    });
    boxes.start(5);
    f.LoadUserTag();
    f.LoadUserTag();
    boxes.stop();
    EXPECT_EQ(told.size(), 2u * 4u); // "../up", "missing", "a/b" and the garbage name, each time
    EXPECT_TRUE(std::find(told.begin(), told.end(), QString::fromStdString(folder + "missing.tagがありません。")) != told.end());
    ASSERT_EQ(pages->count(), 11);
    EXPECT_EQ(pages->tabText(10), "G3");
    auto* tagMenu = find<QMenu>("MenuItemTag");
    auto* popTag = find<QMenu>("PopTag");
    EXPECT_EQ(tagMenu->actions().size(), popTag->actions().size());
    QMenu* g3 = tagMenu->actions().back()->menu();
    ASSERT_TRUE(g3 && g3->title() == "G3" && g3->actions().size() == 3);
    EXPECT_EQ(g3->actions()[0]->objectName(), "UserMnGroup3_User0");
    EXPECT_TRUE(g3->actions()[1]->isSeparator());
    EXPECT_NE(menuAction(popTag, "UserPmGroup3_User2"), nullptr);
    auto* separatorButton = find<QToolButton>("UserBtnGroup3_User1");
    ASSERT_TRUE(separatorButton && separatorButton->text() == "-" && separatorButton->icon().isNull());
    platform.select(editor, 0, 0);
    click(separatorButton);
    menuAction(tagMenu, "UserMnGroup3_User2")->trigger();
    EXPECT_EQ(platform.text(editor), "<HR><><section>\nabc\n</section>\n");
    std::filesystem::remove(folder + "usertag.lst");
    f.LoadUserTag();
    EXPECT_EQ(pages->count(), 9);
}
