# Core: the launchers' rules and steps, written against the ProgramStarter interface, and
# the file-existence test that other subsystems share.
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CheckFileExists.h
  ${CMAKE_CURRENT_LIST_DIR}/CheckFileExists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LaunchRules.h
  ${CMAKE_CURRENT_LIST_DIR}/LaunchRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Launcher.h
  ${CMAKE_CURRENT_LIST_DIR}/Launcher.cpp
)
# The system's file search behind CheckFileExists.
list(APPEND ORVANEL_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FileSearch.h)
if(WIN32)
  list(APPEND ORVANEL_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FileSearch_win32.cpp)
else()
  list(APPEND ORVANEL_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FileSearch_posix.cpp)
endif()
