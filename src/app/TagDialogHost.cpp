#include "app/TagDialogHost.h"

#include "app/TMainForm.h"
#include "insert/RelativePath.h"
#include "tagdialog/Pickers.h"
#include "tagdialog/TTagDialogForm.h"
#include "text/UserErrorBox.h"

namespace orvanel {

namespace {

void wireDialog(TTagDialogForm& dialog, TMainForm& palette)
{
    dialog.setButtonTagList(&palette.buttonTagList());
    dialog.setOpenDialogState(&palette.OpenDialog());
    dialog.setInsert([&palette](const std::string& tagText) {
        TagInserter& inserter = palette.inserter();
        inserter.InsertTemplate(inserter.ApplyTagFace(tagText));
    });
    dialog.setReferenceText([&palette, &dialog](const std::string& file) {
        return tagdialog::referenceText(file, palette.target().TargetFile(), insert::nativePathStyle(),
                                        [&dialog](std::string_view message) {
                                            ShowMessage(std::string(message), &dialog);
                                        });
    });
}

// The palette's requests for panels, all through `dialog`, which gives the tag dialog (made
// when first asked for, or already there).
template <typename DialogOf> PanelHost panelHostOf(DialogOf dialog)
{
    return PanelHost{
        [dialog](const std::string& panelName) { return dialog().ShowPanel(panelName); },
        [dialog] { dialog().exec(); },
        [dialog](const std::string& editName, const std::string& text) { dialog().ShowTextToEdit(editName, text); },
    };
}

} // namespace

void connectTagDialog(TTagDialogForm& dialog, TMainForm& palette)
{
    wireDialog(dialog, palette);
    palette.setPanelHost(panelHostOf([&dialog]() -> TTagDialogForm& { return dialog; }));
}

void connectTagDialogWhenNeeded(std::unique_ptr<TTagDialogForm>& slot, TMainForm& palette)
{
    palette.setPanelHost(panelHostOf([&slot, &palette]() -> TTagDialogForm& {
        if (!slot) {
            slot = std::make_unique<TTagDialogForm>();
            wireDialog(*slot, palette);
        }
        return *slot;
    }));
}

} // namespace orvanel
