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
