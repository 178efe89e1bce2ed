vorlan_test(test_imagen SOURCES imagen_test.cpp LIBS vorlan_print JPEG::JPEG)
