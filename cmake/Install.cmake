# Install rules: the programs, the desktop entry, the file type of investment files, the
# icon, the examples and the licence. An install also notes, in the build folder, the folders
# it created, so that `make uninstall` (cmake/Uninstall.cmake) removes exactly what it put there.
include(GNUInstallDirs)

set(_vel_desktop ${CMAKE_SOURCE_DIR}/app/desktop)
set(_vel_dirs ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_DOCDIR}/examples)
if(VEL_WITH_QT)
    list(APPEND _vel_dirs
        ${CMAKE_INSTALL_DATADIR}/applications
        ${CMAKE_INSTALL_DATADIR}/mime/packages
        ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()

# The steps before and after the files are one script; these rules run in the order given.
install(CODE "set(VEL_INSTALL_DIRS \"${_vel_dirs}\")
set(VEL_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
set(VEL_BINARY_DIR \"${CMAKE_BINARY_DIR}\")
set(VEL_STEP begin)")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallSteps.cmake)

install(TARGETS velcalc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(VEL_WITH_QT)
    install(TARGETS velppc velreport RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${_vel_desktop}/velppc.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${_vel_desktop}/velppc-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
            RENAME velppc.xml)
    install(FILES ${_vel_desktop}/velppc.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${_vel_desktop}/velppc.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
    # The program shows the same guide from within; this copy is for reading elsewhere.
    install(FILES ${VEL_USER_GUIDE} DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
file(GLOB _vel_examples CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/examples/*.vel)
install(FILES ${_vel_examples} DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

install(CODE "set(VEL_STEP end)")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallSteps.cmake)

add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DVEL_BINARY_DIR=${CMAKE_BINARY_DIR}
            -P ${CMAKE_CURRENT_LIST_DIR}/Uninstall.cmake
    COMMENT "Removing what the last install put in place")
