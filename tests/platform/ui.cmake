vorlan_test(test_ui SOURCES ui_test.cpp LIBS vorlan_ui)
