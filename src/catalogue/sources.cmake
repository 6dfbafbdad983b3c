# Core: the tag lists, the tag menu model, the fixed button set and the user tag groups.
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/UserTagFiles.h
  ${CMAKE_CURRENT_LIST_DIR}/UserTagFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UserTagMenu.h
  ${CMAKE_CURRENT_LIST_DIR}/UserTagMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShippedGroups.h
  ${CMAKE_CURRENT_LIST_DIR}/ShippedGroups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ButtonTagList.h
  ${CMAKE_CURRENT_LIST_DIR}/ButtonTagList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TagMenuModel.h
  ${CMAKE_CURRENT_LIST_DIR}/TagMenuModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TagButtons.h
  ${CMAKE_CURRENT_LIST_DIR}/TagButtons.cpp
)

# UI: windows built from the core model.
list(APPEND ORVANEL_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TagMenuWidgets.h
  ${CMAKE_CURRENT_LIST_DIR}/TagMenuWidgets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CompactTabs.h
  ${CMAKE_CURRENT_LIST_DIR}/CompactTabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PictureIcon.h
  ${CMAKE_CURRENT_LIST_DIR}/PictureIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TagPages.h
  ${CMAKE_CURRENT_LIST_DIR}/TagPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UserTagWidgets.h
  ${CMAKE_CURRENT_LIST_DIR}/UserTagWidgets.cpp
)

# The tag button icons: SVG art in icons/, compiled in as PNG pictures (cmake/RenderedIcons.cmake).
