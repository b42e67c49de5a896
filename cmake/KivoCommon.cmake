# Flags every target shares, and the helpers the folder CMakeLists use.

# Literals are code page 936 bytes at run time, on both builds. clang has no
# -fexec-charset for other sets: the fuzz tree (clang) keeps UTF-8 literals,
# which changes no parser's safety, only the bytes of the system's own texts.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=GBK)
endif()
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)

if(KIVO_WINDOWS)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 __USE_MINGW_ANSI_STDIO=1)
  # No MinGW run-time DLLs next to the binaries.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Floating point in SSE2 registers, as Windows compilers do by default:
  # GCC's i686 default is the x87 unit, whose 80-bit intermediates make
  # quotients and products come out a hair different from the x86_64 build's.
  # The 32-bit control must compute what the 64-bit one does.
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_compile_options(-msse2 -mfpmath=sse)
  endif()
elseif(KIVO_FUZZ)
  add_compile_options(-g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
elseif(KIVO_SANITIZE)
  add_compile_options(-g -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# kivo_library(NAME DIR [DEPS...]): a static library of the .cpp files in DIR.
# A folder that holds no sources yet gives an interface library, so the
# targets that name it still configure.
function(kivo_library name dir)
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# Platform-specific sources of a folder: <dir>/win32/*.cpp in the Windows
# build, <dir>/headless/*.cpp in the native one.
function(kivo_platform_sources out dir)
  if(KIVO_WINDOWS)
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/win32/*.cpp)
  else()
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/headless/*.cpp)
  endif()
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()
