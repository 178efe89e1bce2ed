# The Paradox tables are checked against an independent reader (pxlib) and
# against a second process that holds a table open.
find_package(PkgConfig REQUIRED)
pkg_check_modules(PXLIB REQUIRED IMPORTED_TARGET pxlib)
add_executable(paradox_tenedor paradox_tenedor.cpp)
target_link_libraries(paradox_tenedor PRIVATE vorlan_db)
vorlan_test(test_paradox SOURCES paradox_comun.h paradox_test.cpp paradox_tabla_test.cpp LIBS vorlan_db PkgConfig::PXLIB)
add_dependencies(test_paradox paradox_tenedor)
target_compile_definitions(test_paradox PRIVATE TENEDOR_PARADOX="$<TARGET_FILE:paradox_tenedor>")
