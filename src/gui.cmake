# The windows: a GUI library (forms, handlers, the control service layer) on
# top of tavelin_core, and the tiny executable.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets WebEngineWidgets)

file(GLOB TAVELIN_GUI_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/app/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/app/widgets/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ui/main/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ui/reader/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/account/widgets/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/notices/widgets/*.cpp)
file(GLOB TAVELIN_GUI_HEADERS CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/app/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/app/widgets/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/ui/main/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/ui/reader/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/account/widgets/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/notices/widgets/*.h)
file(GLOB TAVELIN_FORMS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/app/forms/*.ui)

add_library(tavelin_gui STATIC ${TAVELIN_GUI_SOURCES} ${TAVELIN_GUI_HEADERS} ${TAVELIN_FORMS})
set_target_properties(tavelin_gui PROPERTIES
  AUTOMOC ON AUTOUIC ON AUTORCC ON
  AUTOUIC_SEARCH_PATHS ${CMAKE_CURRENT_SOURCE_DIR}/app/forms)
# The generated form headers (ui_*.h) are used by the window tests too.
target_include_directories(tavelin_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}
  ${CMAKE_CURRENT_BINARY_DIR}/tavelin_gui_autogen/include)
target_link_libraries(tavelin_gui PUBLIC tavelin_core Qt6::Widgets Qt6::WebEngineWidgets)
# Shift+Z is grabbed for the whole screen on X11 (ui/reader/x11_key_grab.cpp).
pkg_check_modules(TAVELIN_XCB IMPORTED_TARGET xcb)
if(TAVELIN_XCB_FOUND)
  target_link_libraries(tavelin_gui PRIVATE PkgConfig::TAVELIN_XCB)
  target_compile_definitions(tavelin_gui PRIVATE TAVELIN_HAVE_XCB)
endif()
# --demo runs the sample site inside the reader (the target is defined later,
# in tools/, and resolved by name).
if(EXISTS ${TAVELIN_SOURCE_DIR}/tools/sample-site/CMakeLists.txt)
  target_link_libraries(tavelin_gui PUBLIC tavelin_sample_site)
endif()

add_executable(tavelin ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
target_link_libraries(tavelin PRIVATE tavelin_gui)
set_target_properties(tavelin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The reading assets sit beside the executable in the build tree.
if(EXISTS ${TAVELIN_SOURCE_DIR}/assets)
  add_custom_command(TARGET tavelin POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${TAVELIN_SOURCE_DIR}/assets ${CMAKE_BINARY_DIR}/assets)
endif()

# Installation: the program, its reading assets (found beside the program as
# <prefix>/share/tavelin/assets), a desktop entry and an icon.
include(GNUInstallDirs)
install(TARGETS tavelin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${TAVELIN_SOURCE_DIR}/assets/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tavelin/assets
        PATTERN "tavelin.desktop" EXCLUDE)
install(FILES ${TAVELIN_SOURCE_DIR}/assets/tavelin.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAVELIN_SOURCE_DIR}/assets/icons/tavelin.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
