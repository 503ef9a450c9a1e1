# Installs both programs, the pictures they read from their working directory,
# and a desktop launcher and icon for each. The launcher starts the program in
# the picture folder, which is where the game looks for its pictures.
include(GNUInstallDirs)

set(KESTRAVA_PICTURE_DIR ${CMAKE_INSTALL_DATADIR}/kestrava/pictures)

install(TARGETS kestrava2 kestrava1 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB KESTRAVA_SHIPPED_PICTURES ${PROJECT_SOURCE_DIR}/assets/*.gif)
install(FILES ${KESTRAVA_SHIPPED_PICTURES} DESTINATION ${KESTRAVA_PICTURE_DIR})

foreach(program kestrava2 kestrava1)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/builtin/icon_${program}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
          RENAME ${program}.png)
endforeach()

# The launchers name absolute paths, so they are written at install time for
# the prefix actually used (cmake --install --prefix ...).
install(CODE "
  set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
  if(DEFINED ENV{DESTDIR})
    set(root \"\$ENV{DESTDIR}\")
  else()
    set(root \"\")
  endif()
  foreach(entry \"kestrava2;Kestrava;Turn-based artillery for two to four players\"
                \"kestrava1;Kestrava Wind Edition;Turn-based artillery with wind, for two to four players\")
    list(GET entry 0 program)
    list(GET entry 1 name)
    list(GET entry 2 comment)
    set(PROGRAM_EXEC \"\${prefix}/${CMAKE_INSTALL_BINDIR}/\${program}\")
    set(PICTURE_DIR \"\${prefix}/${KESTRAVA_PICTURE_DIR}\")
    set(PROGRAM_NAME \"\${name}\")
    set(PROGRAM_COMMENT \"\${comment}\")
    set(PROGRAM_ICON \"\${program}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/src/app/launcher.desktop.in\"
                   \"\${root}\${prefix}/${CMAKE_INSTALL_DATADIR}/applications/\${program}.desktop\" @ONLY)
    message(STATUS \"Installing: \${root}\${prefix}/${CMAKE_INSTALL_DATADIR}/applications/\${program}.desktop\")
  endforeach()
")
