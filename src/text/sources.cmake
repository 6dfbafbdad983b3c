list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/UserError.h
  ${CMAKE_CURRENT_LIST_DIR}/UserError.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Encoding.h
  ${CMAKE_CURRENT_LIST_DIR}/Encoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Lines.h
  ${CMAKE_CURRENT_LIST_DIR}/Lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextOps.h
  ${CMAKE_CURRENT_LIST_DIR}/Utf8Chars.h
  ${CMAKE_CURRENT_LIST_DIR}/StringHash.h
  ${CMAKE_CURRENT_LIST_DIR}/FindByte.h
  ${CMAKE_CURRENT_LIST_DIR}/NameSet.h
  ${CMAKE_CURRENT_LIST_DIR}/NameSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyedTextList.h
  ${CMAKE_CURRENT_LIST_DIR}/KeyedTextList.cpp
)
# UI: the message box and the guard of every handler.
list(APPEND ORVANEL_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/UserErrorBox.h
  ${CMAKE_CURRENT_LIST_DIR}/UserErrorBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UiFont.h
)
# The CP932 codec and whole-file access, per system.
if(WIN32)
  list(APPEND ORVANEL_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Utf16.h
    ${CMAKE_CURRENT_LIST_DIR}/Utf16_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Encoding_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Lines_win32.cpp
  )
else()
  list(APPEND ORVANEL_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Encoding_posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Lines_posix.cpp
  )
endif()
