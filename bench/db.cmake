add_executable(bench_db bench_db.cpp)
target_link_libraries(bench_db PRIVATE vorlan_db vorlan_bench_principal)
# The scan's peer script lives beside the program's source.
target_compile_definitions(bench_db PRIVATE VORLAN_BENCH_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
