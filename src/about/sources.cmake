# Core: the version window's texts and the schedule of its animation.
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AnimationClock.h
  ${CMAKE_CURRENT_LIST_DIR}/VerInfoTexts.h
  ${CMAKE_CURRENT_LIST_DIR}/VerInfoAnimation.h
  ${CMAKE_CURRENT_LIST_DIR}/VerInfoAnimation.cpp
)
# UI: the version window, with the program icon and the logo compiled in as ":/about/...".
list(APPEND ORVANEL_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TVerInfoForm.h
  ${CMAKE_CURRENT_LIST_DIR}/TVerInfoForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about.qrc
)
