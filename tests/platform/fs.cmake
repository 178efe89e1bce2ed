vorlan_test(test_fs SOURCES fs_test.cpp real6_test.cpp LIBS vorlan_fs)
