vorlan_test(test_sql SOURCES db_comun.h sql_test.cpp LIBS vorlan_db)
