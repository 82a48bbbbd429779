# Installation: the program with its skin library, a command in bin, the desktop entry, the
# AppStream metainfo and the icons. Included at the end of app/CMakeLists.txt.
#
#   <libdir>/ohmbra/ohmbra              the program's real file
#   <libdir>/ohmbra/libSkinH_EL.so      beside it, where the program binds it first
#   <bindir>/ohmbra -> ../<libdir>/ohmbra/ohmbra   (relative symlink)
#
# The program looks for its skin library in the folder of /proc/self/exe, which names the real
# file behind the symlink; a private folder keeps the library out of the loader's search path.
include(GNUInstallDirs)
find_package(Qt6 REQUIRED COMPONENTS Gui)

set(OHMBRA_APP_ID io.github.ohmbra.Ohmbra)
set(OHMBRA_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/ohmbra)

install(TARGETS ohmbra RUNTIME DESTINATION ${OHMBRA_PROGRAM_DIR})
install(TARGETS SkinH_EL LIBRARY DESTINATION ${OHMBRA_PROGRAM_DIR})

# The command: a relative link made in the build tree and installed as it is, so it holds for
# any --prefix and DESTDIR (with the usual relative bindir and libdir).
file(RELATIVE_PATH ohmbra_link_target ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBDIR}/ohmbra/ohmbra)
set(ohmbra_link ${CMAKE_CURRENT_BINARY_DIR}/install/ohmbra)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/install)
file(CREATE_LINK ${ohmbra_link_target} ${ohmbra_link} SYMBOLIC)
install(FILES ${ohmbra_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES data/${OHMBRA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${OHMBRA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/ohmbra.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The PNG icons are the window's own icon (app_icon.cpp), drawn at build time.
add_executable(make-icon-png ${PROJECT_SOURCE_DIR}/tools/make_icon_png.cpp app_icon.cpp)
target_include_directories(make-icon-png PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(make-icon-png PRIVATE Qt6::Gui)

set(ohmbra_icon_pngs)
foreach(size 48 128)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/ohmbra.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
        COMMAND make-icon-png ${size} ${png}
        DEPENDS make-icon-png
        COMMENT "Drawing the ${size}x${size} icon"
        VERBATIM)
    list(APPEND ohmbra_icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(ohmbra-icons ALL DEPENDS ${ohmbra_icon_pngs})
