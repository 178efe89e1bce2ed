vorlan_test(test_serial SOURCES serial_test.cpp LIBS vorlan_serial)
