# Interface targets that carry the project's compile settings, so that no flag is global.

add_library(brimwell_settings INTERFACE)
add_library(brimwell::settings ALIAS brimwell_settings)
target_compile_features(brimwell_settings INTERFACE cxx_std_20)
target_compile_options(brimwell_settings INTERFACE -Wall -Wextra -Wpedantic)
if(BRIMWELL_SANITIZE)
  target_compile_options(brimwell_settings INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(brimwell_settings INTERFACE -fsanitize=address,undefined)
endif()
if(BRIMWELL_SANITIZE_THREADS)
  if(BRIMWELL_SANITIZE)
    message(FATAL_ERROR "ThreadSanitizer cannot be combined with AddressSanitizer")
  endif()
  target_compile_options(brimwell_settings INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(brimwell_settings INTERFACE -fsanitize=thread)
endif()
if(BRIMWELL_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "BRIMWELL_BUILD_FUZZ needs clang++: -DCMAKE_CXX_COMPILER=clang++")
  endif()
  # Coverage feedback for every file the fuzz targets reach; each target links the driver.
  target_compile_options(brimwell_settings INTERFACE -fsanitize=fuzzer-no-link)
endif()

# brimwell_set_bin_dir(target) puts a program into the shared bin folder, beside Samples/.
function(brimwell_set_bin_dir target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${BRIMWELL_BIN_DIR}")
endfunction()

# Profile-guided optimisation of the engine (GCC): "generate" builds it to record where a
# training run (scripts/pgo-train.sh) spends its time; "use" optimises it by that record.
# Branch layout and inlining then follow real contact files, which matters here: the rules
# and the row rule are chains of short, data-dependent branches.
set(BRIMWELL_PGO "" CACHE STRING "Profile-guided optimisation of the engine: generate, use, or empty for none")
set_property(CACHE BRIMWELL_PGO PROPERTY STRINGS "" generate use)
set(BRIMWELL_PGO_DIR "" CACHE PATH "The folder the training run writes its profile to, and the build reads it from")

function(brimwell_depend_on_profile target stamp)
  get_target_property(sources ${target} SOURCES)
  set_property(SOURCE ${sources} APPEND PROPERTY OBJECT_DEPENDS "${stamp}")
endfunction()

# brimwell_apply_pgo(target) builds the target's own sources for BRIMWELL_PGO.
function(brimwell_apply_pgo target)
  if(BRIMWELL_PGO STREQUAL "")
    return()
  endif()
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR BRIMWELL_PGO_DIR STREQUAL "")
    message(FATAL_ERROR "BRIMWELL_PGO needs g++ and BRIMWELL_PGO_DIR")
  endif()
  # Profile files are named by object paths relative to the build folder, so the training
  # build and the optimised one can live in different folders.
  set(where "${BRIMWELL_PGO_DIR}")
  if(BRIMWELL_PGO STREQUAL "generate")
    # Atomic counters: a large file is read on two threads, whose counts must not race.
    target_compile_options(${target} PRIVATE "-fprofile-generate=${where}"
                           "-fprofile-prefix-path=${PROJECT_BINARY_DIR}"
                           -fprofile-update=prefer-atomic)
    target_link_options(${target} INTERFACE -fprofile-generate)
  elseif(BRIMWELL_PGO STREQUAL "use")
    # Code the training never ran is optimised as without a profile, and a source file the
    # training never reached has no profile at all.
    target_compile_options(${target} PRIVATE "-fprofile-use=${where}"
                           "-fprofile-prefix-path=${PROJECT_BINARY_DIR}"
                           -fprofile-partial-training -Wno-missing-profile)
    # A new profile (the training run touches its stamp) rebuilds the objects it optimises;
    # the sources are known once the target's folder has been read.
    if(EXISTS "${where}/trained")
      # A deferred call reads its arguments when it runs: EVAL puts in their values now.
      cmake_language(EVAL CODE "cmake_language(DEFER CALL brimwell_depend_on_profile
                     [[${target}]] [[${where}/trained]])")
    endif()
  else()
    message(FATAL_ERROR "BRIMWELL_PGO is generate, use or empty, not '${BRIMWELL_PGO}'")
  endif()
endfunction()

# brimwell_include_root(target folder) lets `target` and its users include the headers of
# one source folder by folder name ("textio/paths.h"), and nothing else. The include root
# is a build folder holding a single link, named after the folder, to the sources; so a
# library sees only its own folder and those of the libraries it links, and an include
# against the layers ("conversion/..." from textio/) names no file and fails to build.
#
# Profile-guided optimisation matches each function of the optimised build to the training
# build's by its source location, header path included: the builds that share a profile
# share one folder of include roots, beside the profile.
if(BRIMWELL_PGO STREQUAL "")
  set(BRIMWELL_INCLUDE_ROOTS "${PROJECT_BINARY_DIR}/include-roots")
else()
  get_filename_component(profile_parent "${BRIMWELL_PGO_DIR}" DIRECTORY)
  set(BRIMWELL_INCLUDE_ROOTS "${profile_parent}/include-roots")
endif()

function(brimwell_include_root target folder)
  set(root "${BRIMWELL_INCLUDE_ROOTS}/${folder}")
  file(MAKE_DIRECTORY "${root}")
  file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${folder}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${root}")
endfunction()

# brimwell_add_layer(target folder [DEPENDS libs...]) makes the engine's static library of
# one source folder, with its include root, linking the layers below it.
function(brimwell_add_layer target folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  add_library(${target} STATIC)
  brimwell_include_root(${target} ${folder})
  target_link_libraries(${target} PUBLIC brimwell::settings ${ARG_DEPENDS})
  brimwell_apply_pgo(${target})
endfunction()
