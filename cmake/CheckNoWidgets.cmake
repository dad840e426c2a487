# quellin_check_no_widgets(target): the target must not link Qt's widgets.
#
# At the end of the configuration the target's link libraries are followed
# through every library target they name; Qt6::Widgets (or Qt6::PrintSupport,
# which brings it) anywhere stops the configuration. After every link the
# binary's own dependencies (ELF NEEDED entries) are read, and a libQt6Widgets
# there fails the build.
function(quellin_collect_links target out)
  set(seen ${${out}})
  if(target IN_LIST seen)
    return()
  endif()
  list(APPEND seen ${target})
  if(TARGET ${target})
    get_target_property(aliased ${target} ALIASED_TARGET)
    if(aliased)
      list(APPEND seen ${aliased})
      set(target ${aliased})
    endif()
    get_target_property(type ${target} TYPE)
    set(libs "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${target} LINK_LIBRARIES)
      if(direct)
        list(APPEND libs ${direct})
      endif()
    endif()
    get_target_property(iface ${target} INTERFACE_LINK_LIBRARIES)
    if(iface)
      list(APPEND libs ${iface})
    endif()
    foreach(lib ${libs})
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
      if(lib MATCHES "^\\$<")
        continue()
      endif()
      quellin_collect_links(${lib} seen)
    endforeach()
  endif()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(quellin_verify_no_widgets target)
  set(all "")
  quellin_collect_links(${target} all)
  foreach(lib ${all})
    if(lib MATCHES "Widgets|PrintSupport|quellin_ui")
      message(FATAL_ERROR "${target} links ${lib}: it must run without widgets (docs/architecture.md)")
    endif()
  endforeach()
endfunction()

function(quellin_check_no_widgets target)
  # A deferred call reads its arguments when it runs: the name goes in literally.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL quellin_verify_no_widgets [[${target}]])")
  find_program(QUELLIN_READELF NAMES readelf)
  if(QUELLIN_READELF)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DBINARY=$<TARGET_FILE:${target}> -DREADELF=${QUELLIN_READELF}
              -P ${CMAKE_SOURCE_DIR}/cmake/CheckNoWidgetsBinary.cmake
      VERBATIM)
  endif()
endfunction()
