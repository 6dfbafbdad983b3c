list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PanelModel.h
  ${CMAKE_CURRENT_LIST_DIR}/PanelModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelDefinitions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelDefinitionsBuild.h
  ${CMAKE_CURRENT_LIST_DIR}/PanelDefinitionsDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelDefinitionsTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelDefinitionsLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelDefinitionsForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelLayout.h
  ${CMAKE_CURRENT_LIST_DIR}/PanelLayout.cpp
)
