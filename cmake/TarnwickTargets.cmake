# Helpers shared by every folder's CMakeLists.txt.

# Warnings for project code only (never for third-party headers).
function(tarnwick_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    # GCC 12 raises false -Wrestrict alarms inside std::string at -O3
    # (GCC bug 105329); the warning stays on with every other compiler.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()

# A headless static library made of every .cpp in the calling folder
# (sub-folders are not included). Headers are reached from the source root:
# #include "platform/errors.h".
function(tarnwick_headless_library target)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        # A layer with nothing in it yet still links, so its users build.
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} INTERFACE ${ARGN})
        return()
    endif()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    tarnwick_warnings(${target})
    if(ARGN)
        target_link_libraries(${target} PUBLIC ${ARGN})
    endif()
endfunction()

# A GoogleTest executable made of every .cpp in the calling folder.
function(tarnwick_test target)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${target} ${sources})
    tarnwick_warnings(${target})
    target_link_libraries(${target} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${target} PRIVATE
        TARNWICK_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
