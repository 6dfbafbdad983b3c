#pragma once
// Every user setting of "Orvanel.ini", one field per key.

#include <string>
#include <vector>

namespace orvanel {

struct Settings {
    int TagFace = 0;       // 0 upper case, 1 lower case, other: as written
    int InsertMethod = 0;  // 0 window messages, 1 key emulation, other: no transfer
    bool AutoActive = false;
    bool StayOnTop = false;
    bool AppBar = false;
    std::string HotKey;    // "ctrl + shift + H"; empty: none
    int ProjectManagerState = 0; // PrjMngr/PrjMngr: 0 none, 1 open, 2 closed by the user
    std::string TopPage;
    int PrjMngrHeight = 0;
    int PrjMngrWidth = 0;
    int Snap = 0;          // 0 none, 1 left, 2 right
    std::string CurBrowser, IE, NN, ETC;
    std::string ProName1, ProName2, ProName3;
    std::string ProPath1, ProPath2, ProPath3;
    std::vector<std::string> ExtList; // "ext=program path"
};

// The window values that live in the file but not in Settings: applied to the palette on
// loading, read back from it on saving.
struct WindowState {
    int Left = 180;
    int Top = 180;
    int Height = 0;        // default: the palette height
    int Width = 535;
    std::string ActivePage = "TabDoc";
    std::string InitialDir; // default: ExeFolder
};

} // namespace orvanel
