# Fails when the headless program needs a window-system or GUI library at run time.
#   cmake -DBINARY=<verdal-run> -P CheckLinks.cmake
find_program(READELF readelf REQUIRED)
execute_process(COMMAND "${READELF}" -d "${BINARY}" OUTPUT_VARIABLE dynamic
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "readelf failed on ${BINARY}")
endif()
string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
set(faults "")
foreach(entry IN LISTS needed)
    if(entry MATCHES "\\[(lib(X|xcb|Qt|GL|EGL|wayland|gtk|gdk|xkb|fontconfig|freetype|ICE|SM)[^]]*)\\]")
        list(APPEND faults "${CMAKE_MATCH_1}")
    endif()
endforeach()
if(faults)
    message(FATAL_ERROR "${BINARY} needs window-system libraries: ${faults}")
endif()
message(STATUS "${BINARY}: ${needed}")
