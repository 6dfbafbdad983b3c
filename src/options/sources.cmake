# Core: the settings record and its file.
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Settings.h
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.h
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.h
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp
)
# Core: the rules of the options dialog, the user tag editor and the input support dialog.
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/OptionDialogRules.h
  ${CMAKE_CURRENT_LIST_DIR}/OptionDialogRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HotKeyCapture.h
  ${CMAKE_CURRENT_LIST_DIR}/HotKeyCapture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SupportDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/SupportDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GroupFile.h
  ${CMAKE_CURRENT_LIST_DIR}/GroupFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UserTagEditor.h
  ${CMAKE_CURRENT_LIST_DIR}/UserTagEditor.cpp
)
# Ui: the options dialog with its page of user tags, and the input support dialog.
list(APPEND ORVANEL_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/OptionDialogWidgets.h
  ${CMAKE_CURRENT_LIST_DIR}/TOptionDialogForm.h
  ${CMAKE_CURRENT_LIST_DIR}/TOptionDialogForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionUserTagPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TSupportDialogForm.h
  ${CMAKE_CURRENT_LIST_DIR}/TSupportDialogForm.cpp
)
