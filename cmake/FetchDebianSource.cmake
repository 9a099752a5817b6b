# Unpacks a Debian source package (with Debian's patches applied) into DIR,
# once. Needs a deb-src entry, which scripts/install-deps.sh adds.
function(appatlas_fetch_debian_source package dir marker out_var)
    file(GLOB found LIST_DIRECTORIES false ${dir}/${package}-*/${marker})
    if(NOT found)
        file(MAKE_DIRECTORY ${dir})
        message(STATUS "Fetching Debian source package ${package}")
        execute_process(COMMAND apt-get source -q ${package}
            WORKING_DIRECTORY ${dir}
            RESULT_VARIABLE rc OUTPUT_QUIET)
        file(GLOB found LIST_DIRECTORIES false ${dir}/${package}-*/${marker})
        if(NOT rc EQUAL 0 OR NOT found)
            message(FATAL_ERROR "apt-get source ${package} failed (is a deb-src entry configured? run scripts/install-deps.sh)")
        endif()
    endif()
    list(GET found 0 first)
    get_filename_component(src ${first} DIRECTORY)
    set(${out_var} ${src} PARENT_SCOPE)
endfunction()
