# Installs the build into a scratch folder (DESTDIR) and checks the desktop
# files there:
#
#   cmake -DBUILD_DIR=<build> -DSTAGE=<scratch> -P CheckInstall.cmake
#
# Every program, the desktop entry, every icon size and the metainfo must be
# installed, and desktop-file-validate and appstreamcli must accept them.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${STAGE})
set(ENV{DESTDIR} ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${err}")
endif()
set(root ${STAGE}/usr)
set(expected
  bin/quellin bin/quellin-cli bin/quellin-meter-sim
  share/applications/jp.tarvo.Quellin.desktop
  share/metainfo/jp.tarvo.Quellin.metainfo.xml
  share/doc/quellin/help/index.html share/doc/quellin/help/cli.html
  share/doc/quellin/examples/quellin-cli.service)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/jp.tarvo.Quellin.png)
endforeach()
foreach(f ${expected})
  if(NOT EXISTS ${root}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message(FATAL_ERROR "desktop-file-validate and appstreamcli are needed (bash scripts/setup.sh)")
endif()
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${root}/share/applications/jp.tarvo.Quellin.desktop
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR out MATCHES "error")
  message(FATAL_ERROR "desktop-file-validate refused the desktop entry:\n${out}")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                        ${root}/share/metainfo/jp.tarvo.Quellin.metainfo.xml
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "appstreamcli refused the metainfo:\n${out}")
endif()
message(STATUS "installed and valid under ${STAGE}")
