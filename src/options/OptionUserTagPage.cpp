// The page "タグ登録" of the options dialog: the user tag editor's group list and tag list
// with their buttons. Names and templates are asked for in the input support dialog.

#include "options/OptionDialogWidgets.h"
#include "options/TOptionDialogForm.h"
#include "text/UserErrorBox.h"

#include <QGridLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace orvanel {

using namespace optionwidgets;

namespace {

void fill(QListWidget* list, const std::vector<std::string>& items, int selected)
{
    list->clear();
    for (const std::string& item : items)
        list->addItem(qs(item));
    list->setCurrentRow(selected);
    if (selected < 0)
        list->clearSelection();
}

} // namespace

void TOptionDialogForm::buildSetTag()
{
    using Handler = void (TOptionDialogForm::*)();
    TabOpSetTag = page(PageOption, "TabOpSetTag", "タグ登録");
    auto* layout = new QHBoxLayout(TabOpSetTag);

    // A group box with its list and the five buttons beside it.
    auto column = [&](const char* caption, QListWidget*& list, const char* listName,
                      std::initializer_list<std::pair<const char*, Handler>> buttons) {
        auto* box = groupBox(TabOpSetTag, caption);
        auto* grid = new QGridLayout(box);
        list = named(new QListWidget(box), listName, box->title());
        list->setMaximumWidth(200);
        grid->addWidget(list, 0, 0, static_cast<int>(buttons.size()) + 1, 1);
        const char* captions[] = {"追加", "編集", "削除", "上へ", "下へ"};
        int row = 0;
        for (const auto& [name, handler] : buttons) {
            QPushButton* b = button(box, name, captions[row]);
            connect(b, &QPushButton::clicked, this, [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
            grid->addWidget(b, row++, 1);
        }
        grid->setRowStretch(row, 1);
        layout->addWidget(box);
    };
    column("グループ名", ListBoxSetTagGroup, "ListBoxSetTagGroup",
           {{"BtnTagGroupAdd", &TOptionDialogForm::BtnTagGroupAddClick},
            {"BtnTagGroupEdit", &TOptionDialogForm::BtnTagGroupEditClick},
            {"BtnTagGroupDel", &TOptionDialogForm::BtnTagGroupDelClick},
            {"BtnTagGroupUp", &TOptionDialogForm::BtnTagGroupUpClick},
            {"BtnTagGroupDown", &TOptionDialogForm::BtnTagGroupDownClick}});
    column("タグ名", ListBoxSetTagName, "ListBoxSetTagName",
           {{"BtnSetTagAdd", &TOptionDialogForm::BtnSetTagAddClick},
            {"BtnSetTagEdit", &TOptionDialogForm::BtnSetTagEditClick},
            {"BtnSetTagDel", &TOptionDialogForm::BtnSetTagDelClick},
            {"BtnSetTagUp", &TOptionDialogForm::BtnSetTagUpClick},
            {"BtnSetTagDown", &TOptionDialogForm::BtnSetTagDownClick}});
    ListBoxSetTagValue = new QListWidget(TabOpSetTag);
    ListBoxSetTagValue->setObjectName(QStringLiteral("ListBoxSetTagValue"));
    ListBoxSetTagValue->hide();

    // A group selected by mouse or keyboard; a tag selected; a double click edits the tag.
    connect(ListBoxSetTagGroup, &QListWidget::itemSelectionChanged, this, [this] {
        if (!syncing_)
            Guarded(this, [&] { ListBoxSetTagGroupClick(); });
    });
    connect(ListBoxSetTagName, &QListWidget::itemSelectionChanged, this, [this] {
        if (!syncing_)
            editor_.selectTag(ListBoxSetTagName->currentRow());
    });
    connect(ListBoxSetTagName, &QListWidget::itemDoubleClicked, this,
            [this] { Guarded(this, [&] { BtnSetTagEditClick(); }); });
}

void TOptionDialogForm::showGroups()
{
    SyncGuard guard(syncing_);
    fill(ListBoxSetTagGroup, editor_.groupListItems(), editor_.groupIndex());
}

void TOptionDialogForm::showTags()
{
    SyncGuard guard(syncing_);
    std::vector<std::string> names, templates;
    for (const options::UserTag& tag : editor_.tags()) {
        names.push_back(tag.name);
        templates.push_back(tag.tagTemplate);
    }
    fill(ListBoxSetTagName, names, editor_.tagIndex());
    fill(ListBoxSetTagValue, templates, editor_.tagIndex());
}

template <class Request, class Answer>
void TOptionDialogForm::withSupportPanel(Request request, Answer answer)
{
    const std::optional<options::SupportDialogValues> values = request();
    if (!values)
        return;
    answer(showSupportPanel_ ? showSupportPanel_(*values) : std::string());
    showGroups();
    showTags();
}

void TOptionDialogForm::ListBoxSetTagGroupClick()
{
    const QList<QListWidgetItem*> selected = ListBoxSetTagGroup->selectedItems();
    if (!selected.isEmpty())
        editor_.ListBoxSetTagGroupClick(ListBoxSetTagGroup->row(selected.first()));
    // A save that failed keeps the group shown so far selected, with its changed tags.
    showGroups();
    showTags();
}

void TOptionDialogForm::BtnTagGroupAddClick()
{
    withSupportPanel([] { return std::optional(options::UserTagEditor::BtnTagGroupAddRequest()); },
                     [this](const std::string& result) { editor_.BtnTagGroupAddClick(result); });
}

void TOptionDialogForm::BtnTagGroupEditClick()
{
    withSupportPanel([this] { return editor_.BtnTagGroupEditRequest(); },
                     [this](const std::string& result) { editor_.BtnTagGroupEditClick(result); });
}

void TOptionDialogForm::BtnSetTagAddClick()
{
    withSupportPanel([this] { return editor_.BtnSetTagAddRequest(); },
                     [this](const std::string& result) { editor_.BtnSetTagAddClick(result); });
}

void TOptionDialogForm::BtnSetTagEditClick()
{
    withSupportPanel([this] { return editor_.BtnSetTagEditRequest(); },
                     [this](const std::string& result) { editor_.BtnSetTagEditClick(result); });
}

void TOptionDialogForm::BtnTagGroupDelClick()
{
    editor_.BtnTagGroupDelClick();
    showGroups();
}

void TOptionDialogForm::BtnTagGroupUpClick()
{
    editor_.BtnTagGroupUpClick();
    showGroups();
}

void TOptionDialogForm::BtnTagGroupDownClick()
{
    editor_.BtnTagGroupDownClick();
    showGroups();
}

void TOptionDialogForm::BtnSetTagDelClick()
{
    editor_.BtnSetTagDelClick();
    showTags();
}

void TOptionDialogForm::BtnSetTagUpClick()
{
    editor_.BtnSetTagUpClick();
    showTags();
}

void TOptionDialogForm::BtnSetTagDownClick()
{
    editor_.BtnSetTagDownClick();
    showTags();
}

} // namespace orvanel
