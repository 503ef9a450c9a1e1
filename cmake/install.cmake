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
# the prefix actually used (cmake --install --prefix ...), then installed
# like any other file: DESTDIR applies and the install manifest lists them.
install(CODE "
  set(KESTRAVA_LAUNCHER_TEMPLATE \"${PROJECT_SOURCE_DIR}/src/app/launcher.desktop.in\")
  set(KESTRAVA_LAUNCHER_STAGE \"${PROJECT_BINARY_DIR}/launchers\")
  set(KESTRAVA_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(KESTRAVA_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  set(KESTRAVA_PICTURE_DIR \"${KESTRAVA_PICTURE_DIR}\")
")
install(CODE [[
  # A relative prefix is taken from the folder the install runs in, as the
  # other files are; the launcher needs it absolute.
  get_filename_component(kestrava_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
  foreach(dir BINDIR DATADIR PICTURE_DIR)
    if(IS_ABSOLUTE "${KESTRAVA_${dir}}")
      set(kestrava_full_${dir} "${KESTRAVA_${dir}}")
    else()
      set(kestrava_full_${dir} "${kestrava_prefix}/${KESTRAVA_${dir}}")
    endif()
  endforeach()

  foreach(entry "kestrava2|Kestrava|Turn-based artillery for two to four players"
                "kestrava1|Kestrava Wind Edition|Turn-based artillery with wind, for two to four players")
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 program)
    list(GET entry 1 PROGRAM_NAME)
    list(GET entry 2 PROGRAM_COMMENT)
    set(PROGRAM_ICON "${program}")

    # Exec: the program's path as one quoted argument, so that a folder with
    # blanks stays one word. Inside the quotes \ " ` $ take a backslash, a
    # percent sign is doubled, and then, as in every string value, each
    # backslash is written twice.
    set(exec "${kestrava_full_BINDIR}/${program}")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    string(REPLACE "%" "%%" exec "${exec}")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    set(PROGRAM_EXEC "\"${exec}\"")

    # Path: the picture folder, a plain string value.
    string(REPLACE "\\" "\\\\" PICTURE_DIR "${kestrava_full_PICTURE_DIR}")

    configure_file("${KESTRAVA_LAUNCHER_TEMPLATE}" "${KESTRAVA_LAUNCHER_STAGE}/${program}.desktop" @ONLY)
    file(INSTALL DESTINATION "${kestrava_full_DATADIR}/applications" TYPE FILE
         FILES "${KESTRAVA_LAUNCHER_STAGE}/${program}.desktop")
  endforeach()
]])

# A test that installs into a scratch prefix and checks the result.
if(BUILD_TESTING)
  add_test(NAME install_check
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/check_install.sh ${PROJECT_BINARY_DIR} ${CMAKE_COMMAND})
  set_tests_properties(install_check PROPERTIES TIMEOUT 120 LABELS install RESOURCE_LOCK xserver)
endif()
