# The index files are read back by an independent dBASE reader (index_dump).
vorlan_test(test_mdx SOURCES mdx_test.cpp LIBS vorlan_mdx)
