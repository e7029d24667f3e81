# Natively the libraries come from Debian's -dev packages; for mingw,
# scripts/setup builds them into a cache outside the clone.
if(WIN32)
  set(KVA_MINGW_DEPS "/var/cache/kelvara/mingw" CACHE PATH "mingw builds of PCRE2, minizip and GoogleTest")
  list(PREPEND CMAKE_FIND_ROOT_PATH "${KVA_MINGW_DEPS}")
  list(PREPEND CMAKE_PREFIX_PATH "${KVA_MINGW_DEPS}")
endif()

find_path(PCRE2_INCLUDE_DIR pcre2.h REQUIRED)
find_library(PCRE2_16_LIBRARY NAMES pcre2-16 REQUIRED)
add_library(kva_pcre2 INTERFACE)
target_include_directories(kva_pcre2 INTERFACE "${PCRE2_INCLUDE_DIR}")
target_link_libraries(kva_pcre2 INTERFACE "${PCRE2_16_LIBRARY}")
target_compile_definitions(kva_pcre2 INTERFACE PCRE2_CODE_UNIT_WIDTH=16)
if(WIN32)
  target_compile_definitions(kva_pcre2 INTERFACE PCRE2_STATIC)
endif()

if(WIN32)
  # The import library would make the programs need zlib1.dll beside them.
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
find_path(MINIZIP_INCLUDE_DIR minizip/unzip.h REQUIRED)
find_library(MINIZIP_LIBRARY NAMES minizip REQUIRED)
add_library(kva_minizip INTERFACE)
target_include_directories(kva_minizip INTERFACE "${MINIZIP_INCLUDE_DIR}")
target_link_libraries(kva_minizip INTERFACE "${MINIZIP_LIBRARY}" ZLIB::ZLIB)

find_package(GTest REQUIRED)
if(NOT WIN32 AND NOT KVA_FUZZ)
  find_package(benchmark REQUIRED)
endif()
