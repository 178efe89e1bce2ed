vorlan_test(test_hoja SOURCES hoja_test.cpp LIBS vorlan_hoja)
