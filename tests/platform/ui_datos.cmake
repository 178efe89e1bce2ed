vorlan_test(test_ui_datos SOURCES ui_datos_test.cpp db_comun.h LIBS vorlan_ui vorlan_db)
