#include "tagdialog/PanelModel.h"

namespace orvanel {

const std::vector<ControlDef>& panelDefinitions()
{
    static const std::vector<ControlDef> panels;
    return panels;
}

} // namespace orvanel
