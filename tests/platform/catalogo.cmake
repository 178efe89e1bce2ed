vorlan_test(test_catalogo SOURCES catalogo_test.cpp catalogo_tablas_test.cpp LIBS vorlan_db)
