# TinyXML from Debian's source package (patched), compiled with this tree's
# compiler. The superbuild fetches it; a tree configured on its own does too.
if(NOT APPATLAS_TINYXML_DIR)
    include(${CMAKE_CURRENT_LIST_DIR}/FetchDebianSource.cmake)
    appatlas_fetch_debian_source(tinyxml ${CMAKE_BINARY_DIR}/_deps tinyxml.h APPATLAS_TINYXML_DIR)
endif()

add_library(tinyxml STATIC
    ${APPATLAS_TINYXML_DIR}/tinyxml.cpp
    ${APPATLAS_TINYXML_DIR}/tinyxmlparser.cpp
    ${APPATLAS_TINYXML_DIR}/tinyxmlerror.cpp
    ${APPATLAS_TINYXML_DIR}/tinystr.cpp)
target_include_directories(tinyxml SYSTEM PUBLIC ${APPATLAS_TINYXML_DIR})
target_compile_definitions(tinyxml PUBLIC TIXML_USE_STL)
target_compile_options(tinyxml PRIVATE -w)
