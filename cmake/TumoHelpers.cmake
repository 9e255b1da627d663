# Each role folder is one library built from every source file it holds, so adding a class means
# adding its two files and nothing else.
function(tumo_library name dir)
    cmake_parse_arguments(ARG "" "" "LINKS;EXCLUDE" ${ARGN})
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
    foreach(ex IN LISTS ARG_EXCLUDE)
        list(FILTER srcs EXCLUDE REGEX "/${ex}$")
    endforeach()
    if(NOT srcs)
        set(srcs ${CMAKE_SOURCE_DIR}/src/common/Empty.cpp)
    endif()
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# One test program per role folder; its tests run with the offscreen platform and no audio device.
function(tumo_test name dir)
    cmake_parse_arguments(ARG "GUI" "" "LINKS" ${ARGN})
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    if(NOT srcs)
        return()
    endif()
    if(ARG_GUI)
        # The GUI test main runs a QApplication.
        list(APPEND srcs ${CMAKE_SOURCE_DIR}/tests/common/GuiTestMain.cpp)
        list(APPEND ARG_LINKS Qt6::Widgets)
    else()
        list(APPEND srcs ${CMAKE_SOURCE_DIR}/tests/common/CoreTestMain.cpp)
    endif()
    add_executable(${name} ${srcs})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest Qt6::Test)
    target_compile_definitions(${name} PRIVATE TUMO_BINARY_DIR="${CMAKE_BINARY_DIR}"
                                               TUMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    # gtest's printers for Qt's types, ahead of every test file, so that no file can compare
    # QStrings without them.
    target_compile_options(${name} PRIVATE -include ${CMAKE_SOURCE_DIR}/tests/common/QtPrinters.h)
    set(test_env "QT_QPA_PLATFORM=offscreen;QT_MEDIA_BACKEND=gstreamer;QT_LOGGING_RULES=*.debug=false")
    # One ctest entry per test case, so a failure names its case and ctest spreads the cases over
    # the cores. The cases are listed when ctest runs, not at build time, so a build never starts
    # a test program.
    gtest_discover_tests(${name} TEST_PREFIX "${dir}." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "${test_env}" TIMEOUT 600)
    # The same cases once more, all in one process and in an order of their own each run (gtest
    # prints the seed): a case that passes only in a process of its own, or only after another,
    # fails here. The longest entries, so they start first.
    add_test(NAME whole.${dir} COMMAND ${name} --gtest_shuffle)
    set_tests_properties(whole.${dir} PROPERTIES ENVIRONMENT "${test_env}" TIMEOUT 900 COST 1000)
endfunction()
