# quonel_add_test(NAME sources... [LIBS libs...] [FIXTURES fixtures...] [TIMEOUT s])
# One executable is one CTest test: under Wine every process start costs about
# a second, so the cases of a file run in one start.
function(quonel_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "LIBS;FIXTURES" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
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

# The real proxies of the network tests: two tinyproxy instances on
# 127.0.0.1 (fixtures/tinyproxy/open without authentication, .../auth with
# BasicAuth), started once per CTest run like nginx. Tests read each port
# from <instance>/port and its requests from <instance>/access.log.
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

# A tinyproxy on 127.0.0.1 that tunnels (CONNECT) to any port, for HTTPS
# through a proxy (CTest fixture "tls_proxy"; port in fixtures/tls_proxy/port).
function(quonel_tls_proxy_fixture)
  get_property(registered GLOBAL PROPERTY QUONEL_TLS_PROXY_FIXTURE)
  if(registered)
    return()
  endif()
  set_property(GLOBAL PROPERTY QUONEL_TLS_PROXY_FIXTURE ON)
  set(dir ${CMAKE_BINARY_DIR}/fixtures/tls_proxy)
  add_test(NAME tls_proxy_start COMMAND ${PROJECT_SOURCE_DIR}/tests/support/tls_proxy_fixture.sh start ${dir})
  add_test(NAME tls_proxy_stop COMMAND ${PROJECT_SOURCE_DIR}/tests/support/tls_proxy_fixture.sh stop ${dir})
  set_tests_properties(tls_proxy_start PROPERTIES FIXTURES_SETUP tls_proxy)
  set_tests_properties(tls_proxy_stop PROPERTIES FIXTURES_CLEANUP tls_proxy)
endfunction()
