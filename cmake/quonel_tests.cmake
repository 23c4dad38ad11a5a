# The test gate (scripts/ctest_gate.sh) runs a failed test once more for its
# diagnostics only where a failure can leave no output: under Wine.
if(WIN32)
  file(WRITE ${CMAKE_BINARY_DIR}/ctest_gate.rerun "")
else()
  file(REMOVE ${CMAKE_BINARY_DIR}/ctest_gate.rerun)
endif()

# quonel_add_test(NAME sources... [LIBS libs...] [FIXTURES fixtures...] [TIMEOUT s])
# One executable is one CTest test: under Wine every process start costs about
# a second, so the cases of a file run in one start.
function(quonel_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "LIBS;FIXTURES" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  # A GoogleTest case that skipped, or one left disabled, makes the whole
  # executable a skipped test, which the test gate counts as a failure.
  set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\];YOU HAVE [0-9]+ DISABLED")
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QUONEL_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output;QUONEL_FIXTURES=${CMAKE_BINARY_DIR}/fixtures;QUONEL_SOURCE=${PROJECT_SOURCE_DIR}")
  if(T_FIXTURES)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${T_FIXTURES}")
  endif()
endfunction()

# The nginx peer of the network tests: started once per CTest run by a setup
# test, stopped by a cleanup test. Tests read its port from fixtures/nginx/port
# and put the files they serve under fixtures/nginx/www.
function(quonel_nginx_fixture)
  # Once per build tree: if(TEST) sees only the tests of the calling folder.
  get_property(registered GLOBAL PROPERTY QUONEL_NGINX_FIXTURE)
  if(registered)
    return()
  endif()
  set_property(GLOBAL PROPERTY QUONEL_NGINX_FIXTURE ON)
  set(dir ${CMAKE_BINARY_DIR}/fixtures/nginx)
  add_test(NAME nginx_start COMMAND ${PROJECT_SOURCE_DIR}/tests/support/nginx_fixture.sh start ${dir})
  add_test(NAME nginx_stop COMMAND ${PROJECT_SOURCE_DIR}/tests/support/nginx_fixture.sh stop ${dir})
  set_tests_properties(nginx_start PROPERTIES FIXTURES_SETUP nginx)
  set_tests_properties(nginx_stop PROPERTIES FIXTURES_CLEANUP nginx)
endfunction()

# The tests' own certificate authority, made by the nginx fixture, trusted
# in the project's Wine prefix before the tests that fetch over HTTPS
# (CTest fixture "tls_root"; it needs "nginx" too).
function(quonel_tls_root_fixture)
  get_property(registered GLOBAL PROPERTY QUONEL_TLS_ROOT_FIXTURE)
  if(registered)
    return()
  endif()
  set_property(GLOBAL PROPERTY QUONEL_TLS_ROOT_FIXTURE ON)
  quonel_nginx_fixture()
  add_test(NAME tls_root_trust
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/trust_test_ca.sh ${CMAKE_BINARY_DIR}/fixtures/nginx/tls/ca.pem
                   $<TARGET_FILE:trustroot>)
  set_tests_properties(tls_root_trust PROPERTIES FIXTURES_SETUP tls_root FIXTURES_REQUIRED nginx)
endfunction()

# The stand-in banner control, registered in the project's Wine prefix before
# the tests that need it (CTest fixture "banner"). Tests that take the
# registration away for a while and put it back hold the resource lock
# "banner_registration", as must every test that relies on it meanwhile.
function(quonel_banner_fixture)
  get_property(registered GLOBAL PROPERTY QUONEL_BANNER_FIXTURE)
  if(registered)
    return()
  endif()
  set_property(GLOBAL PROPERTY QUONEL_BANNER_FIXTURE ON)
  add_test(NAME banner_standin_register
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/register_banner_standin.sh $<TARGET_FILE:quonel_banner_standin>)
  set_tests_properties(banner_standin_register PROPERTIES FIXTURES_SETUP banner RESOURCE_LOCK banner_registration)
endfunction()

# quonel_add_fuzzer(NAME SOURCES... CORPUS dir RUNS n [LIBS libs...] [COVERED libs...])
# A libFuzzer target NAMEer (clang, native tree) and the test NAME, its run in
# the test command: seed 1 and RUNS inputs from the saved corpus CORPUS, so a
# crash it finds recurs on every run (tests/support/run_fuzzer.sh keeps the
# input in CORPUS). COVERED libraries are instrumented so that the fuzzer
# steers by the coverage of the code under test, not just of its entry.
set(QUONEL_FUZZ_SECONDS 60 CACHE STRING "The most time the test command gives one fuzzer")
# The replay of a saved corpus through its fuzz target, as an ordinary test
# (native tree): quonel_add_corpus_test(NAME TARGET.cpp CORPUS DIR MIN N LIBS ...)
# with DIR below the source tree.
function(quonel_add_corpus_test name target)
  cmake_parse_arguments(C "" "CORPUS;MIN" "LIBS" ${ARGN})
  quonel_add_test(${name} ${PROJECT_SOURCE_DIR}/tests/support/fuzz_corpus_replay.cpp ${target}
    LIBS ${C_LIBS} quonel_test_support)
  target_compile_definitions(${name} PRIVATE QUONEL_FUZZ_CORPUS="${C_CORPUS}" QUONEL_FUZZ_CORPUS_MIN=${C_MIN})
endfunction()

function(quonel_add_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS;RUNS" "LIBS;COVERED" ${ARGN})
  if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  add_executable(${name}er ${F_UNPARSED_ARGUMENTS})
  target_compile_options(${name}er PRIVATE -fsanitize=fuzzer)
  target_link_options(${name}er PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name}er PRIVATE ${F_LIBS} ${F_COVERED})
  target_include_directories(${name}er PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  foreach(lib ${F_COVERED})
    target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link)
  endforeach()
  add_test(NAME ${name}
    COMMAND ${PROJECT_SOURCE_DIR}/tests/support/run_fuzzer.sh $<TARGET_FILE:${name}er> ${F_CORPUS}
            ${CMAKE_BINARY_DIR}/test-output/${name} ${F_RUNS} ${QUONEL_FUZZ_SECONDS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 180 LABELS fuzz)
endfunction()

# The real proxies of the network tests: two tinyproxy instances on
# 127.0.0.1 (fixtures/tinyproxy/open without authentication, .../auth with
# BasicAuth), started once per CTest run like nginx. Tests read each port
# from <instance>/port and its requests from <instance>/access.log. Neither
# limits CONNECT to a port: HTTPS tests tunnel through the open one.
function(quonel_tinyproxy_fixture)
  get_property(registered GLOBAL PROPERTY QUONEL_TINYPROXY_FIXTURE)
  if(registered)
    return()
  endif()
  set_property(GLOBAL PROPERTY QUONEL_TINYPROXY_FIXTURE ON)
  set(dir ${CMAKE_BINARY_DIR}/fixtures/tinyproxy)
  add_test(NAME tinyproxy_start COMMAND ${PROJECT_SOURCE_DIR}/tests/support/tinyproxy_fixture.sh start ${dir})
  add_test(NAME tinyproxy_stop COMMAND ${PROJECT_SOURCE_DIR}/tests/support/tinyproxy_fixture.sh stop ${dir})
  set_tests_properties(tinyproxy_start PROPERTIES FIXTURES_SETUP tinyproxy)
  set_tests_properties(tinyproxy_stop PROPERTIES FIXTURES_CLEANUP tinyproxy)
endfunction()
