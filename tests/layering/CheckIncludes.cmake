# Fails when a core file includes what belongs to another layer: Qt anywhere in the core,
# anything but the C++ standard library in settings, engine and mail (system, GIO, ICU, xcb
# and libacl headers belong to the platform layer, as do std::filesystem and file streams),
# and project headers from a layer above.
#   cmake -DSOURCE_DIR=<repository> -P CheckIncludes.cmake
if(NOT SOURCE_DIR)
    message(FATAL_ERROR "SOURCE_DIR not set")
endif()

set(std_headers
    algorithm any array atomic barrier bit bitset cassert cctype cerrno cfloat charconv chrono
    cinttypes climits clocale cmath codecvt compare complex concepts condition_variable
    coroutine csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar
    cwchar cwctype deque exception execution expected format forward_list functional future
    initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale map
    memory memory_resource mutex new numbers numeric optional ostream queue random ranges ratio
    regex scoped_allocator semaphore set shared_mutex source_location span sstream stack
    stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
    type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector
    version)

# Project folders each layer may include from.
set(allowed_platform platform)
set(allowed_settings settings platform)
set(allowed_engine engine settings platform)
set(allowed_mail mail engine settings platform)
# Headers of outside libraries a layer may use besides the standard library.
set(libraries_settings SimpleIni.h)

set(faults "")
foreach(layer platform settings engine mail)
    file(GLOB_RECURSE files "${SOURCE_DIR}/src/${layer}/*.h" "${SOURCE_DIR}/src/${layer}/*.cpp")
    foreach(file IN LISTS files)
        file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
        file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
        foreach(line IN LISTS lines)
            if(line MATCHES "<([^>]+)>")
                set(header "${CMAKE_MATCH_1}")
                if(header MATCHES "^(Q|qt|qt6/)")
                    list(APPEND faults "${name}: Qt header <${header}>")
                elseif(NOT layer STREQUAL "platform")
                    list(FIND std_headers "${header}" std)
                    list(FIND libraries_${layer} "${header}" library)
                    if(std EQUAL -1 AND library EQUAL -1)
                        list(APPEND faults "${name}: <${header}> belongs to the platform layer")
                    endif()
                endif()
            elseif(line MATCHES "\"([a-z]+)/[^\"]+\"")
                list(FIND allowed_${layer} "${CMAKE_MATCH_1}" allowed)
                if(allowed EQUAL -1)
                    list(APPEND faults "${name}: includes from ${CMAKE_MATCH_1}/")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Layering broken:\n  ${text}")
endif()
message(STATUS "Layering kept")
