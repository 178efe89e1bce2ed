vorlan_test(test_process SOURCES process_test.cpp LIBS vorlan_process)
