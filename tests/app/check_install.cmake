# Installs the build into a scratch prefix and checks that the program, the
# library, the help page, the desktop entry and the icon land in their places
# and that the installed program finds the library next to itself.
# Arguments: -DBUILD_DIR=... -DPREFIX=... -DLIBDIR=... -DDATADIR=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file
    bin/orbek
    ${LIBDIR}/libtarnel.so
    ${DATADIR}/kestrum/orbek-help.html
    ${DATADIR}/applications/orbek.desktop
    ${DATADIR}/icons/hicolor/scalable/apps/orbek.svg)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
execute_process(COMMAND readelf -d "${PREFIX}/bin/orbek" OUTPUT_VARIABLE dynamic)
if(NOT dynamic MATCHES "RUNPATH[^\n]*\\$ORIGIN/")
  message(FATAL_ERROR "the installed orbek has no $ORIGIN run path:\n${dynamic}")
endif()
execute_process(COMMAND ldd "${PREFIX}/bin/orbek" OUTPUT_VARIABLE libraries)
if(NOT libraries MATCHES "libtarnel\\.so[^\n]*=> ${PREFIX}/")
  message(FATAL_ERROR "the installed orbek does not load the installed library:\n${libraries}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
