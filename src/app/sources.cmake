list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ExeFolder.h
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.h
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComposeCommand.h
  ${CMAKE_CURRENT_LIST_DIR}/ComposeCommand.cpp
)
list(APPEND ORVANEL_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TMainForm.h
  ${CMAKE_CURRENT_LIST_DIR}/TMainForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorDisplay.h
  ${CMAKE_CURRENT_LIST_DIR}/ErrorDisplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Startup.h
  ${CMAKE_CURRENT_LIST_DIR}/Startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TagDialogHost.h
  ${CMAKE_CURRENT_LIST_DIR}/TagDialogHost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolkitPictures.h
  ${CMAKE_CURRENT_LIST_DIR}/ToolkitPictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionDialogHost.h
  ${CMAKE_CURRENT_LIST_DIR}/OptionDialogHost.cpp
)
# The palette window's own pieces.
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HotKeyText.h
  ${CMAKE_CURRENT_LIST_DIR}/HotKeyText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TagVerb.h
  ${CMAKE_CURRENT_LIST_DIR}/TagVerb.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppBar.h
  ${CMAKE_CURRENT_LIST_DIR}/AppBar.cpp
)
# The program and user folders, per system.
if(WIN32)
  list(APPEND ORVANEL_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/ExeFolder_win32.cpp)
else()
  list(APPEND ORVANEL_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/ExeFolder_posix.cpp)
  # The loader of the window module (the module's own entry is WindowModuleEntry.cpp).
  list(APPEND ORVANEL_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WindowModule.h
    ${CMAKE_CURRENT_LIST_DIR}/WindowModule_posix.cpp)
endif()
