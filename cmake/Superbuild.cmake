include(ExternalProject)
include(${CMAKE_CURRENT_LIST_DIR}/FetchDebianSource.cmake)

set(deps_dir ${CMAKE_BINARY_DIR}/_deps)
appatlas_fetch_debian_source(tinyxml ${deps_dir} tinyxml.h TINYXML_SOURCE_DIR)
set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)

ExternalProject_Add(product
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/product
    CMAKE_ARGS
        -DAPPATLAS_TREE=product
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw-win32.cmake
        -DAPPATLAS_TINYXML_DIR=${TINYXML_SOURCE_DIR}
        -DAPPATLAS_WINEPREFIX=${wine_prefix}
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")

ExternalProject_Add(tests
    DEPENDS product
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/tests
    CMAKE_ARGS
        -DAPPATLAS_TREE=tests
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw-posix.cmake
        -DAPPATLAS_TINYXML_DIR=${TINYXML_SOURCE_DIR}
        -DAPPATLAS_PRODUCT_DIR=${CMAKE_BINARY_DIR}/product
        -DAPPATLAS_WINEPREFIX=${wine_prefix}
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
