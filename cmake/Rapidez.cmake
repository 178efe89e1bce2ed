# Build speed, applied to every target once all are defined (included last by
# the top CMakeLists.txt):
# - unity batches: the units of a target compile a few at a time in one
#   compiler run, so common headers and templates are parsed once per batch;
# - precompiled headers: the heavy common headers are compiled once per layer;
# - a faster linker (mold, else lld) when this machine has one.
# -DCMAKE_UNITY_BUILD=OFF compiles every unit alone and
# -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON parses every header in every unit:
# either shows a unit that leans on includes it does not make itself.

# A unit's batch follows from its file name alone, so adding, removing or
# renaming a file moves no other unit to another batch. Units of one batch
# share one translation unit: their file-local names (anonymous namespaces,
# static functions, file-scope using directives) must differ; a clash is an
# error naming both definitions, mended by renaming one of them.
set(vorlan_lotes 8)

# Precompiled header sets, each compiled once by one target and reused by
# every target built with the same flags (GCC warns, -Winvalid-pch, when a
# reused header does not fit a target): Qt Core for the platform layers
# without windows; Qt Widgets with the platform's public headers for all that
# links the window layer; those with GoogleTest and the test support for the
# test programs.
set(vorlan_pch_nucleo
  <algorithm> <array> <cmath> <functional> <map> <memory> <optional> <utility> <vector>
  <QByteArray> <QDate> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QRegularExpression>
  <QString> <QStringList> <QVariant> <QVector>)
set(vorlan_pch_ventanas ${vorlan_pch_nucleo}
  <QAction> <QApplication> <QCheckBox> <QComboBox> <QDateEdit> <QDialog> <QGridLayout>
  <QHBoxLayout> <QHeaderView> <QKeyEvent> <QLabel> <QLineEdit> <QListWidget> <QMenu> <QMenuBar>
  <QPainter> <QPlainTextEdit> <QPointer> <QPushButton> <QRadioButton> <QScrollArea> <QSpinBox>
  <QTextEdit> <QTimer> <QToolButton> <QVBoxLayout> <QWidget>
  ${CMAKE_SOURCE_DIR}/src/platform/Error.h
  ${CMAKE_SOURCE_DIR}/src/platform/fs/Rutas.h
  ${CMAKE_SOURCE_DIR}/src/platform/fs/Texto.h
  ${CMAKE_SOURCE_DIR}/src/platform/db/Tabla.h
  ${CMAKE_SOURCE_DIR}/src/platform/ui/Aplicacion.h
  ${CMAKE_SOURCE_DIR}/src/platform/ui/Componentes.h
  ${CMAKE_SOURCE_DIR}/src/platform/ui/Forma.h
  ${CMAKE_SOURCE_DIR}/src/platform/ui/PuertaModal.h
  ${CMAKE_SOURCE_DIR}/src/platform/ui/RejillaDatos.h)
set(vorlan_pch_pruebas ${vorlan_pch_ventanas}
  <gtest/gtest.h> <QTest> <QTemporaryDir>
  ${CMAKE_SOURCE_DIR}/tests/support/Maneja.h
  ${CMAKE_SOURCE_DIR}/tests/support/Proceso.h
  ${CMAKE_SOURCE_DIR}/tests/support/RaizPrueba.h)
# The donors, most specific first: a target reuses the first it links.
set(vorlan_donantes_pch vorlan_testsupport vorlan_ui vorlan_fs)
set(vorlan_pch_vorlan_testsupport ${vorlan_pch_pruebas})
set(vorlan_pch_vorlan_ui ${vorlan_pch_ventanas})
set(vorlan_pch_vorlan_fs ${vorlan_pch_nucleo})

# Every target defined under `carpeta`, its subfolders included.
function(vorlan_objetivos carpeta salida)
  get_property(objetivos DIRECTORY ${carpeta} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subcarpetas DIRECTORY ${carpeta} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subcarpetas})
    vorlan_objetivos(${sub} mas)
    list(APPEND objetivos ${mas})
  endforeach()
  set(${salida} ${objetivos} PARENT_SCOPE)
endfunction()

# Whether `objetivo` links `buscado`, directly or through the libraries it links.
function(vorlan_enlaza objetivo buscado salida)
  set(${salida} FALSE PARENT_SCOPE)
  if(objetivo STREQUAL buscado)
    set(${salida} TRUE PARENT_SCOPE)
    return()
  endif()
  if(NOT TARGET ${objetivo})
    return()
  endif()
  get_target_property(importado ${objetivo} IMPORTED)
  if(importado)
    return()
  endif()
  get_target_property(enlazadas ${objetivo} LINK_LIBRARIES)
  foreach(lib ${enlazadas})
    vorlan_enlaza(${lib} ${buscado} encontrado)
    if(encontrado)
      set(${salida} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

# Puts each C++ unit of `objetivo` in the batch its file name hashes to.
function(vorlan_agrupa objetivo)
  get_target_property(fuentes ${objetivo} SOURCES)
  get_target_property(carpeta ${objetivo} SOURCE_DIR)
  foreach(fuente ${fuentes})
    if(fuente MATCHES "\\.cpp$")
      get_filename_component(nombre ${fuente} NAME)
      get_filename_component(ruta ${fuente} ABSOLUTE BASE_DIR ${carpeta})
      string(MD5 huella ${nombre})
      string(SUBSTRING ${huella} 0 6 huella)
      math(EXPR lote "0x${huella} % ${vorlan_lotes}")
      set_source_files_properties(${ruta} TARGET_DIRECTORY ${objetivo} PROPERTIES UNITY_GROUP lote${lote})
    endif()
  endforeach()
  set_target_properties(${objetivo} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
  # GCC takes every file but the one it compiles for a header, and warns when
  # a class there uses a type of an anonymous namespace (as a test fixture's
  # base does): in a batch every unit is such a file, and the warning no sign
  # of a fault.
  target_compile_options(${objetivo} PRIVATE -Wno-subobject-linkage)
endfunction()

include(CheckLinkerFlag)
set(vorlan_enlazador "")
foreach(enlazador mold lld)
  check_linker_flag(CXX "-fuse-ld=${enlazador}" VORLAN_ENLAZADOR_${enlazador})
  if(VORLAN_ENLAZADOR_${enlazador})
    set(vorlan_enlazador "-fuse-ld=${enlazador}")
    break()
  endif()
endforeach()

if(NOT CMAKE_DISABLE_PRECOMPILE_HEADERS)
  # Qt Test defines each program's build and source folder on its command
  # line, and its headers read both: every test program would differ from the
  # donor, and none could reuse its header. The test programs are GoogleTest
  # programs that never look for test data through Qt, so the two go.
  if(TARGET Qt6::Test)
    get_target_property(vorlan_qt_test_defs Qt6::Test INTERFACE_COMPILE_DEFINITIONS)
    list(FILTER vorlan_qt_test_defs EXCLUDE REGEX "^QT_TESTCASE_(BUILD|SOURCE)DIR=")
    set_target_properties(Qt6::Test PROPERTIES INTERFACE_COMPILE_DEFINITIONS "${vorlan_qt_test_defs}")
  endif()
  foreach(donante ${vorlan_donantes_pch})
    if(TARGET ${donante})
      target_precompile_headers(${donante} PRIVATE ${vorlan_pch_${donante}})
    endif()
  endforeach()
endif()

vorlan_objetivos(${CMAKE_SOURCE_DIR} vorlan_todos)
foreach(objetivo ${vorlan_todos})
  get_target_property(tipo ${objetivo} TYPE)
  if(NOT tipo MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$")
    continue()
  endif()
  if(NOT DEFINED CMAKE_UNITY_BUILD OR CMAKE_UNITY_BUILD)
    vorlan_agrupa(${objetivo})
  endif()
  if(vorlan_enlazador)
    target_link_options(${objetivo} PRIVATE ${vorlan_enlazador})
  endif()
  if(NOT CMAKE_DISABLE_PRECOMPILE_HEADERS)
    target_compile_options(${objetivo} PRIVATE -Winvalid-pch)
    if(NOT objetivo IN_LIST vorlan_donantes_pch)
      foreach(donante ${vorlan_donantes_pch})
        if(TARGET ${donante})
          vorlan_enlaza(${objetivo} ${donante} enlaza)
          if(enlaza)
            target_precompile_headers(${objetivo} REUSE_FROM ${donante})
            break()
          endif()
        endif()
      endforeach()
    endif()
  endif()
endforeach()
