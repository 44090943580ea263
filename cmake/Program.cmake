# brelt.exe: the dialog framework, the program's code and its resources. The program's code is an
# object library so that the GUI tests link exactly the same objects.
add_subdirectory(${CMAKE_SOURCE_DIR}/platform)

add_library(brelt_program OBJECT
    app/AboutDlg.cpp
    app/CollectionFiles.cpp
    app/DrawingColours.cpp
    app/CommandTable.cpp
    app/DisplayFiles.cpp
    app/Help.cpp
    app/HistoryFolder.cpp
    app/HistoryRecovery.cpp
    app/ImageCells.cpp
    app/LibraryFiles.cpp
    app/LibraryFolder.cpp
    app/LibraryLoader.cpp
    app/Menus.cpp
    app/ProgramFolder.cpp
    app/RecentCollections.cpp
    app/WindowFrame.cpp
    app/brelt.cpp
    app/breltDlg.cpp
    browser/ContextMenu.cpp
    browser/Navigation.cpp
    browser/OpenCollection.cpp
    browser/PaneDisplay.cpp
    browser/PaneHints.cpp
    browser/PaneKeys.cpp
    browser/CollectionPane.cpp
    browser/SlotAccess.cpp
    browser/SlotFrames.cpp
    commands/Clipboard.cpp
    commands/CompareWith.cpp
    commands/DropFiles.cpp
    commands/EditCollection.cpp
    commands/EditImage.cpp
    commands/ExportPng.cpp
    commands/ImportImage.cpp
    commands/ImportPictures.cpp
    commands/ImportSheet.cpp
    commands/LibraryCommands.cpp
    commands/Print.cpp
    commands/MoveCommands.cpp
    commands/NewCollection.cpp
    commands/Overview.cpp
    commands/PreviousVersions.cpp
    commands/ShiftCollection.cpp
    commands/StartFiles.cpp
    commands/TextStamps.cpp
    dialogs/ColourSwatches.cpp
    dialogs/ColourSwatchesAccess.cpp
    dialogs/CompareDlg.cpp
    dialogs/CompareAccess.cpp
    dialogs/ConvertDlg.cpp
    dialogs/CropView.cpp
    dialogs/CropViewAccess.cpp
    dialogs/EditorDlg.cpp
    dialogs/EditorKeys.cpp
    dialogs/EditorSelection.cpp
    dialogs/EditorText.cpp
    dialogs/EffectDlgs.cpp
    dialogs/LibraryDlg.cpp
    dialogs/PageDrawing.cpp
    dialogs/PagePreview.cpp
    dialogs/PrintPagesDlg.cpp
    dialogs/LibraryList.cpp
    dialogs/LibraryListAccess.cpp
    dialogs/LibraryRows.cpp
    dialogs/MsgDlg.cpp
    dialogs/OverviewAccess.cpp
    dialogs/OverviewDlg.cpp
    dialogs/QuestionDlg.cpp
    dialogs/SheetDlg.cpp
    dialogs/TextStampsDlg.cpp
    dialogs/TextToolDlg.cpp
    dialogs/StampCanvas.cpp
    dialogs/StampCanvasAccess.cpp
    dialogs/VersionsDlg.cpp
)
target_link_libraries(brelt_program PUBLIC brelt_platform brelt_collection brelt_editor brelt_library brelt_colournames brelt_sheet brelt_plans brelt_layout brelt_settings brelt_messages shell32 shlwapi ole32
                      PRIVATE brelt_warnings)

# The icon is drawn by a generator of ours at build time; the version and the manifest come from
# the project's version.
set(BRELT_RESOURCE_DIR ${CMAKE_BINARY_DIR}/res)
set(BRELT_VERSION_PATCH ${PROJECT_VERSION_PATCH})
if(NOT BRELT_VERSION_PATCH)
    set(BRELT_VERSION_PATCH 0)
endif()
set(BRELT_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${BRELT_VERSION_PATCH}.0)
configure_file(${CMAKE_SOURCE_DIR}/res/version.h.in ${BRELT_RESOURCE_DIR}/version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/brelt.manifest ${BRELT_RESOURCE_DIR}/brelt.manifest @ONLY)
add_custom_command(
    OUTPUT ${BRELT_RESOURCE_DIR}/brelt.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BRELT_RESOURCE_DIR}
    COMMAND ${BRELT_MAKE_ICON} ${BRELT_RESOURCE_DIR}/brelt.ico
    DEPENDS ${BRELT_TOOLS_TARGET} ${CMAKE_SOURCE_DIR}/tools/MakeIcon.cpp
    COMMENT "Drawing the application icon")
add_custom_target(brelt_icon DEPENDS ${BRELT_RESOURCE_DIR}/brelt.ico)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/brelt.rc PROPERTIES
    OBJECT_DEPENDS "${BRELT_RESOURCE_DIR}/brelt.ico;${BRELT_RESOURCE_DIR}/brelt.manifest")

# Users get this folder as it is: brelt.exe and what lies beside it.
set(BRELT_OUTPUT_DIR ${CMAKE_BINARY_DIR}/brelt)
add_executable(brelt WIN32 platform/WinMain.cpp res/brelt.rc)
target_include_directories(brelt PRIVATE ${BRELT_RESOURCE_DIR})
target_link_libraries(brelt PRIVATE brelt_program brelt_warnings)
add_dependencies(brelt brelt_icon)
set_target_properties(brelt PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BRELT_OUTPUT_DIR})

# The template of new collections lies beside the program; so do sample stamps for a first run,
# which ./run puts into the library folder.
add_custom_command(
    OUTPUT ${BRELT_OUTPUT_DIR}/writeable.bin
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BRELT_OUTPUT_DIR}
    COMMAND ${BRELT_MAKE_TEMPLATE} ${BRELT_OUTPUT_DIR}/writeable.bin
    DEPENDS ${BRELT_TOOLS_TARGET} ${CMAKE_SOURCE_DIR}/tools/MakeTemplate.cpp
    COMMENT "Writing the template writeable.bin")
set(BRELT_SAMPLES_DIR ${CMAKE_BINARY_DIR}/samples)
add_custom_command(
    OUTPUT ${BRELT_SAMPLES_DIR}/numeros.sgc
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BRELT_SAMPLES_DIR}
    COMMAND ${BRELT_MAKE_SAMPLES} ${BRELT_SAMPLES_DIR}
    DEPENDS ${BRELT_TOOLS_TARGET} ${CMAKE_SOURCE_DIR}/tools/MakeSamples.cpp
            ${CMAKE_SOURCE_DIR}/tools/Canvas.cpp
    COMMENT "Drawing the sample stamps")
add_custom_target(brelt_data ALL
    DEPENDS ${BRELT_OUTPUT_DIR}/writeable.bin ${BRELT_SAMPLES_DIR}/numeros.sgc)
add_dependencies(brelt brelt_data)

add_subdirectory(${CMAKE_SOURCE_DIR}/guide ${CMAKE_BINARY_DIR}/guide)

# The download: brelt.exe, the template, the samples and the guides, in one zip.
#   cmake --build --preset windows --target package  ->  build/windows/brelt-<version>-win64.zip
install(TARGETS brelt RUNTIME DESTINATION .)
install(FILES ${BRELT_OUTPUT_DIR}/writeable.bin ${CMAKE_SOURCE_DIR}/res/LLEGEIX.txt DESTINATION .)
install(FILES ${BRELT_SAMPLES_DIR}/numeros.sgc ${BRELT_SAMPLES_DIR}/formes.sgc
              ${BRELT_SAMPLES_DIR}/sol.bmp ${BRELT_SAMPLES_DIR}/cor.bmp ${BRELT_SAMPLES_DIR}/casa.bmp
        DESTINATION Exemples)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME brelt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME brelt-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
