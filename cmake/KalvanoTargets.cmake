# Each source folder is one library made of the .cpp files it holds (and those of the
# subfolders named by SUBDIRS), so that adding a file needs no edit here. A folder without
# sources yet is an interface library, so that the targets above it can already name it.
function(kalvano_library name dir)
  cmake_parse_arguments(ARG "QT" "" "DEPS;SUBDIRS" ${ARGN})
  set(_globs ${dir}/*.cpp)
  set(_hglobs ${dir}/*.h)
  foreach(_sub IN LISTS ARG_SUBDIRS)
    list(APPEND _globs ${dir}/${_sub}/*.cpp)
    list(APPEND _hglobs ${dir}/${_sub}/*.h)
  endforeach()
  file(GLOB _srcs CONFIGURE_DEPENDS ${_globs})
  file(GLOB _hdrs CONFIGURE_DEPENDS ${_hglobs})
  if(_srcs)
    add_library(${name} STATIC ${_srcs} ${_hdrs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/common)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/common)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One GoogleTest executable per test folder, made of every .cpp in it (not its subfolders).
# Tests run with the folder's fixtures reachable through KALVANO_SOURCE_DIR,
# KALVANO_REFERENCE_DIR (the recorded reference weather, data/reference) and KALVANO_BASE_DIR.
function(kalvano_test name dir)
  cmake_parse_arguments(ARG "GUI" "" "DEPS;LABELS" ${ARGN})
  file(GLOB _srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT _srcs)
    return()
  endif()
  add_executable(${name} ${_srcs})
  if(ARG_GUI)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    KALVANO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KALVANO_REFERENCE_DIR="${PROJECT_SOURCE_DIR}/data/reference"
    KALVANO_BASE_DIR="${KALVANO_BASE_DIR}"
    KALVANO_TEST_DIR="${PROJECT_SOURCE_DIR}/${dir}")
  set(_labels ${ARG_LABELS})
  set(_env "")
  if(ARG_GUI)
    list(APPEND _labels gui)
    set(_env "QT_QPA_PLATFORM=offscreen")
  else()
    list(APPEND _labels nogui)
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES LABELS "${_labels}" ENVIRONMENT "${_env}"
    DISCOVERY_TIMEOUT 60)
  if(TARGET kalvano_base)
    add_dependencies(${name} kalvano_base)
  endif()
endfunction()
