# What `cmake --install` puts where, and the Debian package made from it (scripts/package.sh).
#
#   bin/quorvel-logo, bin/qvlogo
#   share/quorvel-logo/       the programs' own files: DoNotTouch/ (web runtime), Logo.html and
#                             Logo_en.html (help), translations/ (the interface in English)
#   share/applications/       the desktop entry; share/mime/packages/ the MIME type
#   share/icons/hicolor/      the program's and the document's icons, scalable and as PNG
#   share/metainfo/           the AppStream description
#   share/man/man1/           the manual pages of both programs
#   share/doc/quorvel-logo/   copyright (and the changelog, in a package)
#
# Nothing holds the prefix: the programs find share/quorvel-logo from their own folder
# (platform/program_folder), so an installation can be moved, and the build tree, where the
# files sit next to the programs, keeps working as it is. Included after src/.
include(GNUInstallDirs)

set(QV_PACKAGE_NAME quorvel-logo)
set(QV_PROGRAM_DATADIR ${CMAKE_INSTALL_DATADIR}/${QV_PACKAGE_NAME})
set(QV_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(QV_PACKAGING_BUILD_DIR ${CMAKE_BINARY_DIR}/packaging)
set(QV_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/${QV_PACKAGE_NAME})  # Debian names it after the package

# The share folder as seen from the bin folder ("../share" for the usual layout).
file(RELATIVE_PATH QV_DATADIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR})
target_compile_definitions(qv_platform PRIVATE QV_DATADIR_FROM_BINDIR="${QV_DATADIR_FROM_BINDIR}")

# Dates in the manual pages, the AppStream release and the changelog. CMake takes
# SOURCE_DATE_EPOCH when it is set (scripts/package.sh sets the last commit's time), so the same
# sources make the same files.
string(TIMESTAMP QV_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP QV_RELEASE_DATE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)

install(TARGETS quorvel-logo qvlogo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The web runtime as the build lays it out next to the programs (each kind's files, shared ones
# included), file by file from the list: a file dropped from the list is not installed from an
# old build tree.
foreach(file ${QV_RUNTIME_OUTPUTS})
  file(RELATIVE_PATH relative ${CMAKE_BINARY_DIR}/bin ${file})
  get_filename_component(folder ${relative} DIRECTORY)
  install(FILES ${file} DESTINATION ${QV_PROGRAM_DATADIR}/${folder})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/src/app/help/Logo.html ${PROJECT_SOURCE_DIR}/src/app/help/Logo_en.html
  DESTINATION ${QV_PROGRAM_DATADIR})

# Translations: a target that makes .qm files puts them into bin/translations/ (where the programs
# find them in the build tree, ModuleFolder() + "translations/") and adds them to this property.
get_property(QV_TRANSLATION_FILES GLOBAL PROPERTY QV_TRANSLATION_FILES)
if(QV_TRANSLATION_FILES)
  install(FILES ${QV_TRANSLATION_FILES} DESTINATION ${QV_PROGRAM_DATADIR}/translations)
endif()

# The desktop's view of the program. The MIME type is the one the program registers per user when
# it runs from a build tree (ui/file_type_registration), byte for byte.
install(FILES ${QV_PACKAGING_DIR}/quorvel-logo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QV_PACKAGING_DIR}/quorvel-logo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
configure_file(${QV_PACKAGING_DIR}/quorvel-logo.metainfo.xml ${QV_PACKAGING_BUILD_DIR}/quorvel-logo.metainfo.xml @ONLY)
install(FILES ${QV_PACKAGING_BUILD_DIR}/quorvel-logo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the SVGs the program compiles in, and PNGs rendered from them by a small Qt tool at build
# time for desktops that want bitmaps.
set(QV_ICON_SIZES 16 22 24 32 48 64 128 256)
set(QV_ICONS "app.svg apps ${QV_PACKAGE_NAME}" "document.svg mimetypes application-x-qvlogo")
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
add_executable(qv_render_icons ${QV_PACKAGING_DIR}/render_icons.cpp)
target_link_libraries(qv_render_icons PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(qv_render_icons PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QV_PACKAGING_BUILD_DIR})
set(QV_ICON_OUTPUTS)
foreach(icon ${QV_ICONS})
  separate_arguments(icon)
  list(GET icon 0 source)
  list(GET icon 1 context)
  list(GET icon 2 name)
  set(svg ${PROJECT_SOURCE_DIR}/src/ui/resources/icons/${source})
  set(outputs)
  foreach(size ${QV_ICON_SIZES})
    list(APPEND outputs ${QV_PACKAGING_BUILD_DIR}/icons/${context}/${size}x${size}/${name}.png)
    install(FILES ${QV_PACKAGING_BUILD_DIR}/icons/${context}/${size}x${size}/${name}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/${context})
  endforeach()
  # Qt's leak reports from a sanitizer build would fail the build over a tool.
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:qv_render_icons> ${svg} ${QV_PACKAGING_BUILD_DIR}/icons/${context} ${name} ${QV_ICON_SIZES}
    DEPENDS qv_render_icons ${svg}
    COMMENT "Rendering the icon ${name}"
    VERBATIM)
  list(APPEND QV_ICON_OUTPUTS ${outputs})
  install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${context} RENAME ${name}.svg)
endforeach()

# Manual pages, compressed as Debian keeps them (without a name or time in the gzip header).
find_program(QV_GZIP gzip REQUIRED)
set(QV_MAN_OUTPUTS)
foreach(program quorvel-logo qvlogo)
  set(page ${QV_PACKAGING_BUILD_DIR}/man/${program}.1)
  configure_file(${QV_PACKAGING_DIR}/man/${program}.1 ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${QV_GZIP} -9 -n -k -f ${page}
    DEPENDS ${page}
    COMMENT "Compressing the manual page ${program}.1"
    VERBATIM)
  list(APPEND QV_MAN_OUTPUTS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

string(TIMESTAMP QV_RELEASE_YEAR "%Y" UTC)
configure_file(${QV_PACKAGING_DIR}/copyright ${QV_PACKAGING_BUILD_DIR}/copyright @ONLY)
install(FILES ${QV_PACKAGING_BUILD_DIR}/copyright DESTINATION ${QV_DOCDIR})
# The help page is one of the program's files, opened from its folder, not a document of the
# package; lintian is told so.
install(FILES ${QV_PACKAGING_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME ${QV_PACKAGE_NAME})
add_custom_target(qv_install_files ALL DEPENDS ${QV_ICON_OUTPUTS} ${QV_MAN_OUTPUTS})

# The Debian package (cpack -G DEB, run by scripts/package.sh, which gives the maintainer).
set(QV_PACKAGE_MAINTAINER "" CACHE STRING "Maintainer of the Debian package: NAME <EMAIL>")
if(QV_PACKAGE_MAINTAINER)
  # A native package's changelog; dpkg and lintian want one in every package.
  configure_file(${QV_PACKAGING_DIR}/changelog ${QV_PACKAGING_BUILD_DIR}/changelog @ONLY)
  add_custom_command(OUTPUT ${QV_PACKAGING_BUILD_DIR}/changelog.gz
    COMMAND ${QV_GZIP} -9 -n -k -f ${QV_PACKAGING_BUILD_DIR}/changelog
    DEPENDS ${QV_PACKAGING_BUILD_DIR}/changelog
    VERBATIM)
  add_custom_target(qv_changelog ALL DEPENDS ${QV_PACKAGING_BUILD_DIR}/changelog.gz)
  install(FILES ${QV_PACKAGING_BUILD_DIR}/changelog.gz DESTINATION ${QV_DOCDIR})
endif()

set(CPACK_PACKAGE_NAME ${QV_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorvel Logo")
set(CPACK_PACKAGE_CONTACT "${QV_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make short animated 3D logos and publish them as web pages")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QV_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The package's dependencies are the packages of the libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libepoxy opens libEGL itself (`qvlogo render` and `movie` draw through EGL): no link names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libegl1")
# What is loaded at run time rather than linked: the OpenGL drivers (the viewport and `qvlogo
# render`), fonts for the Japanese interface, the browser opener for help pages and exports.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri, fonts-noto-cjk | fonts-ipafont-gothic, xdg-utils")
# CPack puts the summary first: the description is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quorvel Logo turns a text in an installed font, or Metasequoia meshes, into
extruded 3D models, gives them materials and textures and animates them by
keyframes on a frame timeline, with a real-time 3D preview.
.
Documents (.qvlogo) are published as web pages that play the animation with
WebGL or WebGPU, as glTF files, or as videos and animated images.
.
This package holds the desktop program quorvel-logo and the command-line
program qvlogo, which does the same without a display.")
# The desktop and MIME databases and the icon cache are brought up to date by the triggers of
# desktop-file-utils, shared-mime-info and the icon theme tools on the folders above: no
# maintainer scripts.
include(CPack)
