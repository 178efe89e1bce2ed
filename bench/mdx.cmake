add_executable(bench_mdx mdx_bench.cpp)
target_link_libraries(bench_mdx PRIVATE vorlan_mdx benchmark::benchmark)
