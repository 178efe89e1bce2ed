#pragma once
// A company for the customer tests: the start file, Gener1.cnf with the
// initial values and the data folder C:\VRL\DATOS, every registered table,
// the files the program folder ships with, and three users: 0 "adm" with
// every right, 1 "caja" with every right but 1 (the customer window), 2
// "vista" without adding, deleting and changing customers (11 to 13). Rows
// are added with Agrega.

#include "foundation/ArchivosPrograma.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "shell/LineasConfiguracion.h"
#include "support/RaizPrueba.h"
#include "support/UsuariosPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QAbstractItemModel>
#include <QStringList>
#include <QTableView>

inline const QString kDatosClientes = QStringLiteral("C:\\VRL\\DATOS");

class ClientesPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatosClientes;
    EscribeLineas("C:\\VRL\\Gener1.cnf", conf);
    const QString todos(kNumeroDerechos, u's');
    const auto sin = [&todos](std::initializer_list<int> derechos) {
      QString texto = todos;
      for (int d : derechos) texto[d - 1] = u'n';
      return texto;
    };
    EscribeBytes("C:\\VRL\\usuarios.def",
                 ArchivoUsuarios({{"adm", todos},
                                  {"caja", sin({DerechoClientes})},
                                  {"vista", sin({DerechoAltaClientes, DerechoBajaClientes, DerechoCambioClientes})}}));
    QString programa;
    CarpetaLocal(programa);
    InstalaArchivosPrograma();
    CreaTablasEmpresa(db::Carpetas{kDatosClientes, {}, {}, "C:\\VRL"});
  }

  // Rows of a table of the data folder: each row's fields in the given
  // order.
  static void Agrega(const QString& archivo, const QStringList& campos, const QList<QStringList>& filas) {
    db::Tabla t;
    t.SetCarpeta(kDatosClientes);
    t.SetNombreTabla(archivo);
    t.Open();
    for (const QStringList& fila : filas) {
      t.Append();
      for (int i = 0; i < campos.size(); ++i) t.FieldByName(campos[i]).SetAsString(fila.value(i));
      t.Post();
    }
  }

  // The texts of a column of a grid, from its first row.
  static QStringList Columna(const QTableView* rejilla, int columna) {
    QStringList textos;
    const QAbstractItemModel* m = rejilla->model();
    for (int fila = 0; fila < m->rowCount(); ++fila) textos << m->index(fila, columna).data().toString();
    return textos;
  }
};
