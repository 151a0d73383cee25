# Compiles through ccache when the machine has it, unless a launcher was
# chosen already. The cache stays where ccache keeps it (~/.cache/ccache, or
# CCACHE_DIR), outside the source tree. The settings below go to ccache in
# its environment, so the user's own ccache configuration is left alone:
#   - paths under the source tree are hashed relative to the build folder,
#     and the build folder itself not at all, so that another checkout of
#     the same sources hits the same cache entries;
#   - precompiled headers can be cached: they are made with the same
#     macros, embed no time, and are newer than the compilation that uses
#     them.
option(KAKEMARU_CCACHE "Compile through ccache when it is installed" ON)
if(KAKEMARU_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(CCACHE_PROGRAM ccache)
  if(CCACHE_PROGRAM)
    set(kakemaru_ccache ${CMAKE_COMMAND} -E env
        CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}
        CCACHE_NOHASHDIR=1
        CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        ${CCACHE_PROGRAM})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${kakemaru_ccache})
    set(CMAKE_C_COMPILER_LAUNCHER ${kakemaru_ccache})
    # ccache needs to see which precompiled header GCC reads; Clang must not
    # stamp its precompiled headers with the time they were made.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      add_compile_options(-fpch-preprocess)
    elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      add_compile_options("SHELL:-Xclang -fno-pch-timestamp")
    endif()
    message(STATUS "Compiling through ${CCACHE_PROGRAM}")
  endif()
endif()
