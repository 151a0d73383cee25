# Hardening as Debian builds its packages: stack protector, fortified libc
# calls, position-independent executables and full RELRO with immediate
# binding. GCC and Clang on Linux only.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang)$")
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong)
  # Fortified calls need an optimised build, and would hide faults from the
  # sanitizers. Undefined first, for compilers that define it themselves.
  if(NOT KAKEMARU_SANITIZE)
    add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  endif()
  add_link_options(LINKER:-z,relro,-z,now)
endif()
