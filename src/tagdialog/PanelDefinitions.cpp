#include "tagdialog/PanelDefinitionsBuild.h"
#include "tagdialog/PanelLayout.h"

namespace orvanel {

const std::vector<ControlDef>& panelDefinitions()
{
    static const std::vector<ControlDef> panels = [] {
        std::vector<ControlDef> all;
        for (auto family : {paneldefs::documentPanels, paneldefs::tablePanels, paneldefs::linkListPanels,
                            paneldefs::frameFormPanels})
            for (ControlDef& p : family())
                all.push_back(std::move(p));
        for (ControlDef& p : all)
            layoutPanel(p);
        return all;
    }();
    return panels;
}

} // namespace orvanel
