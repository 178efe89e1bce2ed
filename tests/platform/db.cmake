vorlan_test(test_db SOURCES db_comun.h db_test.cpp db_dataset_test.cpp db_estaciones_test.cpp db_interop_test.cpp LIBS vorlan_db)
