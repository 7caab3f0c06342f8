# Install rules, in two components: "kormanager" (the window, korctl, the resources and what makes
# them a desktop program) and "devicesim" (the simulated camera, for training and demos). The
# programs find the resources and helpers relative to their own folder (KorBuild.h), so any prefix
# works.
set(KOR_APP_ID org.kormanager.KorManager)
set(KOR_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(KOR_GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(KOR_EXECUTABLE_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

# The newest changelog entry names the release: it must be the project's version, and its date is
# the release date of the AppStream metadata.
file(STRINGS ${KOR_PACKAGING_DIR}/changelog KOR_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT KOR_CHANGELOG_HEAD MATCHES "^kormanager \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog starts with '${KOR_CHANGELOG_HEAD}': "
                      "add an entry for version ${PROJECT_VERSION} at its top")
endif()
file(STRINGS ${KOR_PACKAGING_DIR}/changelog KOR_CHANGELOG_TRAILER REGEX "^ -- " LIMIT_COUNT 1)
if(NOT KOR_CHANGELOG_TRAILER MATCHES ">  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: no dated trailer line under the newest entry")
endif()
set(KOR_MONTHS Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND KOR_MONTHS ${CMAKE_MATCH_2} KOR_MONTH)
math(EXPR KOR_MONTH "${KOR_MONTH} + 1" OUTPUT_FORMAT DECIMAL)
string(LENGTH "${KOR_MONTH}" KOR_MONTH_DIGITS)
if(KOR_MONTH_DIGITS EQUAL 1)
  set(KOR_MONTH 0${KOR_MONTH})
endif()
set(KOR_RELEASE_DATE ${CMAKE_MATCH_3}-${KOR_MONTH}-${CMAKE_MATCH_1})
configure_file(${KOR_PACKAGING_DIR}/${KOR_APP_ID}.metainfo.xml.in ${KOR_GENERATED_DIR}/${KOR_APP_ID}.metainfo.xml @ONLY)

# Debian wants the changelog compressed without a time stamp, so the packages come out the same.
add_custom_command(OUTPUT ${KOR_GENERATED_DIR}/changelog.gz
  COMMAND gzip -9nc ${KOR_PACKAGING_DIR}/changelog > ${KOR_GENERATED_DIR}/changelog.gz
  DEPENDS ${KOR_PACKAGING_DIR}/changelog
  VERBATIM)
set(KOR_PACKAGING_OUTPUTS ${KOR_GENERATED_DIR}/changelog.gz)

# kormanager: the window and the command line, the resources, the desktop integration.
if(TARGET kormanager)
  install(TARGETS kormanager RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT kormanager)
  install(FILES ${KOR_PACKAGING_DIR}/${KOR_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT kormanager)
  install(FILES ${KOR_GENERATED_DIR}/${KOR_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT kormanager)
  install(FILES ${KOR_PACKAGING_DIR}/${KOR_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT kormanager)
endif()
install(TARGETS korctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT kormanager)
# The camera's application files under Data/ are scripts the installation uploads as they are.
install(DIRECTORY resources/ DESTINATION ${KOR_RESOURCES_INSTALL_DIR} COMPONENT kormanager
  PATTERN .gitattributes EXCLUDE
  REGEX "/Data/.+" PERMISSIONS ${KOR_EXECUTABLE_PERMISSIONS})
install(FILES ${KOR_PACKAGING_DIR}/korctl.bash-completion
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME korctl COMPONENT kormanager)
install(FILES ${KOR_PACKAGING_DIR}/copyright ${KOR_GENERATED_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kormanager COMPONENT kormanager)

# kor-devicesim: the simulated camera and its FTP helper.
install(TARGETS kor-devicesim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT devicesim)
install(PROGRAMS tools/devicesim/kor-devicesim-ftpd.py DESTINATION ${KOR_HELPERS_INSTALL_DIR} COMPONENT devicesim)
install(FILES ${KOR_PACKAGING_DIR}/copyright ${KOR_GENERATED_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kor-devicesim COMPONENT devicesim)

# Manual pages, made by help2man from each program's own --help and --version so that they cannot
# drift apart; the .h2m files add what the help texts leave out (exit statuses, files,
# environment). korctl's commands come from 'korctl COMMAND --help'.
option(KOR_MANPAGES "Make the manual pages (needs help2man)" ON)
find_program(KOR_HELP2MAN help2man)
if(KOR_MANPAGES AND NOT KOR_HELP2MAN)
  message(WARNING "help2man not found: no manual pages (scripts/install-deps installs it)")
endif()
if(KOR_MANPAGES AND KOR_HELP2MAN AND NOT KOR_SANITIZE AND NOT KOR_FUZZ)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  # The environment and the files are the same for the window and korctl.
  configure_file(${KOR_PACKAGING_DIR}/kor-files.h2m.in ${KOR_GENERATED_DIR}/kor-files.h2m @ONLY)
  function(kor_manpage target component name)
    set(page ${KOR_GENERATED_DIR}/${target}.1)
    configure_file(${KOR_PACKAGING_DIR}/${target}.h2m.in ${KOR_GENERATED_DIR}/${target}.h2m @ONLY)
    set(includes ${KOR_GENERATED_DIR}/${target}.h2m)
    set(extra)
    if(NOT target STREQUAL "kor-devicesim")
      list(APPEND includes ${KOR_GENERATED_DIR}/kor-files.h2m)
    endif()
    if(target STREQUAL "korctl")
      set(extra COMMAND ${Python3_EXECUTABLE} ${KOR_PACKAGING_DIR}/korctl-commands-h2m.py
                        $<TARGET_FILE:korctl> ${KOR_GENERATED_DIR}/korctl-commands.h2m)
      list(APPEND includes ${KOR_GENERATED_DIR}/korctl-commands.h2m)
    endif()
    set(options)
    foreach(include IN LISTS includes)
      list(APPEND options --include ${include})
    endforeach()
    add_custom_command(OUTPUT ${page}.gz
      ${extra}
      COMMAND ${KOR_HELP2MAN} --no-info --section 1 --name ${name} ${options} --output ${page}
              $<TARGET_FILE:${target}>
      COMMAND gzip -9nf ${page}
      DEPENDS ${target} ${KOR_GENERATED_DIR}/${target}.h2m ${KOR_GENERATED_DIR}/kor-files.h2m
              ${KOR_PACKAGING_DIR}/korctl-commands-h2m.py
      COMMENT "Manual page of ${target}"
      VERBATIM)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
    set(KOR_PACKAGING_OUTPUTS ${KOR_PACKAGING_OUTPUTS} ${page}.gz PARENT_SCOPE)
  endfunction()
  kor_manpage(korctl kormanager "configure the alarm application of network cameras from the command line")
  if(TARGET kormanager)
    kor_manpage(kormanager kormanager "configure the alarm application of a network camera")
  endif()
  kor_manpage(kor-devicesim devicesim "a simulated network camera with the alarm application")
endif()
add_custom_target(kor_packaging_files ALL DEPENDS ${KOR_PACKAGING_OUTPUTS})
