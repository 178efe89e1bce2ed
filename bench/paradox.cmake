add_executable(bench_paradox paradox_bench.cpp)
target_link_libraries(bench_paradox PRIVATE vorlan_db benchmark::benchmark)
