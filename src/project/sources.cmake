# Core: the link scanner and the "links" verb.
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LinkList.h
  ${CMAKE_CURRENT_LIST_DIR}/LinkList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileIcons.h
  ${CMAKE_CURRENT_LIST_DIR}/FileIcons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SiteFiles.h
  ${CMAKE_CURRENT_LIST_DIR}/PageText.h
  ${CMAKE_CURRENT_LIST_DIR}/PageText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FindLink.h
  ${CMAKE_CURRENT_LIST_DIR}/FindLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeptReferences.h
  ${CMAKE_CURRENT_LIST_DIR}/KeptReferences.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Anchors.h
  ${CMAKE_CURRENT_LIST_DIR}/Anchors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnyForm.h
  ${CMAKE_CURRENT_LIST_DIR}/AnyForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResolveLink.h
  ${CMAKE_CURRENT_LIST_DIR}/ResolveLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PathTable.h
  ${CMAKE_CURRENT_LIST_DIR}/LargeMemory.h
  ${CMAKE_CURRENT_LIST_DIR}/LargeMemory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextStore.h
  ${CMAKE_CURRENT_LIST_DIR}/TextStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeptTexts.h
  ${CMAKE_CURRENT_LIST_DIR}/KeptTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScanSession.h
  ${CMAKE_CURRENT_LIST_DIR}/ScanSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScanPage.h
  ${CMAKE_CURRENT_LIST_DIR}/ScanPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SiteWalk.h
  ${CMAKE_CURRENT_LIST_DIR}/SiteWalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinksVerb.h
  ${CMAKE_CURRENT_LIST_DIR}/LinksVerb.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapRules.h
  ${CMAKE_CURRENT_LIST_DIR}/SnapRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkPath.h
  ${CMAKE_CURRENT_LIST_DIR}/LinkPath.cpp
)
# The files of a site, per system.
if(WIN32)
  list(APPEND ORVANEL_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SiteFiles_win32.cpp)
else()
  list(APPEND ORVANEL_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SiteFiles_posix.cpp)
  # std::string::resize_and_overwrite (reading a page without zeros written first) comes with
  # C++23; the rest of the program stays C++20, and a library without it is served too.
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/SiteFiles_posix.cpp PROPERTIES COMPILE_OPTIONS -std=c++2b)
endif()
# UI: the project manager window.
list(APPEND ORVANEL_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TPrjMngr.h
  ${CMAKE_CURRENT_LIST_DIR}/TPrjMngr.cpp
)
