vorlan_test(test_db_indices SOURCES db_comun.h db_indices_test.cpp db_caidas_test.cpp LIBS vorlan_db)
