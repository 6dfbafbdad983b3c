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
list(APPEND ORVANEL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ComposeValues.h
  ${CMAKE_CURRENT_LIST_DIR}/ComposeValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Compose.h
  ${CMAKE_CURRENT_LIST_DIR}/Compose.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameBuilder.h
  ${CMAKE_CURRENT_LIST_DIR}/FrameBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionBuilder.h
  ${CMAKE_CURRENT_LIST_DIR}/OptionBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameBuilderSetup.h
  ${CMAKE_CURRENT_LIST_DIR}/FrameBuilderSetup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenDialogState.h
  ${CMAKE_CURRENT_LIST_DIR}/OpenDialogState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pickers.h
  ${CMAKE_CURRENT_LIST_DIR}/Pickers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComposeVerb.h
  ${CMAKE_CURRENT_LIST_DIR}/ComposeVerb.cpp
)
list(APPEND ORVANEL_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TTagDialogForm.h
  ${CMAKE_CURRENT_LIST_DIR}/TTagDialogForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenFileDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/OpenFileDialog.cpp
)
