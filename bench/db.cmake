add_executable(bench_db bench_db.cpp)
target_link_libraries(bench_db PRIVATE vorlan_db benchmark::benchmark)
