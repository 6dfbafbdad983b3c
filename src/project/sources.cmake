# UI: the project manager window.
list(APPEND ORVANEL_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TPrjMngr.h
  ${CMAKE_CURRENT_LIST_DIR}/TPrjMngr.cpp
)
