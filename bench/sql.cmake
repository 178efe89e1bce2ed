add_executable(bench_sql bench_sql.cpp)
target_link_libraries(bench_sql PRIVATE vorlan_db benchmark::benchmark SQLite::SQLite3)
