# Core: the small interfaces to the operating system, one per concern. Core logic includes
# only these; the backends below implement them.
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PlatformTypes.h
  ${CMAKE_CURRENT_LIST_DIR}/EventLoop.h
  ${CMAKE_CURRENT_LIST_DIR}/Desktop.h
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.h
  ${CMAKE_CURRENT_LIST_DIR}/KeyDelivery.h
  ${CMAKE_CURRENT_LIST_DIR}/HotKey.h
  ${CMAKE_CURRENT_LIST_DIR}/Keyboard.h
  ${CMAKE_CURRENT_LIST_DIR}/InstanceLock.h
  ${CMAKE_CURRENT_LIST_DIR}/DockStrip.h
  ${CMAKE_CURRENT_LIST_DIR}/ProgramStarter.h
  ${CMAKE_CURRENT_LIST_DIR}/FileIcons.h
)
# The backend of this build, made by one factory, and the diagnostics a user can turn on.
list(APPEND ORVANEL_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Backend.h
  ${CMAKE_CURRENT_LIST_DIR}/LaunchLog.h
  ${CMAKE_CURRENT_LIST_DIR}/LaunchLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Diagnostics.h
  ${CMAKE_CURRENT_LIST_DIR}/Diagnostics.cpp
)
# The X11 backend.
list(APPEND ORVANEL_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Waits.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Owned.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Connection.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Connection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Events.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Clipboard.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11SelectionWatch.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11SelectionWatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Keys.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11KeyDelivery.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11KeyDelivery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11HotKey.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11HotKey.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Keyboard.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Windows.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Desktop.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Desktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11DockStrip.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11DockStrip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11ProgramStarter.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11ProgramStarter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Backend.h
  ${CMAKE_CURRENT_LIST_DIR}/x11/X11Backend.cpp
)
# The POSIX pieces: the instance lock, the programs started, the desktop's open and the
# file icons of the shared MIME database.
list(APPEND ORVANEL_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/posix/InstanceLockFile.h
  ${CMAKE_CURRENT_LIST_DIR}/posix/InstanceLockFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/ChildProcesses.h
  ${CMAKE_CURRENT_LIST_DIR}/posix/ChildProcesses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/DesktopOpen.h
  ${CMAKE_CURRENT_LIST_DIR}/posix/DesktopOpen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/MimeFileIcons.h
  ${CMAKE_CURRENT_LIST_DIR}/posix/MimeFileIcons.cpp
)
# The in-memory backend for tests.
list(APPEND ORVANEL_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/fake/FakePlatform.h
  ${CMAKE_CURRENT_LIST_DIR}/fake/FakePlatform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fake/FakeDockStrip.h
  ${CMAKE_CURRENT_LIST_DIR}/fake/FakeDockStrip.cpp
)
