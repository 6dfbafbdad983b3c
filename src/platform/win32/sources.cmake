# The Windows backend: user32 and the shell through their wide-character calls, nothing but
# the core besides. Chosen for Windows builds by the top-level CMakeLists.txt.
set(ORVANEL_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../Backend.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Handles.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Log.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Waits.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Events.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Windows.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Desktop.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Desktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Clipboard.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Keys.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32KeyDelivery.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32KeyDelivery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32HotKey.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32HotKey.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Keyboard.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32DockStrip.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32DockStrip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32CommandLine.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32ProgramStarter.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32ProgramStarter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32InstanceMutex.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32InstanceMutex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32FileIcons.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32FileIcons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Backend.h
  ${CMAKE_CURRENT_LIST_DIR}/Win32Backend.cpp
)
set(ORVANEL_WIN32_LIBRARIES user32 gdi32 shell32 dwmapi winmm)
