# Core: the settings record and its file.
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Settings.h
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.h
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.h
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp
)
