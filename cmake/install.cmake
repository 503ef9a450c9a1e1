# Installs both programs, the pictures they read from their working directory,
# a desktop launcher and icon for each, the AppStream metainfo, the manual
# pages, and the copyright and changelog files. The launcher starts the
# program in the picture folder, which is where the game looks for its
# pictures.
include(GNUInstallDirs)

# Folders are created readable by all, whatever the umask of the install.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Games live in <prefix>/games (/usr/games in the package), which Debian
# keeps on every user's PATH.
set(KESTRAVA_INSTALL_GAMESDIR games CACHE STRING "Folder under the prefix for the two programs")
set(KESTRAVA_PICTURE_DIR ${CMAKE_INSTALL_DATADIR}/kestrava/pictures)
set(KESTRAVA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/kestrava)
set(KESTRAVA_METAINFO_ID org.example.kestrava.Kestrava)

install(TARGETS kestrava2 kestrava1 RUNTIME DESTINATION ${KESTRAVA_INSTALL_GAMESDIR})

# The audio output module, private to the programs, which find it by its
# place relative to their own folder: in the multiarch library folder where
# the platform has one (lib/x86_64-linux-gnu/kestrava on Debian), as Debian
# keeps a package's private libraries; a module there needs no ldconfig.
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(KESTRAVA_SOUND_MODULE_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/kestrava)
else()
  set(KESTRAVA_SOUND_MODULE_DIR ${CMAKE_INSTALL_LIBDIR}/kestrava)
endif()
install(TARGETS kestrava_sound LIBRARY DESTINATION ${KESTRAVA_SOUND_MODULE_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(RELATIVE_PATH kestrava_module_from_programs ${CMAKE_INSTALL_PREFIX}/${KESTRAVA_INSTALL_GAMESDIR}
     ${CMAKE_INSTALL_PREFIX}/${KESTRAVA_SOUND_MODULE_DIR})
target_compile_definitions(kestrava_ui PRIVATE KESTRAVA_SOUND_MODULE_DIR="${kestrava_module_from_programs}")

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
  set(KESTRAVA_BINDIR \"${KESTRAVA_INSTALL_GAMESDIR}\")
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

include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)

# ---- Metainfo, manual pages, copyright and changelog ----
set(KESTRAVA_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
string(REGEX REPLACE "/$" "" KESTRAVA_SCREENSHOTS "${PROJECT_HOMEPAGE_URL}")
set(KESTRAVA_SCREENSHOTS "${KESTRAVA_SCREENSHOTS}/screenshots")
set(kestrava_data ${PROJECT_BINARY_DIR}/data)
configure_file(${PROJECT_SOURCE_DIR}/data/${KESTRAVA_METAINFO_ID}.metainfo.xml.in
               ${kestrava_data}/${KESTRAVA_METAINFO_ID}.metainfo.xml @ONLY)
install(FILES ${kestrava_data}/${KESTRAVA_METAINFO_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog are installed compressed, as Debian wants
# them; gzip -n keeps the result the same from build to build.
find_program(KESTRAVA_GZIP gzip REQUIRED)
function(kestrava_gzip source target)
  execute_process(COMMAND ${KESTRAVA_GZIP} -9n -c ${source} OUTPUT_FILE ${target}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${source} failed: ${status}")
  endif()
endfunction()

foreach(program kestrava2 kestrava1)
  configure_file(${PROJECT_SOURCE_DIR}/data/${program}.6.in ${kestrava_data}/${program}.6 @ONLY)
  kestrava_gzip(${kestrava_data}/${program}.6 ${kestrava_data}/${program}.6.gz)
  install(FILES ${kestrava_data}/${program}.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()

configure_file(${PROJECT_SOURCE_DIR}/data/changelog ${kestrava_data}/changelog COPYONLY)
kestrava_gzip(${kestrava_data}/changelog ${kestrava_data}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright ${kestrava_data}/changelog.gz
        DESTINATION ${KESTRAVA_DOC_DIR})

# A test that installs into a scratch prefix and checks the result.
if(BUILD_TESTING)
  add_test(NAME install_check
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/check_install.sh ${PROJECT_BINARY_DIR} ${CMAKE_COMMAND})
  # The package test installs through the same build tree: one at a time.
  set_tests_properties(install_check PROPERTIES TIMEOUT 120 LABELS install
                       RESOURCE_LOCK "xserver;install_staging")
endif()
