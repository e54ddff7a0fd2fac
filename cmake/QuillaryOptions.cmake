# SPDX-License-Identifier: GPL-3.0-or-later
# One place for the language level, warnings and sanitizer flags of every target.
add_library(quillary_options INTERFACE)
target_compile_features(quillary_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(quillary_options INTERFACE -Wall -Wextra)
# GCC 12 at -O3 reports overlapping memcpy inside std::string that cannot happen (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(quillary_options INTERFACE -Wno-restrict)
endif()
if(QUILLARY_WERROR)
  target_compile_options(quillary_options INTERFACE -Werror)
endif()
if(QUILLARY_SANITIZE)
  target_compile_options(quillary_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                    -fno-sanitize-recover=undefined)
  target_link_options(quillary_options INTERFACE -fsanitize=address,undefined)
endif()
