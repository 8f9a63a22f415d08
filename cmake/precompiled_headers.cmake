# Parsing the standard library's headers (and, in the cross builds, the
# Windows and COM ones) is most of each file's compile time: about 1 s of a
# MinGW file's 1 to 2 s. Every target shares one precompiled header per kind
# of code, made once per build by a small anchor target:
#   portable  the standard headers most files include
#   windows   those, and the Windows and COM headers (the Windows folders)
#   tests     those, and GoogleTest
# The sanitizer build and the analysis builds set
# CMAKE_DISABLE_PRECOMPILE_HEADERS: there every portable file and test
# compiles with its own includes alone, so a missing one fails the build.

# The portable set leaves <windows.h> out on purpose: its min and max macros
# would break std::min in code that never asked for them.
set(QV_PCH_PORTABLE
    <algorithm> <cstdint> <cstdio> <functional> <map> <memory> <optional>
    <string> <string_view> <utility> <vector>)
set(QV_PCH_WINDOWS ${QV_PCH_PORTABLE} <windows.h> <objbase.h> <oaidl.h> <oleauto.h>)
set(QV_PCH_TESTS ${QV_PCH_PORTABLE} <gtest/gtest.h>)

# qv_pch_anchor(name headers... [LIBS libs...]): the target whose header
# the others reuse; it links what its users link so both compile alike.
function(qv_pch_anchor name)
  cmake_parse_arguments(ARG "" "" "HEADERS;LIBS" ${ARGN})
  add_library(${name} OBJECT ${CMAKE_SOURCE_DIR}/cmake/pch/anchor.cpp)
  target_precompile_headers(${name} PRIVATE ${ARG_HEADERS})
  if(ARG_LIBS)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  endif()
endfunction()

function(qv_targets_under dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    qv_targets_under(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# qv_share_precompiled_headers(): every C++ target of the tree reuses the
# anchor of its kind: the Windows one for the Windows folders, the tests' one
# for what links GoogleTest (its definitions must match the anchor's).
function(qv_share_precompiled_headers)
  if(CMAKE_DISABLE_PRECOMPILE_HEADERS)
    return()
  endif()
  qv_pch_anchor(qv_pch_portable HEADERS ${QV_PCH_PORTABLE})
  if(WIN32)
    qv_pch_anchor(qv_pch_windows HEADERS ${QV_PCH_WINDOWS})
  else()
    find_package(GTest REQUIRED)
    qv_pch_anchor(qv_pch_tests HEADERS ${QV_PCH_TESTS} LIBS GTest::gtest)
  endif()
  get_target_property(anchor_options qv_pch_portable COMPILE_OPTIONS)
  qv_targets_under(${CMAKE_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$" OR target MATCHES "^qv_pch_")
      continue()
    endif()
    # A target with options of its own (an optimisation level, say) would
    # not match the anchor's header, which GCC then refuses (-Winvalid-pch).
    get_target_property(options ${target} COMPILE_OPTIONS)
    if(NOT "${options}" STREQUAL "${anchor_options}")
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    if(NOT sources MATCHES "\\.cpp(;|$)")
      continue()
    endif()
    # The C files (widl's interface identifiers) have no header to share.
    list(FILTER sources INCLUDE REGEX "\\.c$")
    if(sources)
      set_source_files_properties(${sources} TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${dir})
    get_target_property(links ${target} LINK_LIBRARIES)
    if(WIN32 AND folder MATCHES "^(platform|com|automation|lab|hardening|tests/wine)(/|$)")
      set(anchor qv_pch_windows)
    elseif(NOT WIN32 AND links MATCHES "GTest::")
      set(anchor qv_pch_tests)
    else()
      set(anchor qv_pch_portable)
    endif()
    set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM ${anchor})
  endforeach()
endfunction()
