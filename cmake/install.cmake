# SPDX-License-Identifier: MIT
# Install rules and the Debian package (cpack -G DEB).
#
#   bin/ravolin, bin/ravolin-tool
#   share/ravolin/<edition>/        data file, English place names and hotel words, help files (Japanese,
#                                   English), English window texts (ravolin_en.qm), default
#                                   settings (read only)
#   share/applications/             one desktop entry per edition: ravolin --edition <edition>
#   share/metainfo/                 AppStream metadata of the program and its three entries
#   share/icons/hicolor/*/apps/     the icon, SVG and PNG 16..256
#   share/doc/ravolin/              copyright, changelog
#   share/man/man1/                 ravolin.1, ravolin-tool.1
#
# The installed program finds share/ravolin/ from its own folder, so the tree can be
# installed under any prefix. Its settings and hotelusr.csv go to each user's
# $XDG_CONFIG_HOME/ravolin/<edition>/, never into share/.
include(GNUInstallDirs)

set(RAVOLIN_MAINTAINER "Ravolin maintainers <maintainers@users.noreply.c-seed-c762366c.example>"
    CACHE STRING "Maintainer field of the Debian package")
set(RAVOLIN_ICON_SIZES 16 22 24 32 48 64 128 256)
set(RAVOLIN_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS ravolin-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The compiler's version notes (.comment) say nothing a user needs: the installed programs
# go without them. This runs after the install (and CPack's) strip of the same file.
set(RAVOLIN_INSTALLED_PROGRAMS ravolin-tool)
if(RAVOLIN_BUILD_GUI)
  list(APPEND RAVOLIN_INSTALLED_PROGRAMS ravolin)
endif()

if(RAVOLIN_BUILD_GUI)
  install(TARGETS ravolin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  file(RELATIVE_PATH data_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_FULL_DATADIR}/ravolin)
  target_compile_definitions(ravolin PRIVATE RAVOLIN_DATA_FROM_BIN="${data_from_bin}")

  foreach(ed ${EDITIONS})
    install(FILES ${RAVOLIN_PACKAGING_DIR}/ravolin-${ed}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  endforeach()
  install(FILES ${RAVOLIN_PACKAGING_DIR}/org.ravolin.ravolin.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size ${RAVOLIN_ICON_SIZES})
    install(FILES ${RAVOLIN_PACKAGING_DIR}/icons/ravolin-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ravolin.png)
  endforeach()
  install(FILES ${RAVOLIN_PACKAGING_DIR}/icons/ravolin.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

if(CMAKE_OBJCOPY)
  foreach(program ${RAVOLIN_INSTALLED_PROGRAMS})
    install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
        COMMAND_ERROR_IS_FATAL ANY)")
  endforeach()
endif()

foreach(ed ${EDITIONS})
  set(ed_dir ${CMAKE_INSTALL_DATADIR}/ravolin/${ed})
  if(EXISTS ${CMAKE_SOURCE_DIR}/datasets/${ed})
    install(FILES ${PROGRAM_DIR}/${ed}/ravolinh.dat DESTINATION ${ed_dir})
  endif()
  if(EXISTS ${CMAKE_SOURCE_DIR}/datasets/${ed}/names-en.txt)
    install(FILES ${CMAKE_SOURCE_DIR}/datasets/${ed}/names-en.txt DESTINATION ${ed_dir}
            RENAME ravolin_names_en.tsv)
  endif()
  if(EXISTS ${CMAKE_SOURCE_DIR}/datasets/hotel-words-en.txt)
    install(FILES ${CMAKE_SOURCE_DIR}/datasets/hotel-words-en.txt DESTINATION ${ed_dir}
            RENAME ravolin_hotel_words_en.tsv)
  endif()
  # The delivered defaults, not the build tree's copy that a run may have changed.
  foreach(f resources/ravolin2.hlp resources/ravolin2_en.hlp resources/${EDITION_INI_${ed}})
    if(EXISTS ${CMAKE_SOURCE_DIR}/${f})
      install(FILES ${CMAKE_SOURCE_DIR}/${f} DESTINATION ${ed_dir})
    endif()
  endforeach()
  # The English window texts, built by the target `translations`.
  if(RAVOLIN_BUILD_GUI AND TARGET translations)
    install(FILES ${PROGRAM_DIR}/${ed}/ravolin_en.qm DESTINATION ${ed_dir})
  endif()
endforeach()

# Debian wants the copyright file and a compressed changelog in the package's doc folder,
# and compressed manual pages.
find_program(GZIP_PROGRAM gzip)
install(FILES ${RAVOLIN_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(GZIP_PROGRAM)
  set(gz_files)
  foreach(pair "changelog|changelog.Debian.gz" "ravolin.1|ravolin.1.gz" "ravolin-tool.1|ravolin-tool.1.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${to}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
      COMMAND ${GZIP_PROGRAM} -9nc ${RAVOLIN_PACKAGING_DIR}/${from} > ${CMAKE_BINARY_DIR}/packaging/${to}
      DEPENDS ${RAVOLIN_PACKAGING_DIR}/${from})
    list(APPEND gz_files ${CMAKE_BINARY_DIR}/packaging/${to})
  endforeach()
  add_custom_target(packaging_files ALL DEPENDS ${gz_files})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/ravolin-tool.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  if(RAVOLIN_BUILD_GUI)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/ravolin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endif()

# ---- Debian package -----------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ravolin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Ravolin developers")
set(CPACK_PACKAGE_CONTACT ${RAVOLIN_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Shinkansen departure board, route search and hotel directory")
# The summary above is the first line; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"A desktop program for rail travellers in Japan, with a Japanese user
interface: a live departure board of the next Shinkansen and Keiyo line
trains from your stations, the day's full timetable, a Shinkansen route
search with up to two changes, a printable report with fares, and a hotel
directory merged with your own hotels. Three editions are included, each
with its own menu entry: Tokaido/Sanyo, Tohoku/Yamagata/Akita and
Joetsu/Nagano Shinkansen.
.
日本の鉄道旅行者のための新幹線発車案内・経路検索・ホテル案内プログラム。
登録した駅から次に発車する新幹線と京葉線の列車の表示、その日の時刻表、
乗り換え二回までの新幹線経路検索と料金付きの印刷、ホテル案内を備えます。
東海道・山陽新幹線、東北・山形・秋田新幹線、上越・長野行新幹線の三つの版が
それぞれメニューに並びます。")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${RAVOLIN_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt and C++ libraries come from dpkg-shlibdeps; the X11 platform plugin and the
# Gothic font are not linked but the windows need them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
# Japanese texts in Qt's own printer and file dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
