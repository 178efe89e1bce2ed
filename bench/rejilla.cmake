add_executable(bench_rejilla rejilla_bench.cpp)
target_link_libraries(bench_rejilla PRIVATE vorlan_ui vorlan_db benchmark::benchmark)
