vorlan_test(test_print SOURCES print_test.cpp LIBS vorlan_print)
