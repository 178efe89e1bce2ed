add_executable(bench_indices bench_indices.cpp)
target_link_libraries(bench_indices PRIVATE vorlan_db benchmark::benchmark)
